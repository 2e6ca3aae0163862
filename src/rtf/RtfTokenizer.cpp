#include "RtfTokenizer.h"

#include <climits>

namespace orvela::rtf {
namespace {

Token MakeToken(Token::Kind kind) {
  Token token;
  token.kind = kind;
  return token;
}

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

Token RtfTokenizer::Next() {
  while (pos_ < input_.size()) {
    const char c = input_[pos_];
    if (c == '{') {
      ++pos_;
      return MakeToken(Token::Kind::GroupOpen);
    }
    if (c == '}') {
      ++pos_;
      return MakeToken(Token::Kind::GroupClose);
    }
    if (c == '\\') return ReadControl();
    if (c == '\r' || c == '\n' || c == '\0') {
      ++pos_;
      continue;
    }
    const std::size_t start = pos_;
    while (pos_ < input_.size()) {
      const char t = input_[pos_];
      if (t == '{' || t == '}' || t == '\\' || t == '\r' || t == '\n' || t == '\0') break;
      ++pos_;
    }
    Token token = MakeToken(Token::Kind::Text);
    token.text = input_.substr(start, pos_ - start);
    return token;
  }
  return MakeToken(Token::Kind::End);
}

Token RtfTokenizer::ReadControl() {
  ++pos_;  // the backslash
  if (pos_ >= input_.size()) return MakeToken(Token::Kind::End);
  const char first = input_[pos_];
  if (!IsLetter(first)) {
    ++pos_;
    if (first == '\'') {
      int value = 0;
      int digits = 0;
      while (digits < 2 && pos_ < input_.size()) {
        const int v = HexValue(input_[pos_]);
        if (v < 0) break;
        value = value * 16 + v;
        ++digits;
        ++pos_;
      }
      if (digits == 0) return MakeToken(Token::Kind::ControlSymbol);  // broken escape: nothing
      Token token = MakeToken(Token::Kind::Hex);
      token.byte = static_cast<unsigned char>(value);
      return token;
    }
    Token token = MakeToken(Token::Kind::ControlSymbol);
    token.symbol = first;
    return token;
  }
  const std::size_t start = pos_;
  while (pos_ < input_.size() && IsLetter(input_[pos_])) ++pos_;
  Token token = MakeToken(Token::Kind::ControlWord);
  token.text = input_.substr(start, pos_ - start);
  bool negative = false;
  if (pos_ + 1 < input_.size() && input_[pos_] == '-' && IsDigit(input_[pos_ + 1])) {
    negative = true;
    ++pos_;
  }
  if (pos_ < input_.size() && IsDigit(input_[pos_])) {
    long long value = 0;
    while (pos_ < input_.size() && IsDigit(input_[pos_])) {
      if (value <= INT_MAX) value = value * 10 + (input_[pos_] - '0');
      ++pos_;
    }
    if (negative) value = -value;
    if (value > INT_MAX) value = INT_MAX;
    if (value < INT_MIN) value = INT_MIN;
    token.hasParameter = true;
    token.parameter = static_cast<int>(value);
  }
  if (pos_ < input_.size() && input_[pos_] == ' ') ++pos_;
  if (token.text == "bin") {
    // The next N bytes are data, whatever they look like.
    std::size_t length = token.parameter > 0 ? static_cast<std::size_t>(token.parameter) : 0;
    if (length > input_.size() - pos_) length = input_.size() - pos_;
    Token data = MakeToken(Token::Kind::Binary);
    data.text = input_.substr(pos_, length);
    pos_ += length;
    return data;
  }
  return token;
}

}  // namespace orvela::rtf
