// Reading RTF: what older versions of the program stored, what word processors write,
// and damaged or hostile input.
#include <gtest/gtest.h>

#include "RtfTestSupport.h"
#include "rtf/PlainText.h"
#include "rtf/RtfReader.h"

namespace orvela::rtf {
namespace {

using test::TextOf;
using test::TopParagraphs;

constexpr const char* kOldHeader =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1031{\\fonttbl{\\f0\\fnil\\fcharset0 MS Sans "
    "Serif;}{\\f1\\fnil\\fcharset2 Symbol;}}\\viewkind4\\uc1";

std::string Old(const std::string& body) { return kOldHeader + body + "}"; }

// Descriptions as the rich-edit control of older versions wrote them.
TEST(RtfReader, ReadsDescriptionsOfTheOldControlFormatted) {
  struct Case {
    const char* name;
    std::string rtf;
    std::vector<std::string> texts;
    bool bold;
    Alignment alignment;
    ListStyle list;
  };
  const std::string bullet = "{\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'B7}}";
  const Case cases[] = {
      {"plain",
       "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1031{\\fonttbl{\\f0\\fnil\\fcharset0 MS Sans "
       "Serif;}}\\viewkind4\\uc1\\pard\\f0\\fs16 Text\\par}",
       {"Text"}, false, Alignment::Left, ListStyle::None},
      {"bold", Old("\\pard\\b\\f0\\fs16 Text\\b0\\par"), {"Text"}, true, Alignment::Left, ListStyle::None},
      {"centred", Old("\\pard\\qc\\f0\\fs16 Text\\par"), {"Text"}, false, Alignment::Center, ListStyle::None},
      {"right", Old("\\pard\\qr\\f0\\fs16 Text\\par"), {"Text"}, false, Alignment::Right, ListStyle::None},
      {"bullet", Old("\\pard" + bullet + "\\fi-200\\li200\\f0\\fs16 Text\\par"), {"Text"}, false,
       Alignment::Left, ListStyle::Bullet},
      {"two bullets, second continues the first",
       Old("\\pard" + bullet + "\\f0\\fs16 Eins\\par{\\pntext\\f1\\'B7\\tab}Zwei\\par"), {"Eins", "Zwei"},
       false, Alignment::Left, ListStyle::Bullet},
      {"umlauts and euro", Old("\\pard\\f0\\fs16 \\'e4\\'f6\\'fc\\'df \\'80\\par"), {"äöüß €"}, false,
       Alignment::Left, ListStyle::None},
      {"bold centred bullet", Old("\\pard" + bullet + "\\qc\\b\\f0\\fs16 Text\\par"), {"Text"}, true,
       Alignment::Center, ListStyle::Bullet},
      {"no final par", Old("\\pard\\f0\\fs16 Text"), {"Text"}, false, Alignment::Left, ListStyle::None},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Document d = ReadRtf(c.rtf);
    const auto paragraphs = TopParagraphs(d);
    ASSERT_EQ(paragraphs.size(), c.texts.size());
    for (std::size_t i = 0; i < paragraphs.size(); ++i) {
      const Paragraph& p = *paragraphs[i];
      EXPECT_EQ(TextOf(p), c.texts[i]);
      EXPECT_EQ(p.format.alignment, c.alignment);
      EXPECT_EQ(p.format.list, c.list);
      ASSERT_FALSE(p.runs.empty());
      EXPECT_EQ(p.runs[0].format.font, "MS Sans Serif");
      EXPECT_EQ(p.runs[0].format.halfPoints, 16);
      EXPECT_EQ(p.runs[0].format.bold, c.bold);
    }
  }
}

TEST(RtfReader, BulletEndsWithPard) {
  const Document d = ReadRtf(Old(
      "\\pard{\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'B7}}\\f0 A\\par"
      "\\pard B\\par"));
  const auto p = TopParagraphs(d);
  ASSERT_EQ(p.size(), 2u);
  EXPECT_EQ(p[0]->format.list, ListStyle::Bullet);
  EXPECT_EQ(p[1]->format.list, ListStyle::None);
}

TEST(RtfReader, DecodesTextByCodePageAndUnicode) {
  struct Case {
    const char* name;
    std::string rtf;
    std::string text;
  };
  const Case cases[] = {
      {"\\u with replacement skipped", "{\\rtf1\\ansi\\uc1 \\u8364?x}", "€x"},
      {"\\uc2 skips two escapes", "{\\rtf1\\ansi{\\uc2\\u8364\\'80\\'80x}}", "€x"},
      {"\\uc0 skips nothing", "{\\rtf1\\ansi\\uc0\\u8364 x}", "€x"},
      {"negative \\u", "{\\rtf1\\ansi\\u-3913?}", "\uF0B7"},
      {"surrogate pair", "{\\rtf1\\ansi\\u-10179?\\u-8704?}", "\U0001F600"},
      {"skip ends at group end", "{\\rtf1\\ansi{\\uc3\\u8364 a}bc}", "€bc"},
      {"ansicpg1251", "{\\rtf1\\ansi\\ansicpg1251 \\'c0\\'e1}", "Аб"},
      {"charset 238 (1250)", "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset238 X;}}\\f0 \\'b9\\'9e}", "ąž"},
      {"charset 204 without ansicpg", "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset204 X;}}\\f0 \\'c0}", "А"},
      {"charset 161 (1253)", "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset161 X;}}\\f0 \\'e1}", "α"},
      {"charset 162 (1254)", "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset162 X;}}\\f0 \\'f0}", "ğ"},
      {"charset 186 (1257)", "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset186 X;}}\\f0 \\'e0}", "ą"},
      {"\\pc is code page 437", "{\\rtf1\\pc \\'81}", "ü"},
      {"font switches code page back", "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset0 A;}{\\f1\\fcharset204 B;}}\\f1 \\'c0\\f0 \\'c0}", "АÀ"},
      {"raw 8-bit bytes", "{\\rtf1\\ansi\\ansicpg1252 \xE4\x80}", "ä€"},
      {"double-byte characters replaced visibly", "{\\rtf1\\ansi\\ansicpg932 \\'82\\'a0x}", "\uFFFDx"},
      {"escaped specials", "{\\rtf1 \\{\\}\\\\}", "{}\\"},
      {"non-breaking space and hyphen", "{\\rtf1 a\\~b\\_c\\-d}", "a\u00A0b\u2011cd"},
      {"tab and line", "{\\rtf1 a\\tab b\\line c}", "a\tb\nc"},
      {"typographic quotes and dashes", "{\\rtf1 \\ldblquote x\\rdblquote \\endash\\emdash\\bullet}", "“x”–—•"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Document pDoc = ReadRtf(c.rtf);
    const auto p = test::TopParagraphs(pDoc);
    ASSERT_EQ(p.size(), 1u);
    EXPECT_EQ(TextOf(*p[0]), c.text);
  }
}

TEST(RtfReader, ShowsOnlyTheTextOfTheDocument) {
  struct Case {
    const char* name;
    std::string rtf;
    std::string text;
  };
  const Case cases[] = {
      {"unknown \\* destination", "{\\rtf1 a{\\*\\unknownthing b}c}", "ac"},
      {"info", "{\\rtf1{\\info{\\title T}{\\author X}}a}", "a"},
      {"header and footer", "{\\rtf1{\\header H}{\\footer F}a}", "a"},
      {"font, colour and style tables", "{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red1\\green2\\blue3;}{\\stylesheet{\\s1 Heading;}}a}", "a"},
      {"field shows its result", "{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"http://x\"}{\\fldrslt shown}}}", "shown"},
      {"field without \\*", "{\\rtf1{\\field{\\fldinst PAGE}{\\fldrslt 1}}}", "1"},
      {"hidden text", "{\\rtf1 a\\v secret\\v0 b}", "ab"},
      {"binary data skipped as a whole", "{\\rtf1 a{\\*\\shprslt\\bin6 {{}}\\b}b}", "ab"},
      {"footnote", "{\\rtf1 a{\\super\\chftn{\\*\\footnote note}}b}", "ab"},
      {"pntext and listtext", "{\\rtf1{\\pntext 1.\\tab}{\\listtext 2.\\tab}a}", "a"},
      {"ansi alternative of \\upr", "{\\rtf1{\\upr{ansi}{\\*\\ud{uni}}}}", "uni"},
      {"text box of a shape", "{\\rtf1{\\shp{\\*\\shpinst{\\sp{\\sn x}{\\sv 1}}{\\shptxt box}}}}", "box"},
      {"picture is no text", "{\\rtf1 a{\\pict\\wmetafile8 0102}b}", "ab"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(PlainText(ReadRtf(c.rtf)), c.text);
  }
}

TEST(RtfReader, ReadsCharacterFormats) {
  struct Case {
    const char* name;
    const char* body;
    CharFormat expected;
  };
  const auto format = [](auto change) {
    CharFormat f;
    f.font = "Arial";
    change(f);
    return f;
  };
  const Color red{255, 0, 0};
  const Case cases[] = {
      {"plain", "x", format([](CharFormat&) {})},
      {"bold", "\\b x", format([](CharFormat& f) { f.bold = true; })},
      {"bold off", "\\b\\b0 x", format([](CharFormat&) {})},
      {"italic", "\\i x", format([](CharFormat& f) { f.italic = true; })},
      {"underline", "\\ul x", format([](CharFormat& f) { f.underline = true; })},
      {"word underline", "\\ulw x", format([](CharFormat& f) { f.underline = true; })},
      {"underline none", "\\ul\\ulnone x", format([](CharFormat&) {})},
      {"strike", "\\strike x", format([](CharFormat& f) { f.strikeOut = true; })},
      {"size", "\\fs30 x", format([](CharFormat& f) { f.halfPoints = 30; })},
      {"absurd size", "\\fs999999999 x", format([](CharFormat& f) { f.halfPoints = kMaxHalfPoints; })},
      {"second font", "\\f1 x", format([](CharFormat& f) { f.font = "Courier New"; })},
      {"unknown font", "\\f7 x", format([](CharFormat& f) { f.font.clear(); })},
      {"colour", "\\cf1 x", format([&](CharFormat& f) { f.color = red; })},
      {"highlight", "\\highlight1 x", format([&](CharFormat& f) { f.background = red; })},
      {"shading colour", "\\chcbpat1 x", format([&](CharFormat& f) { f.background = red; })},
      {"highlight 0 is none", "\\highlight0 x", format([](CharFormat&) {})},
      {"superscript", "\\super x", format([](CharFormat& f) { f.position = VerticalPosition::Superscript; })},
      {"subscript", "\\sub x", format([](CharFormat& f) { f.position = VerticalPosition::Subscript; })},
      {"plain resets", "\\b\\i\\fs40\\f1\\plain x", format([](CharFormat&) {})},
      {"group restores", "{\\b y}x", format([](CharFormat&) {})},
      {"paragraph style", "\\s1 x", format([](CharFormat& f) { f.bold = true, f.halfPoints = 40; })},
      {"character style", "\\cs2 x", format([](CharFormat& f) { f.italic = true; })},
      {"absurd character style", "\\cs99999999999 x", format([](CharFormat&) {})},
      {"absurd paragraph style", "\\s99999999999 x", format([](CharFormat&) {})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string rtf = std::string(
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\fmodern Courier New;}}"
        "{\\colortbl;\\red255\\green0\\blue0;}"
        "{\\stylesheet{\\s1\\b\\fs40 Heading;}{\\*\\cs2\\i Emphasis;}}\\pard\\plain ") + c.body + "\\par}";
    const Document pDoc = ReadRtf(rtf);
    const auto p = test::TopParagraphs(pDoc);
    ASSERT_EQ(p.size(), 1u);
    ASSERT_FALSE(p[0]->runs.empty());
    EXPECT_EQ(p[0]->runs.back().format, c.expected);
  }
}

TEST(RtfReader, ReadsParagraphFormats) {
  struct Case {
    const char* name;
    const char* body;
    ParagraphFormat expected;
  };
  const auto format = [](auto change) {
    ParagraphFormat f;
    change(f);
    return f;
  };
  const Case cases[] = {
      {"default", "x\\par", format([](ParagraphFormat&) {})},
      {"justified", "\\qj x\\par", format([](ParagraphFormat& f) { f.alignment = Alignment::Justify; })},
      {"indents and spacing", "\\li720\\ri360\\fi-360\\sb120\\sa240 x\\par",
       format([](ParagraphFormat& f) {
         f.leftIndent = 720, f.rightIndent = 360, f.firstLineIndent = -360, f.spaceBefore = 120,
         f.spaceAfter = 240;
       })},
      {"absurd indent", "\\li-2147483648 x\\par", format([](ParagraphFormat& f) { f.leftIndent = -kMaxTwips; })},
      {"page break before", "\\pagebb x\\par", format([](ParagraphFormat& f) { f.pageBreakBefore = true; })},
      {"old numbering", "{\\*\\pn\\pnlvlbody\\pndec{\\pntxta .}}x\\par",
       format([](ParagraphFormat& f) { f.list = ListStyle::Decimal; })},
      {"old letters", "{\\*\\pn\\pnlvlbody\\pnlcltr}x\\par", format([](ParagraphFormat& f) { f.list = ListStyle::LowerAlpha; })},
      {"old outline level", "{\\*\\pn\\pnlvl3\\pnucrm}x\\par",
       format([](ParagraphFormat& f) { f.list = ListStyle::UpperRoman, f.listLevel = 2; })},
      {"list table bullet", "\\ls1 x\\par", format([](ParagraphFormat& f) { f.list = ListStyle::Bullet; })},
      {"list table numbers at level 2", "\\ls2\\ilvl1 x\\par",
       format([](ParagraphFormat& f) { f.list = ListStyle::LowerRoman, f.listLevel = 1; })},
      {"unknown list", "\\ls9 x\\par", format([](ParagraphFormat& f) { f.list = ListStyle::Bullet; })},
      {"style", "\\s3 x\\par", format([](ParagraphFormat& f) { f.alignment = Alignment::Center, f.spaceAfter = 100; })},
      {"default paragraph of the document", "\\pard x\\par", format([](ParagraphFormat& f) { f.spaceAfter = 160; })},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string rtf =
        "{\\rtf1\\ansi{\\*\\listtable{\\list\\listtemplateid1{\\listlevel\\levelnfc23{\\leveltext\\'01\\u-3913 ?;}}"
        "\\listid10}{\\list{\\listlevel\\levelnfc0}{\\listlevel\\levelnfc2}\\listid20}}"
        "{\\*\\listoverridetable{\\listoverride\\listid10\\listoverridecount0\\ls1}"
        "{\\listoverride\\listid20\\listoverridecount0\\ls2}}"
        "{\\stylesheet{\\s3\\qc\\sa100 Centred;}}";
    if (std::string(c.name).starts_with("default paragraph")) rtf += "{\\*\\defpap\\sa160}";
    rtf += c.body;
    rtf += "}";
    const Document pDoc = ReadRtf(rtf);
    const auto p = test::TopParagraphs(pDoc);
    ASSERT_EQ(p.size(), 1u);
    EXPECT_EQ(p[0]->format, c.expected);
  }
}

TEST(RtfReader, PageAndSectionBreaksStartNewPages) {
  const Document pDoc = ReadRtf("{\\rtf1 a\\page b\\par\\sect c\\par\\sect\\sectd\\sbknone d\\par}");
    const auto p = test::TopParagraphs(pDoc);
  ASSERT_EQ(p.size(), 4u);
  EXPECT_FALSE(p[0]->format.pageBreakBefore);
  EXPECT_TRUE(p[1]->format.pageBreakBefore);
  EXPECT_TRUE(p[2]->format.pageBreakBefore);
  EXPECT_FALSE(p[3]->format.pageBreakBefore);
}

TEST(RtfReader, ReadsTables) {
  const Document d = ReadRtf(
      "{\\rtf1 before\\par"
      "\\trowd\\trleft100\\cellx1100\\cellx3100\\pard\\intbl a\\cell b\\par b2\\cell\\row"
      "\\pard\\intbl c\\cell d\\cell\\row"  // reuses the row definition
      "\\pard after\\par}");
  ASSERT_EQ(d.blocks.size(), 3u);
  const Table* t = test::FirstTable(d.blocks);
  ASSERT_NE(t, nullptr);
  ASSERT_EQ(t->rows.size(), 2u);
  for (const Row& row : t->rows) {
    ASSERT_EQ(row.cells.size(), 2u);
    EXPECT_EQ(row.cells[0].widthTwips, 1000);
    EXPECT_EQ(row.cells[1].widthTwips, 2000);
  }
  EXPECT_EQ(test::CellText(t->rows[0].cells[0]), "a");
  EXPECT_EQ(t->rows[0].cells[1].blocks.size(), 2u);
  EXPECT_EQ(test::CellText(t->rows[1].cells[1]), "d");
  EXPECT_EQ(PlainText(d), "before\r\na\tb b2\r\nc\td\r\nafter");
}

TEST(RtfReader, ReadsNestedTables) {
  // As Word writes them: the inner row's definition comes after its cells.
  const Document d = ReadRtf(
      "{\\rtf1\\trowd\\cellx4000\\cellx8000"
      "\\pard\\intbl\\itap1 outer1\\cell"
      "\\pard\\intbl\\itap2 in1\\nestcell in2\\nestcell"
      "{\\*\\nesttableprops\\trowd\\cellx1000\\cellx3000\\nestrow}{\\nonesttables\\par}"
      "\\pard\\intbl\\itap1 tail\\cell\\row}");
  const Table* outer = test::FirstTable(d.blocks);
  ASSERT_NE(outer, nullptr);
  ASSERT_EQ(outer->rows.size(), 1u);
  ASSERT_EQ(outer->rows[0].cells.size(), 2u);
  const Cell& second = outer->rows[0].cells[1];
  const Table* inner = test::FirstTable(second.blocks);
  ASSERT_NE(inner, nullptr);
  ASSERT_EQ(inner->rows.size(), 1u);
  ASSERT_EQ(inner->rows[0].cells.size(), 2u);
  EXPECT_EQ(inner->rows[0].cells[1].widthTwips, 2000);
  EXPECT_EQ(test::CellText(inner->rows[0].cells[0]), "in1");
  EXPECT_EQ(test::CellText(second), "tail");
}

TEST(RtfReader, KeepsPngAndJpegPictures) {
  const std::string png = "89504E470D0A1A0A0000000D49484452";
  const Document d = ReadRtf("{\\rtf1 a{\\pict\\pngblip\\picwgoal300\\pichgoal200 " + png +
                             "}{\\*\\shppict{\\pict\\jpegblip\\picscalex50\\picwgoal400\\bin4 \xFF\xD8\xFF\xE0}}"
                             "{\\nonshppict{\\pict\\wmetafile8 0100}}{\\pict\\emfblip 0100}b}");
  const auto p = TopParagraphs(d);
  ASSERT_EQ(p.size(), 1u);
  std::vector<Picture> pictures;
  for (const orvela::rtf::Run& run : p[0]->runs) {
    if (run.picture) pictures.push_back(*run.picture);
  }
  ASSERT_EQ(pictures.size(), 2u);
  EXPECT_EQ(pictures[0].format, Picture::Format::Png);
  EXPECT_EQ(pictures[0].bytes.size(), 16u);
  EXPECT_EQ(pictures[0].widthTwips, 300);
  EXPECT_EQ(pictures[0].heightTwips, 200);
  EXPECT_EQ(pictures[1].format, Picture::Format::Jpeg);
  EXPECT_EQ(pictures[1].bytes, "\xFF\xD8\xFF\xE0");
  EXPECT_EQ(pictures[1].widthTwips, 200);
  EXPECT_EQ(TextOf(*p[0]), "ab");
}

// Damaged and hostile input: read what can be read, never crash or hang.
TEST(RtfReader, SurvivesDamagedInput) {
  struct Case {
    const char* name;
    std::string rtf;
    std::string text;
  };
  const Case cases[] = {
      {"empty", "", ""},
      {"unbalanced open braces", "{\\rtf1 A{\\b B", "AB"},
      {"stray closing braces", "{\\rtf1 A}}}} B", "A"},
      {"closing brace first", "}{\\rtf1 A}", "A"},
      {"missing \\rtf1", "{Hello}", "Hello"},
      {"no braces at all", "just text", "just text"},
      {"backslash at the end", "{\\rtf1 A\\", "A"},
      {"hex escape at the end", "{\\rtf1 A\\'", "A"},
      {"broken hex escape", "{\\rtf1 A\\'zzB}", "AzzB"},
      {"huge \\uc", "{\\rtf1\\uc999999999\\u8364 abcdefghijklmnopqrstuvwxyz}", "€qrstuvwxyz"},
      {"\\bin longer than the file", "{\\rtf1 A{\\pict\\bin999999999 xx", "A"},
      {"negative \\bin", "{\\rtf1 A\\bin-5 B}", "AB"},
      {"\\u out of range", "{\\rtf1 \\u99999999 ?}", "\uFFFD"},
      {"lone surrogate", "{\\rtf1 \\u-10179?x}", "\uFFFDx"},
      {"absurd table level", "{\\rtf1\\intbl\\itap2147483647 x\\nestcell\\nestrow}", "x"},
      {"cell without table", "{\\rtf1 x\\cell y\\row}", "x\ty"},
      {"long control word", "{\\rtf1 \\" + std::string(10000, 'a') + "123 x}", "x"},
      {"many parameters digits", "{\\rtf1 \\fs" + std::string(10000, '9') + " x}", "x"},
      {"deep nesting", "{\\rtf1 " + std::string(100000, '{') + "x" + std::string(100000, '}') + "}", "x"},
      {"deep nesting never closed", "{\\rtf1 " + std::string(100000, '{') + "x", "x"},
      {"many broken escapes", "{\\rtf1 " + [] { std::string s; for (int i = 0; i < 100000; ++i) s += "\\'"; return s; }() + "x}", "x"},
      {"truncated inside font table", "{\\rtf1{\\fonttbl{\\f0 Ari", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(PlainText(ReadRtf(c.rtf)), c.text);
  }
}

TEST(RtfReader, SkipsFiftyMegabytesOfBinaryData) {
  const std::size_t size = 50u << 20;
  std::string rtf = "{\\rtf1 A{\\*\\objdata\\bin" + std::to_string(size) + " ";
  rtf.append(size, '{');
  rtf += "}B}";
  EXPECT_EQ(PlainText(ReadRtf(rtf)), "AB");
}

TEST(RtfReader, RecognisesRtfText) {
  EXPECT_TRUE(IsRtf("{\\rtf1\\ansi x}"));
  EXPECT_TRUE(IsRtf("\r\n  {\\rtf x}"));
  EXPECT_FALSE(IsRtf("Text {\\rtf1}"));
  EXPECT_FALSE(IsRtf("{\\rt"));
  EXPECT_FALSE(IsRtf(""));
}

}  // namespace
}  // namespace orvela::rtf
