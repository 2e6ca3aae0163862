// Page set-up, headers and footers, fields and table geometry as files state them.
#include <gtest/gtest.h>

#include "RtfTestSupport.h"
#include "rtf/PlainText.h"
#include "rtf/RtfReader.h"
#include "rtf/RtfWriter.h"

namespace orvela::rtf {
namespace {

using test::CellText;
using test::TextOf;

std::string TextOfBlocks(const std::vector<Block>& blocks) {
  std::string text;
  for (const Block& b : blocks) {
    if (const auto* p = std::get_if<Paragraph>(&b.content)) text += TextOf(*p) + "|";
  }
  return text;
}

std::vector<const rtf::Run*> FieldRuns(const std::vector<Block>& blocks) {
  std::vector<const rtf::Run*> out;
  for (const Block& b : blocks) {
    if (const auto* p = std::get_if<Paragraph>(&b.content)) {
      for (const rtf::Run& r : p->runs) {
        if (r.field != FieldKind::None) out.push_back(&r);
      }
    }
  }
  return out;
}

TEST(RtfPageSetup, ReadsDocumentAndSectionWords) {
  struct Case {
    const char* name;
    const char* rtf;
    std::optional<PageSetup> page;
  };
  const PageSetup defaults;
  const auto with = [&](int w, int h, bool landscape, int l, int r, int t, int b, int hy = 720, int fy = 720) {
    return PageSetup{w, h, landscape, l, r, t, b, hy, fy};
  };
  const Case cases[] = {
      {"nothing said", "{\\rtf1\\ansi Text\\par}", std::nullopt},
      {"document words", "{\\rtf1\\paperw11906\\paperh16838\\margl1417\\margr1134\\margt1417\\margb1134 Text\\par}",
       with(11906, 16838, false, 1417, 1134, 1417, 1134)},
      {"one word, the rest as RTF assumes", "{\\rtf1\\margl1000 Text\\par}",
       with(defaults.paperWidth, defaults.paperHeight, false, 1000, 1800, 1440, 1440)},
      {"section overrides document",
       "{\\rtf1\\paperw11906\\paperh16838\\margl1417\\sectd\\lndscpsxn\\pgwsxn16838\\pghsxn11906\\marglsxn900"
       "\\margtsxn700\\headery400\\footery300 Text\\par}",
       with(16838, 11906, true, 900, 1800, 700, 1440, 400, 300)},
      {"\\sectd forgets earlier section words",
       "{\\rtf1\\paperw11906\\paperh16838\\pgwsxn5000\\sectd Text\\par}", with(11906, 16838, false, 1800, 1800, 1440, 1440)},
      {"second section does not change the first",
       "{\\rtf1\\sectd\\marglsxn500 Text\\sect\\sectd\\marglsxn3000\\lndscpsxn Zwei\\par}",
       with(12240, 15840, false, 500, 1800, 1440, 1440)},
      {"absurd sizes are held within a page",
       "{\\rtf1\\paperw-5\\paperh99999999\\margl-20\\margr2000 Text\\par}",
       with(1440, kMaxTwips, false, 0, 720, 1440, 1440)},
      {"margins wider than the paper leave room for text",
       "{\\rtf1\\paperw4000\\paperh4000\\margl3000\\margr3000\\margt100\\margb100 Text\\par}",
       with(4000, 4000, false, 1640, 1640, 100, 100)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Document d = ReadRtf(c.rtf);
    EXPECT_EQ(d.page, c.page) << test::Describe(d);
    EXPECT_NE(PlainText(d).find("Text"), std::string::npos);
  }
}

TEST(RtfPageSetup, LandscapeTurnsPortraitPaper) {
  struct Case {
    const char* rtf;
    int width, height;
  };
  const Case cases[] = {
      {"{\\rtf1\\paperw11906\\paperh16838\\landscape x}", 16838, 11906},  // only the flag
      {"{\\rtf1\\paperw16838\\paperh11906\\landscape x}", 16838, 11906},  // as Word writes it
      {"{\\rtf1\\paperw16838\\paperh11906 x}", 16838, 11906},             // wide paper without the flag
      {"{\\rtf1\\paperw11906\\paperh16838 x}", 11906, 16838},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.rtf);
    const Document d = ReadRtf(c.rtf);
    ASSERT_TRUE(d.page);
    EXPECT_EQ(PageWidth(*d.page), c.width);
    EXPECT_EQ(PageHeight(*d.page), c.height);
  }
}

TEST(RtfHeadersFooters, ReadsEveryPartApartFromTheBody) {
  const Document d = ReadRtf(
      "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1 Courier New;}}\\facingp\\sectd\\titlepg"
      "{\\header \\pard\\qc\\f1 Kopf\\par}{\\headerl \\pard Links\\par}{\\headerr \\pard Rechts\\par}"
      "{\\headerf \\pard Erste\\par}{\\footer \\pard\\f0\\b Fu\\'df\\par}{\\footerl L}{\\footerr R}{\\footerf F}"
      "\\pard\\plain K\\'f6rper\\par}");
  EXPECT_EQ(PlainText(d), "K\xC3\xB6rper");
  const HeadersFooters& h = d.headersFooters;
  EXPECT_TRUE(h.titlePage);
  EXPECT_TRUE(h.facingPages);
  EXPECT_EQ(TextOfBlocks(h.header), "Kopf|");
  EXPECT_EQ(TextOfBlocks(h.headerLeft), "Links|");
  EXPECT_EQ(TextOfBlocks(h.headerRight), "Rechts|");
  EXPECT_EQ(TextOfBlocks(h.headerFirst), "Erste|");
  EXPECT_EQ(TextOfBlocks(h.footer), "Fu\xC3\x9F|");
  EXPECT_EQ(TextOfBlocks(h.footerLeft), "L|");
  EXPECT_EQ(TextOfBlocks(h.footerRight), "R|");
  EXPECT_EQ(TextOfBlocks(h.footerFirst), "F|");
  const auto& kopf = std::get<Paragraph>(h.header.at(0).content);
  EXPECT_EQ(kopf.format.alignment, Alignment::Center);
  EXPECT_EQ(kopf.runs.at(0).format.font, "Courier New");
  EXPECT_TRUE(std::get<Paragraph>(h.footer.at(0).content).runs.at(0).format.bold);
  // The body's format is not the header's.
  const auto& body = std::get<Paragraph>(d.blocks.at(0).content);
  EXPECT_EQ(body.format.alignment, Alignment::Left);
  EXPECT_FALSE(body.runs.at(0).format.bold);

  EXPECT_EQ(TextOfBlocks(HeaderFor(h, 1)), "Erste|");
  EXPECT_EQ(TextOfBlocks(HeaderFor(h, 2)), "Links|");
  EXPECT_EQ(TextOfBlocks(HeaderFor(h, 3)), "Rechts|");
  EXPECT_EQ(TextOfBlocks(FooterFor(h, 4)), "L|");
}

TEST(RtfHeadersFooters, ChoosesThePartOfEachPage) {
  HeadersFooters h;
  h.headerRight = {Block{Paragraph{{}, {rtf::Run{"Word", {}, std::nullopt}}}}};
  EXPECT_EQ(TextOfBlocks(HeaderFor(h, 1)), "Word|");  // Word writes \headerr for every page
  h.header = {Block{Paragraph{{}, {rtf::Run{"Alle", {}, std::nullopt}}}}};
  EXPECT_EQ(TextOfBlocks(HeaderFor(h, 2)), "Alle|");
  h.titlePage = true;
  EXPECT_TRUE(HeaderFor(h, 1).empty());  // a first page without its own header has none
  EXPECT_EQ(TextOfBlocks(HeaderFor(h, 2)), "Alle|");
  EXPECT_TRUE(FooterFor(h, 2).empty());
}

TEST(RtfHeadersFooters, OnlyTheFirstSectionAndNoNesting) {
  const Document d = ReadRtf(
      "{\\rtf1{\\header Eins{\\footer innen}\\par}Text\\sect\\sectd{\\header Zwei\\par}{\\footer Fuss\\par}Mehr\\par}");
  EXPECT_EQ(TextOfBlocks(d.headersFooters.header), "Eins|");
  EXPECT_TRUE(d.headersFooters.footer.empty());
  EXPECT_EQ(PlainText(d), "Text\r\nMehr");
}

TEST(RtfHeadersFooters, CutOffInsideAHeader) {
  const Document d = ReadRtf("{\\rtf1 Vorher\\par{\\header Kopf ohne Ende");
  EXPECT_EQ(PlainText(d), "Vorher");
  EXPECT_EQ(TextOfBlocks(d.headersFooters.header), "Kopf ohne Ende|");
}

TEST(RtfFields, KeepsPageCountAndDateFields) {
  struct Case {
    const char* name;
    const char* field;
    FieldKind kind;
    const char* picture;
    const char* result;
  };
  const Case cases[] = {
      {"page", "{\\field{\\*\\fldinst PAGE}{\\fldrslt 3}}", FieldKind::Page, "", "3"},
      {"LibreOffice's spaces and lower case", "{\\field{\\*\\fldinst  page }{\\fldrslt{\\b 3}}}",
       FieldKind::Page, "", "3"},
      {"instruction in groups", "{\\field{\\*\\fldinst {NUM}{PAGES \\\\* MERGEFORMAT}}{\\fldrslt 12}}",
       FieldKind::NumPages, "", "12"},
      {"quoted date picture", "{\\field{\\*\\fldinst  DATE \\\\@\"dd.MM.yyyy\" }{\\fldrslt 11.12.2026}}",
       FieldKind::Date, "dd.MM.yyyy", "11.12.2026"},
      {"bare time picture", "{\\field{\\*\\fldinst TIME \\\\@ HH:mm}{\\fldrslt 09:30}}", FieldKind::Time, "HH:mm",
       "09:30"},
      {"no result", "{\\field{\\*\\fldinst NUMPAGES}}", FieldKind::NumPages, "", ""},
      {"control characters in the picture", "{\\field{\\*\\fldinst DATE \\\\@ \"dd\\tab .MM\"}{\\fldrslt x}}",
       FieldKind::Date, "dd.MM", "x"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Document d = ReadRtf(std::string("{\\rtf1 Seite ") + c.field + " Ende\\par}");
    const auto fields = FieldRuns(d.blocks);
    ASSERT_EQ(fields.size(), 1u) << test::Describe(d);
    EXPECT_EQ(fields[0]->field, c.kind);
    EXPECT_EQ(fields[0]->fieldFormat, c.picture);
    EXPECT_EQ(fields[0]->text, c.result);
    EXPECT_EQ(PlainText(d), std::string("Seite ") + c.result + " Ende");
  }
}

// A picture that fills the instruction's room unquoted is cut to what still fits once it is
// written with its switch and quotes, on a character boundary, so it reads back as written.
TEST(RtfFields, LongDatePictureReadsBackAsWritten) {
  std::string picture;
  for (int i = 0; i < 124; ++i) picture += "\\'e7";  // two UTF-8 bytes each
  const Document d = ReadRtf("{\\rtf1{\\field{\\*\\fldinst DATE\\\\@" + picture + "}{\\fldrslt x}}\\par}");
  const auto fields = FieldRuns(d.blocks);
  ASSERT_EQ(fields.size(), 1u);
  const std::string& kept = fields[0]->fieldFormat;
  EXPECT_LE(kept.size(), 240u);
  EXPECT_EQ(kept.size() % 2, 0u);  // whole characters only
  EXPECT_EQ(ReadRtf(WriteRtf(d)), d);
  EXPECT_EQ(WriteRtf(ReadRtf(WriteRtf(d))), WriteRtf(d));
}

TEST(RtfFields, EmptyResultKeepsItsFormat) {
  const Document d = ReadRtf("{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1 Courier;}}{\\field{\\*\\fldinst PAGE}{\\fldrslt {\\f1\\b }}}\\par}");
  const auto fields = FieldRuns(d.blocks);
  ASSERT_EQ(fields.size(), 1u);
  EXPECT_EQ(fields[0]->format.font, "Courier");
  EXPECT_TRUE(fields[0]->format.bold);
  EXPECT_EQ(ReadRtf(WriteRtf(d)), d);
}

TEST(RtfFields, OtherFieldsShowTheirResult) {
  const Document d = ReadRtf(
      "{\\rtf1 {\\field{\\*\\fldinst HYPERLINK \"https://example.org\"}{\\fldrslt Verweis}} und "
      "{\\field{\\*\\fldinst PAGE}{\\fldrslt {\\field{\\*\\fldinst TITLE}{\\fldrslt Titel}}}}\\par}");
  EXPECT_EQ(PlainText(d), "Verweis und Titel");
  const auto fields = FieldRuns(d.blocks);
  ASSERT_EQ(fields.size(), 1u);
  EXPECT_EQ(fields[0]->field, FieldKind::Page);
  // A stray instruction outside a field is not text.
  EXPECT_EQ(PlainText(ReadRtf("{\\rtf1 a{\\*\\fldinst PAGE}b}")), "ab");
}

TEST(RtfTables, ReadsRowAndCellGeometry) {
  const Document d = ReadRtf(
      "{\\rtf1{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
      "\\trowd\\trgaph70\\trleft-70\\trrh-400\\trhdr\\trqc"
      "\\clbrdrt\\brdrs\\brdrw30\\brdrcf1\\clbrdrl\\brdrdb\\clbrdrb\\brdrs\\brdrnone\\clcbpat2\\clvertalc\\cellx2000"
      "\\clmgf\\clbrdrr\\brdrw10\\brdrdot\\cellx5000\\clmrg\\clshdng2500\\cellx6000"
      "\\intbl A\\cell B\\cell\\cell\\row"
      "\\trowd\\brdrt\\brdrs\\box\\brdrs\\clvmgf\\clcbpat2\\clcfpat1\\clshdng5000\\cellx1000\\clvertalb\\cellx3000"
      "\\intbl C\\cell D\\cell\\row"
      "\\trowd\\clvmrg\\cellx1000\\cellx3000\\intbl\\cell E\\cell\\row}");
  const Table* t = test::FirstTable(d.blocks);
  ASSERT_NE(t, nullptr);
  ASSERT_EQ(t->rows.size(), 3u);
  const Row& first = t->rows[0];
  EXPECT_EQ(first.leftTwips, -70);
  EXPECT_EQ(first.gapTwips, 70);
  EXPECT_EQ(first.heightTwips, -400);
  EXPECT_TRUE(first.header);
  EXPECT_EQ(first.alignment, Alignment::Center);
  ASSERT_EQ(first.cells.size(), 3u);
  EXPECT_EQ(first.cells[0].widthTwips, 2070);
  EXPECT_EQ(first.cells[1].widthTwips, 3000);
  EXPECT_EQ(first.cells[2].widthTwips, 1000);
  const Cell& a = first.cells[0];
  EXPECT_EQ(a.borders.top, (Border{BorderStyle::Single, 30, Color{255, 0, 0}}));
  EXPECT_EQ(a.borders.left, (Border{BorderStyle::Double, 15, std::nullopt}));
  EXPECT_EQ(a.borders.bottom, std::nullopt);  // \brdrnone
  EXPECT_EQ(a.borders.right, std::nullopt);
  EXPECT_EQ(a.shading, (Color{0, 0, 255}));
  EXPECT_EQ(a.verticalAlignment, CellAlignment::Center);
  EXPECT_EQ(first.cells[1].horizontalMerge, Merge::First);
  EXPECT_EQ(first.cells[1].borders.right, (Border{BorderStyle::Dotted, 10, std::nullopt}));
  EXPECT_EQ(first.cells[1].shading, std::nullopt);
  EXPECT_EQ(first.cells[2].horizontalMerge, Merge::Continue);
  EXPECT_EQ(first.cells[2].shading, (Color{191, 191, 191}));  // 25 % black on white
  EXPECT_EQ(CellText(first.cells[1]), "B");

  const Row& second = t->rows[1];
  EXPECT_FALSE(second.header);  // \trowd starts afresh
  EXPECT_EQ(second.gapTwips, 0);
  EXPECT_EQ(second.alignment, Alignment::Left);
  EXPECT_EQ(second.cells[0].verticalMerge, Merge::First);
  EXPECT_EQ(second.cells[0].borders, CellBorders{});  // paragraph borders are not the cell's
  EXPECT_EQ(second.cells[0].shading, (Color{128, 0, 128}));  // half red on blue
  EXPECT_EQ(second.cells[1].verticalAlignment, CellAlignment::Bottom);
  EXPECT_EQ(t->rows[2].cells[0].verticalMerge, Merge::Continue);
  EXPECT_EQ(CellText(t->rows[2].cells[1]), "E");
}

TEST(RtfTables, WrittenGeometryReadsBack) {
  Document d;
  d.page = PageSetup{16838, 11906, true, 1134, 1020, 1300, 1130, 850, 680};
  rtf::Run page{"1", {}, std::nullopt, FieldKind::Page};
  d.headersFooters.footer = {Block{Paragraph{{}, {rtf::Run{"Seite ", {}, std::nullopt}, page}}}};
  Row row;
  row.header = true;
  row.leftTwips = 100;
  Cell merged{3000, {Block{Paragraph{{}, {rtf::Run{"breit", {}, std::nullopt}}}}}};
  merged.horizontalMerge = Merge::First;
  merged.borders.bottom = Border{BorderStyle::Single, 20, Color{255, 0, 0}};
  merged.shading = Color{192, 192, 192};
  Cell covered{1000, {Block{Paragraph{}}}};
  covered.horizontalMerge = Merge::Continue;
  row.cells = {merged, covered};
  Table table;
  table.rows = {row};
  d.blocks = {Block{table}};
  const std::string rtf = WriteRtf(d);
  for (const char* word : {"\\paperw16838\\paperh11906", "\\landscape", "\\lndscpsxn", "\\margl1134", "\\trhdr",
                           "\\trleft100", "\\clmgf", "\\clmrg", "\\clbrdrb\\brdrs\\brdrw20\\brdrcf2", "\\clcbpat1",
                           "\\cellx3100", "\\cellx4100", "{\\footer", "{\\field{\\*\\fldinst PAGE}"}) {
    EXPECT_NE(rtf.find(word), std::string::npos) << word << "\n" << rtf;
  }
  EXPECT_EQ(ReadRtf(rtf), d) << rtf;
}

TEST(RtfTables, DocumentsWithoutThemWriteAsBefore) {
  // What the description editor stores keeps its bytes: no page words, no header groups.
  Document d;
  Row row;
  row.cells = {Cell{1000, {Block{Paragraph{}}}}};
  Table table;
  table.rows = {row};
  d.blocks = {Block{Paragraph{{}, {rtf::Run{"x", {}, std::nullopt}}}}, Block{table}};
  const std::string rtf = WriteRtf(d);
  for (const char* word : {"paperw", "sectd", "header", "footer", "field", "trhdr", "clbrdr", "clcbpat", "clmgf"}) {
    EXPECT_EQ(rtf.find(word), std::string::npos) << word;
  }
  EXPECT_NE(rtf.find("\\trowd\\trgaph108\\trleft0\\cellx1000"), std::string::npos) << rtf;
}

TEST(RtfBorders, ParagraphBordersAndLineSpacingReadAndWriteBack) {
  const Color red{255, 0, 0};
  const Border thin{BorderStyle::Single, 10, red, 28};
  const Border twice{BorderStyle::Double, 30, std::nullopt};
  const Border plain{};
  struct Case {
    const char* name;
    std::string words;  // after \pard
    Borders borders;
    int lineSpacing;
    bool multiple;
    std::string written;  // what the writer makes of it; empty: no border or spacing word at all
  };
  const Case cases[] = {
      {"bottom line", "\\brdrb\\brdrs\\brdrw10\\brdrcf1\\brsp28", {{}, {}, thin, {}}, 0, false,
       "\\brdrb\\brdrs\\brdrw10\\brdrcf1\\brsp28"},
      {"box", "\\box\\brdrdb\\brdrw30", {twice, twice, twice, twice}, 0, false,
       "\\brdrt\\brdrdb\\brdrw30\\brdrl\\brdrdb\\brdrw30\\brdrb\\brdrdb\\brdrw30\\brdrr\\brdrdb\\brdrw30"},
      {"box without its bottom", "\\box\\brdrs\\brdrb\\brdrnone", {plain, plain, {}, plain}, 0, false,
       "\\brdrt\\brdrs\\brdrw15\\brdrl\\brdrs\\brdrw15\\brdrr\\brdrs\\brdrw15"},
      {"side without a style", "\\brdrt\\brdrw40", {}, 0, false, ""},
      {"new paragraph ends the side", "\\brdrl\\brdrdot\\pard\\brdrw40", {}, 0, false, ""},
      {"line of a cell is no paragraph's", "\\clbrdrb\\brdrs", {}, 0, false, ""},
      {"from the style", "\\s1", {{}, {}, Border{BorderStyle::Single, 20}, {}}, 360, true,
       "\\sl360\\slmult1\\brdrb\\brdrs\\brdrw20"},
      {"1.15 lines", "\\sl276\\slmult1", {}, 276, true, "\\sl276\\slmult1"},
      {"exactly", "\\sl-300", {}, -300, false, "\\sl-300\\slmult0"},
      {"at least", "\\sl400\\slmult0", {}, 400, false, "\\sl400\\slmult0"},
      {"multiple without a spacing", "\\slmult1", {}, 0, false, ""},
      {"absurd spacing", "\\sl99999999", {}, kMaxTwips, false, "\\sl31680\\slmult0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Document d = ReadRtf("{\\rtf1{\\colortbl;\\red255\\green0\\blue0;}"
                               "{\\stylesheet{\\s1\\sl360\\slmult1\\brdrb\\brdrs\\brdrw20 Umrandet;}}\\pard" +
                               c.words + " Text\\par}");
    ASSERT_EQ(d.blocks.size(), 1u);
    const ParagraphFormat& f = std::get<Paragraph>(d.blocks[0].content).format;
    EXPECT_EQ(f.borders, c.borders);
    EXPECT_EQ(f.lineSpacing, c.lineSpacing);
    EXPECT_EQ(f.lineSpacingMultiple, c.multiple);
    const std::string rtf = WriteRtf(d);
    if (c.written.empty()) {
      for (const char* word : {"brdr", "\\sl", "brsp"}) EXPECT_EQ(rtf.find(word), std::string::npos) << word << rtf;
    } else {
      EXPECT_NE(rtf.find("\\pard" + c.written + "{"), std::string::npos) << rtf;
    }
    EXPECT_EQ(ReadRtf(rtf), d) << rtf;
  }
}

TEST(RtfBorders, RowBordersReadAndWriteBack) {
  const Color red{255, 0, 0};
  struct Case {
    const char* name;
    std::string words;  // after \trowd
    RowBorders borders;
    std::string written;
  };
  const Case cases[] = {
      {"outer and inner lines",
       "\\trbrdrt\\brdrs\\brdrw10\\trbrdrl\\brdrs\\trbrdrb\\brdrs\\trbrdrr\\brdrs\\trbrdrh\\brdrdash\\trbrdrv\\brdrs"
       "\\brdrcf1",
       {Border{BorderStyle::Single, 10}, Border{}, Border{}, Border{}, Border{BorderStyle::Dashed},
        Border{BorderStyle::Single, 15, red}},
       "\\trbrdrt\\brdrs\\brdrw10\\trbrdrl\\brdrs\\brdrw15\\trbrdrb\\brdrs\\brdrw15\\trbrdrr\\brdrs\\brdrw15"
       "\\trbrdrh\\brdrdash\\brdrw15\\trbrdrv\\brdrs\\brdrw15\\brdrcf1\\cellx"},
      {"switched off", "\\trbrdrt\\brdrs\\brdrnone", {}, "\\trleft0\\cellx"},
      {"a cell's line after the row's", "\\trbrdrb\\brdrs\\clbrdrb\\brdrdb",
       {{}, {}, Border{}, {}, {}, {}}, "\\trbrdrb\\brdrs\\brdrw15\\clbrdrb\\brdrdb\\brdrw15\\cellx"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Document d = ReadRtf("{\\rtf1{\\colortbl;\\red255\\green0\\blue0;}\\trowd" + c.words +
                               "\\cellx2000\\pard\\intbl A\\cell\\row}");
    const Table* t = test::FirstTable(d.blocks);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->rows[0].borders, c.borders);
    EXPECT_EQ(t->rows[0].cells[0].borders.top, std::nullopt);  // the row's line is not the cell's
    const std::string rtf = WriteRtf(d);
    EXPECT_NE(rtf.find(c.written), std::string::npos) << rtf;
    EXPECT_EQ(ReadRtf(rtf), d) << rtf;
  }
}

// tests/data/rtf/libreoffice-*.rtf: LibreOffice's RTF of the .fodt files beside them.
TEST(RtfLibreOffice, ReadsLandscapeTableWithHeaderAndFooter) {
  const Document d = ReadRtf(test::ReadBytes(ORVELA_TEST_DATA "/rtf/libreoffice-landscape-table.rtf"));
  ASSERT_TRUE(d.page);
  EXPECT_EQ(*d.page, (PageSetup{16838, 11906, true, 1134, 1020, 1300, 1130, 850, 680}));
  EXPECT_EQ(TextOfBlocks(d.headersFooters.header), "Interne Revision|");
  const auto footer = FieldRuns(d.headersFooters.footer);
  ASSERT_EQ(footer.size(), 3u);
  EXPECT_EQ(footer[0]->field, FieldKind::Date);
  EXPECT_EQ(footer[0]->fieldFormat, "M/d/yy");
  EXPECT_EQ(footer[1]->field, FieldKind::Page);
  EXPECT_EQ(footer[2]->field, FieldKind::NumPages);
  EXPECT_NE(TextOfBlocks(d.headersFooters.footer).find("Seite 1 von 1"), std::string::npos);

  const Table* t = test::FirstTable(d.blocks);
  ASSERT_NE(t, nullptr);
  ASSERT_EQ(t->rows.size(), 3u);
  const Border hair{BorderStyle::Single, 1, Color{0, 0, 0}};
  const std::vector<int> widths = {1701, 4535, 2778, 5669};
  for (std::size_t c = 0; c < 4; ++c) {
    const Cell& head = t->rows[0].cells.at(c);
    EXPECT_EQ(head.widthTwips, widths[c]);
    EXPECT_EQ(head.shading, (Color{192, 192, 192}));
    EXPECT_EQ(head.borders.top, hair);
    EXPECT_EQ(head.borders.right, hair);
    EXPECT_EQ(head.padding, (CellPadding{57, 57, 57, 57}));
  }
  EXPECT_EQ(t->rows[1].cells[0].verticalMerge, Merge::First);
  const Cell& thick = t->rows[1].cells.at(3);
  EXPECT_EQ(thick.borders.top, (Border{BorderStyle::Single, 30, Color{255, 0, 0}}));
  EXPECT_EQ(thick.borders.left, std::nullopt);
  // LibreOffice writes the merged description as one wide cell beside the covered one.
  ASSERT_EQ(t->rows[2].cells.size(), 2u);
  EXPECT_EQ(t->rows[2].cells[0].verticalMerge, Merge::Continue);
  EXPECT_EQ(t->rows[2].cells[1].widthTwips, 4535 + 2778 + 5669);
  EXPECT_EQ(CellText(t->rows[2].cells[1]), "Die Beschreibung der Feststellung \xC3\xBC" "ber die ganze Breite");
  EXPECT_EQ(ReadRtf(WriteRtf(d)), d);
}

TEST(RtfLibreOffice, ReadsLetterPageWithHeaderAndFooter) {
  const Document d = ReadRtf(test::ReadBytes(ORVELA_TEST_DATA "/rtf/libreoffice-letter-header.rtf"));
  ASSERT_TRUE(d.page);
  EXPECT_EQ(PageWidth(*d.page), 12240);
  EXPECT_EQ(PageHeight(*d.page), 15840);
  EXPECT_FALSE(d.page->landscape);
  EXPECT_EQ(d.page->marginLeft, 1440);
  EXPECT_EQ(d.page->marginRight, 1080);
  EXPECT_EQ(TextOfBlocks(d.headersFooters.header), "Rechte Seite|");
  EXPECT_EQ(std::get<Paragraph>(d.headersFooters.header.at(0).content).format.alignment, Alignment::Right);
  // The stops of the header style, which LibreOffice repeats in the paragraph.
  const std::vector<TabStop> stops = {{4819, TabAlignment::Center}, {9638, TabAlignment::Right}};
  EXPECT_EQ(std::get<Paragraph>(d.headersFooters.header.at(0).content).format.tabs, stops);
  ASSERT_EQ(FieldRuns(d.headersFooters.footer).size(), 1u);
  EXPECT_EQ(PlainText(d), "Pr\xC3\xBC" "fbericht im Format Letter\r\nZweiter Absatz.");
  EXPECT_EQ(ReadRtf(WriteRtf(d)), d);
}

}  // namespace
}  // namespace orvela::rtf
