#include "model/Cp1252.h"

#include <gtest/gtest.h>

namespace orvela {
namespace {

TEST(Cp1252, EveryByteSurvivesTheWayToUnicodeAndBack) {
  for (int b = 0; b < 256; ++b) {
    SCOPED_TRACE(b);
    const char32_t code = Cp1252ToUnicode(static_cast<unsigned char>(b));
    ASSERT_EQ(UnicodeToCp1252(code), static_cast<unsigned char>(b));
    const std::string one(1, static_cast<char>(b));
    std::string back;
    ASSERT_TRUE(Utf8ToCp1252(Cp1252ToUtf8(one), back));
    EXPECT_EQ(back, one);
  }
}

TEST(Cp1252, AllBytesInOneTextRoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  std::string back;
  ASSERT_TRUE(Utf8ToCp1252(Cp1252ToUtf8(all), back));
  EXPECT_EQ(back, all);
}

TEST(Cp1252, KnownCharacters) {
  struct Case {
    unsigned char byte;
    char32_t code;
    const char* utf8;
  };
  const Case cases[] = {
      {0x41, U'A', "A"},          {0x80, 0x20AC, "\xE2\x82\xAC"},  // €
      {0x81, 0x0081, "\xC2\x81"}, {0x8D, 0x008D, "\xC2\x8D"},
      {0x8F, 0x008F, "\xC2\x8F"}, {0x90, 0x0090, "\xC2\x90"},
      {0x9D, 0x009D, "\xC2\x9D"}, {0x8A, 0x0160, "\xC5\xA0"},      // Š
      {0x9F, 0x0178, "\xC5\xB8"}, {0x96, 0x2013, "\xE2\x80\x93"},  // Ÿ –
      {0xA0, 0x00A0, "\xC2\xA0"}, {0xE4, 0x00E4, "\xC3\xA4"},      // ä
      {0xDF, 0x00DF, "\xC3\x9F"}, {0xFF, 0x00FF, "\xC3\xBF"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.byte));
    EXPECT_EQ(Cp1252ToUnicode(c.byte), c.code);
    EXPECT_EQ(Cp1252ToUtf8(std::string(1, static_cast<char>(c.byte))), c.utf8);
  }
}

TEST(Cp1252, CharactersOutsideTheSetAreRefusedNotReplaced) {
  struct Case {
    const char* name;
    std::string utf8;
    std::string convertedBefore;
    char32_t bad;
  };
  const Case cases[] = {
      {"euro is fine, C1 0x80 is not", "\xE2\x82\xAC\xC2\x80", "\x80", 0x80},
      {"cyrillic", "ab\xD0\x96", "ab", 0x0416},
      {"emoji", "x\xF0\x9F\x98\x80y", "x", 0x1F600},
      {"overlong slash", "a\xC0\xAF", "a", 0xFFFD},
      {"overlong three bytes", "\xE0\x80\xAF", "", 0xFFFD},
      {"surrogate", "\xED\xA0\x80", "", 0xFFFD},
      {"beyond U+10FFFF", "\xF4\x90\x80\x80", "", 0xFFFD},
      {"truncated at the end", "ok\xC3", "ok", 0xFFFD},
      {"truncated before ASCII", "\xE2\x82z", "", 0xFFFD},
      {"stray continuation byte", "\x80", "", 0xFFFD},
      {"invalid lead byte", "\xFF", "", 0xFFFD},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string out = "old";
    char32_t bad = 0;
    EXPECT_FALSE(Utf8ToCp1252(c.utf8, out, &bad));
    EXPECT_EQ(out, c.convertedBefore);
    EXPECT_EQ(bad, c.bad);
  }
}

TEST(Cp1252, UnicodeOnlyMapsWhatTheSetHolds) {
  EXPECT_EQ(UnicodeToCp1252(0x20AC), 0x80);
  EXPECT_FALSE(UnicodeToCp1252(0x0080).has_value());
  EXPECT_FALSE(UnicodeToCp1252(0x0100).has_value());
  EXPECT_FALSE(UnicodeToCp1252(0xFFFD).has_value());
}

// Text that is shown rather than stored: every character that cannot be held, malformed
// bytes included, becomes one "?", and the caller learns that it happened.
TEST(Cp1252, LossyConversionMarksWhatItReplaced) {
  struct Case {
    const char* name;
    std::string utf8;
    std::string cp1252;
    bool replaced;
  };
  const Case cases[] = {
      {"held", "Ma\xC3\x9Fnahme \xE2\x82\xAC", "Ma\xDFnahme \x80", false},
      {"cyrillic", "a\xD0\x96" "b", "a?b", true},
      {"emoji", "\xF0\x9F\x98\x80!", "?!", true},
      {"truncated sequence: each byte once", "\xE2\x82z", "??z", true},
      {"surrogate: three bytes", "\xED\xA0\x80", "???", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    bool replaced = false;
    EXPECT_EQ(Utf8ToCp1252Lossy(c.utf8, &replaced), c.cp1252);
    EXPECT_EQ(replaced, c.replaced);
  }
}

TEST(Cp1252, Utf8EncodingRoundTripsEveryScalarValue) {
  for (char32_t code : {char32_t(0), char32_t(0x7F), char32_t(0x80), char32_t(0x7FF), char32_t(0x800),
                        char32_t(0xFFFF), char32_t(0x10000), char32_t(0x10FFFF)}) {
    std::string utf8;
    AppendUtf8(utf8, code);
    std::size_t pos = 0;
    EXPECT_EQ(NextUtf8(utf8, pos), code);
    EXPECT_EQ(pos, utf8.size());
  }
  std::string replaced;
  AppendUtf8(replaced, 0xD800);
  AppendUtf8(replaced, 0x110000);
  EXPECT_EQ(replaced, "\xEF\xBF\xBD\xEF\xBF\xBD");
}

}  // namespace
}  // namespace orvela
