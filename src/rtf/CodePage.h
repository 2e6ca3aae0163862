#pragma once
// Decoding the 8-bit text of RTF files (\'hh and raw bytes) by the document's or font's
// code page.

namespace orvela::rtf {

// The Windows code page of an RTF \fcharset value; 0 when the charset names none
// (the document's \ansicpg then applies).
int CodePageOfCharset(int charset);

// True for the double-byte code pages (Japanese, Chinese, Korean), whose characters take
// a lead byte and a trail byte.
bool IsDoubleByteCodePage(int codePage);

// True when the byte starts a two-byte character in the double-byte code page.
bool IsLeadByte(int codePage, unsigned char byte);

// The code point of one byte in a single-byte code page. Unknown code pages read as
// Windows-1252; bytes a page leaves undefined give U+FFFD.
char32_t DecodeByte(int codePage, unsigned char byte);

// The code page of fonts with the Symbol charset; their bytes are glyph numbers.
constexpr int kSymbolCodePage = 42;

}  // namespace orvela::rtf
