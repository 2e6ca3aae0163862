#include "CodePage.h"

#include "CodePageTables.h"
#include "model/Cp1252.h"

namespace orvela::rtf {

int CodePageOfCharset(int charset) {
  struct Entry {
    int charset;
    int codePage;
  };
  static constexpr Entry kTable[] = {
      {0, 1252},   {2, kSymbolCodePage}, {77, 10000}, {128, 932},  {129, 949},  {130, 1361},
      {134, 936},  {136, 950},  {161, 1253}, {162, 1254}, {163, 1258}, {177, 1255},
      {178, 1256}, {186, 1257}, {204, 1251}, {222, 874},  {238, 1250}, {254, 437},
      {255, 850},
  };
  for (const Entry& e : kTable) {
    if (e.charset == charset) return e.codePage;
  }
  return 0;
}

bool IsDoubleByteCodePage(int codePage) {
  return codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950 ||
         codePage == 1361;
}

bool IsLeadByte(int codePage, unsigned char byte) {
  if (codePage == 932) return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
  if (IsDoubleByteCodePage(codePage)) return byte >= 0x81 && byte <= 0xFE;
  return false;
}

char32_t DecodeByte(int codePage, unsigned char byte) {
  if (byte < 0x80) return byte;
  if (codePage == kSymbolCodePage) {
    // The one Symbol glyph that matters in text: the bullet older editors write.
    if (byte == 0xB7) return U'\u2022';
    return Cp1252ToUnicode(byte);
  }
  if (const char16_t* table = UpperHalfOf(codePage)) return table[byte - 0x80];
  return Cp1252ToUnicode(byte);
}

}  // namespace orvela::rtf
