#pragma once
// The one conversion between the core's Windows-1252 bytes and Unicode, and the UTF-8
// codec under it. Bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D, which Windows-1252 leaves
// undefined, map to U+0081 … so that every byte survives the way there and back.
#include <optional>
#include <string>
#include <string_view>

namespace orvela {

// The Unicode code point of one Windows-1252 byte.
char32_t Cp1252ToUnicode(unsigned char byte);

// The Windows-1252 byte of a code point, or nothing when the character set cannot hold it.
std::optional<unsigned char> UnicodeToCp1252(char32_t code);

// Appends the UTF-8 form of a code point; surrogates and values beyond U+10FFFF become U+FFFD.
void AppendUtf8(std::string& out, char32_t code);

// The code point starting at `pos`, advancing `pos` past it. A malformed sequence (overlong
// form, surrogate, beyond U+10FFFF, truncated or stray byte) gives U+FFFD and advances by one.
char32_t NextUtf8(std::string_view text, std::size_t& pos);

// Windows-1252 bytes as UTF-8.
std::string Cp1252ToUtf8(std::string_view bytes);

// UTF-8 as Windows-1252 bytes. Returns false when a character cannot be held (or the
// UTF-8 is malformed); `bad` then receives that character (U+FFFD for malformed input)
// and `out` holds what was converted before it. Nothing is ever replaced silently.
bool Utf8ToCp1252(std::string_view utf8, std::string& out, char32_t* bad = nullptr);

// UTF-8 as Windows-1252 bytes for text that is shown, not stored (report values, plain
// text, stamps): a character that cannot be held becomes "?" and sets `*replaced`, so
// that the caller can say so.
std::string Utf8ToCp1252Lossy(std::string_view utf8, bool* replaced = nullptr);

}  // namespace orvela
