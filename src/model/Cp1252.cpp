#include "model/Cp1252.h"

#include <array>

namespace orvela {
namespace {

// Code points of 0x80..0x9F; the five undefined bytes stand for the C1 control of the same value.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

constexpr char32_t kMalformed = 0xFFFD;

}  // namespace

void AppendUtf8(std::string& out, char32_t code) {
  if ((code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) code = kMalformed;
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

char32_t NextUtf8(std::string_view text, std::size_t& pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  if (lead < 0x80) {
    ++pos;
    return lead;
  }
  std::size_t length;
  char32_t code;
  if ((lead & 0xE0) == 0xC0) {
    length = 2, code = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, code = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, code = lead & 0x07;
  } else {
    ++pos;
    return kMalformed;
  }
  if (pos + length > text.size()) {
    ++pos;
    return kMalformed;
  }
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[pos + i]);
    if ((next & 0xC0) != 0x80) {
      ++pos;
      return kMalformed;
    }
    code = (code << 6) | (next & 0x3F);
  }
  static constexpr char32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < kMinimum[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
    ++pos;
    return kMalformed;
  }
  pos += length;
  return code;
}

char32_t Cp1252ToUnicode(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80];
  return byte;
}

std::optional<unsigned char> UnicodeToCp1252(char32_t code) {
  if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return static_cast<unsigned char>(code);
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == code) return static_cast<unsigned char>(0x80 + i);
  }
  return std::nullopt;
}

std::string Cp1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 4);
  for (char b : bytes) AppendUtf8(out, Cp1252ToUnicode(static_cast<unsigned char>(b)));
  return out;
}

bool Utf8ToCp1252(std::string_view utf8, std::string& out, char32_t* bad) {
  out.clear();
  out.reserve(utf8.size());
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const auto lead = static_cast<unsigned char>(utf8[pos]);
    if (lead < 0x80) {
      out += static_cast<char>(lead);
      ++pos;
      continue;
    }
    const char32_t code = NextUtf8(utf8, pos);
    const auto byte = code == kMalformed ? std::nullopt : UnicodeToCp1252(code);
    if (!byte) {
      if (bad) *bad = code;
      return false;
    }
    out += static_cast<char>(*byte);
  }
  return true;
}

std::string Utf8ToCp1252Lossy(std::string_view utf8, bool* replaced) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t pos = 0; pos < utf8.size();) {
    const std::optional<unsigned char> byte = UnicodeToCp1252(NextUtf8(utf8, pos));
    out += byte ? static_cast<char>(*byte) : '?';
    if (!byte && replaced) *replaced = true;
  }
  return out;
}

}  // namespace orvela
