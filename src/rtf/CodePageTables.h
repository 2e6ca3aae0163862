#pragma once
// Byte-to-Unicode tables of the single-byte code pages besides Windows-1252.

namespace orvela::rtf {

// The 128 code points of bytes 0x80-0xFF in the code page, or nullptr when there is no table.
const char16_t* UpperHalfOf(int codePage);

}  // namespace orvela::rtf
