#pragma once
// UTF-8 helpers for the rich-text model.
#include <string>
#include <string_view>

namespace orvela::rtf {

// Appends the UTF-8 form of a code point; surrogates and values beyond U+10FFFF become U+FFFD.
void AppendUtf8(std::string& out, char32_t code);

// The code point starting at `pos`, advancing `pos` past it; malformed bytes give U+FFFD
// and advance by one.
char32_t NextUtf8(std::string_view text, std::size_t& pos);

}  // namespace orvela::rtf
