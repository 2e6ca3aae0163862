// The description's plain text as reports insert it.
#include <gtest/gtest.h>

#include "rtf/PlainText.h"
#include "rtf/RtfReader.h"

namespace orvela::rtf {
namespace {

TEST(PlainText, SeparatesParagraphsRowsAndCells) {
  struct Case {
    const char* name;
    const char* rtf;
    std::string text;
  };
  const Case cases[] = {
      {"paragraphs", "{\\rtf1 a\\par b\\par}", "a\r\nb"},
      {"empty paragraph between", "{\\rtf1 a\\par\\par b\\par}", "a\r\n\r\nb"},
      {"line break", "{\\rtf1 a\\line b}", "a\r\nb"},
      {"tab", "{\\rtf1 a\\tab b}", "a\tb"},
      {"table", "{\\rtf1 x\\par\\trowd\\cellx1\\cellx2\\intbl a\\cell b\\cell\\row\\intbl c\\cell d\\cell\\row\\pard y\\par}",
       "x\r\na\tb\r\nc\td\r\ny"},
      {"bullets have no marker", "{\\rtf1{\\pntext\\'B7\\tab}{\\*\\pn\\pnlvlblt}a\\par}", "a"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(PlainText(ReadRtf(c.rtf)), c.text);
  }
}

TEST(PlainText, Cp1252KeepsWhatTheCodePageHoldsAndMarksTheRest) {
  const Document d = ReadRtf("{\\rtf1\\ansi \\'e4\\'80\\u1046?\\u-10179?\\u-8704?x}");
  EXPECT_EQ(PlainText(d), "ä€Ж😀x");
  EXPECT_EQ(PlainTextCp1252(d), "\xE4\x80??x");
}

}  // namespace
}  // namespace orvela::rtf
