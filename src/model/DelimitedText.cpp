#include "model/DelimitedText.h"

#include "model/TextUtils.h"

namespace orvela {
namespace {

// Characters that separate tokens outside quotes. NUL counts with them: a plain token
// ends at it, so the reader must step over it or it would never get past it.
bool IsSpace(char c) { return static_cast<unsigned char>(c) <= 32; }

bool NeedsQuotes(std::string_view line, char delimiter, char quote) {
  for (char c : line) {
    if (IsSpace(c) || c == quote || c == delimiter) return true;
  }
  return false;
}

void AppendQuoted(std::string& out, std::string_view line, char quote) {
  out += quote;
  for (char c : line) {
    out += c;
    if (c == quote) out += quote;
  }
  out += quote;
}

}  // namespace

std::string WriteDelimited(const std::vector<std::string>& lines, char delimiter, char quote) {
  if (lines.size() == 1 && lines.front().empty()) return std::string(2, quote);
  std::string out;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) out += delimiter;
    // A line with NUL is quoted too: unquoted, the reader would cut it there.
    if (NeedsQuotes(lines[i], delimiter, quote)) {
      AppendQuoted(out, lines[i], quote);
    } else {
      out += lines[i];
    }
  }
  return out;
}

std::vector<std::string> ReadDelimited(std::string_view text, char delimiter, char quote) {
  std::vector<std::string> lines;
  std::size_t pos = 0;
  const std::size_t end = text.size();
  auto skipSpace = [&] {
    while (pos < end && IsSpace(text[pos])) ++pos;
  };
  skipSpace();
  while (pos < end) {
    std::string token;
    if (text[pos] == quote) {
      ++pos;
      while (pos < end) {
        if (text[pos] == quote) {
          if (pos + 1 < end && text[pos + 1] == quote) {
            token += quote;
            pos += 2;
            continue;
          }
          ++pos;  // closing quote
          break;
        }
        token += text[pos++];
      }
    } else {
      const std::size_t start = pos;
      while (pos < end && !IsSpace(text[pos]) && text[pos] != delimiter) ++pos;
      token.assign(text.substr(start, pos - start));
    }
    lines.push_back(std::move(token));
    skipSpace();
    if (pos < end && text[pos] == delimiter) {
      if (pos + 1 == end) lines.emplace_back();
      ++pos;
      skipSpace();
    }
  }
  return lines;
}

std::string WriteCommaText(const std::vector<std::string>& lines) { return WriteDelimited(lines, ',', '"'); }

std::vector<std::string> ReadCommaText(std::string_view text) { return ReadDelimited(text, ',', '"'); }

std::vector<std::string> SplitListText(std::string_view text) { return SplitAtChar(text, kListSeparator); }

std::string ListToText(const std::vector<FieldList>& rows, char separator) {
  std::string out;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (i > 0) out += separator;
    out += rows[i].commaText();
  }
  return out;
}

void TextToList(std::vector<FieldList>& rows, std::string_view text, char separator) {
  for (const std::string& entry : SplitAtChar(text, separator)) rows.push_back(FieldList::fromCommaText(entry));
}

std::vector<FieldList> TextToList(std::string_view text, char separator) {
  std::vector<FieldList> rows;
  TextToList(rows, text, separator);
  return rows;
}

}  // namespace orvela
