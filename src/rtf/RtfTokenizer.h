#pragma once
// Splits RTF bytes into groups, control words, control symbols, hex bytes, binary data and
// plain text. Never reads past the input; parameters are clamped to the int range.
#include <string_view>

namespace orvela::rtf {

struct Token {
  enum class Kind { End, GroupOpen, GroupClose, ControlWord, ControlSymbol, Hex, Binary, Text };
  Kind kind = Kind::End;
  std::string_view text;  // word name, plain text run or binary data
  bool hasParameter = false;
  int parameter = 0;
  char symbol = 0;            // control symbol
  unsigned char byte = 0;     // hex byte
};

class RtfTokenizer {
 public:
  explicit RtfTokenizer(std::string_view input) : input_(input) {}

  Token Next();
  std::size_t Position() const { return pos_; }

 private:
  Token ReadControl();

  std::string_view input_;
  std::size_t pos_ = 0;
};

}  // namespace orvela::rtf
