// Writing RTF, and documents surviving the way to RTF and back.
#include <gtest/gtest.h>

#include <random>

#include "RtfTestSupport.h"
#include "rtf/RtfReader.h"
#include "rtf/RtfWriter.h"

namespace orvela::rtf {
namespace {

Paragraph TextParagraph(const std::string& text, CharFormat format = {}) {
  if (format.font.empty()) format.font = "Arial";
  return Paragraph{{}, {Run{text, format, std::nullopt}}};
}

Document OneParagraph(Paragraph p) {
  Document d;
  d.blocks.push_back(Block{std::move(p)});
  return d;
}

TEST(RtfWriter, WritesAsciiRtfThatOldControlsRead) {
  const std::string rtf = WriteRtf(OneParagraph(TextParagraph("ä€Ж😀{\\}")));
  EXPECT_TRUE(rtf.starts_with("{\\rtf1\\ansi\\ansicpg1252\\deff0"));
  for (const char c : rtf) EXPECT_TRUE(static_cast<unsigned char>(c) < 0x80) << rtf;
  EXPECT_NE(rtf.find("{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}}"), std::string::npos);
  EXPECT_NE(rtf.find("\\'E4\\'80\\u1046?\\u-10179?\\u-8704?\\{\\\\\\}"), std::string::npos) << rtf;
}

TEST(RtfWriter, WritesBulletsTheWayOlderControlsShowThem) {
  Paragraph p = TextParagraph("Punkt");
  p.format.list = ListStyle::Bullet;
  const std::string rtf = WriteRtf(OneParagraph(p));
  EXPECT_NE(rtf.find("{\\f1\\fnil\\fcharset2 Symbol;}"), std::string::npos) << rtf;
  EXPECT_NE(rtf.find("{\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'B7}}"),
            std::string::npos)
      << rtf;
}

TEST(RtfWriter, NumbersListParagraphsForReadersWithoutLists) {
  Document d;
  for (const char* text : {"a", "b", "c"}) {
    Paragraph p = TextParagraph(text);
    p.format.list = ListStyle::UpperRoman;
    d.blocks.push_back(Block{p});
  }
  const std::string rtf = WriteRtf(d);
  EXPECT_NE(rtf.find("{\\pntext\\f0 III.\\tab}"), std::string::npos) << rtf;
  EXPECT_NE(rtf.find("\\pnlvlbody"), std::string::npos);
}

// Random documents with everything the model holds; fixed seed, so failures repeat.
class DocumentGenerator {
 public:
  explicit DocumentGenerator(unsigned seed) : random_(seed) {}

  Document Make() {
    Document d;
    d.blocks = Blocks(0);
    if (Chance(30)) d.page = MakePage();
    HeadersFooters& h = d.headersFooters;
    for (const auto part : kHeaderFooterParts) {
      if (Chance(15)) h.*part = Blocks(0);
    }
    h.titlePage = Chance(10);
    h.facingPages = Chance(10);
    return d;
  }

 private:
  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
  bool Chance(int percent) { return Pick(100) < percent; }

  std::vector<Block> Blocks(int depth) {
    std::vector<Block> blocks;
    const int count = 1 + Pick(depth == 0 ? 8 : 3);
    for (int i = 0; i < count; ++i) {
      const bool lastInCell = depth > 0 && i + 1 == count;
      const bool afterTable = !blocks.empty() && std::holds_alternative<Table>(blocks.back().content);
      if (depth < 2 && !lastInCell && !afterTable && Chance(15)) {
        blocks.push_back(Block{MakeTable(depth + 1)});
      } else {
        blocks.push_back(Block{MakeParagraph()});
      }
    }
    return blocks;
  }

  PageSetup MakePage() {
    PageSetup page;
    page.paperWidth = 5000 + Pick(20000);
    page.paperHeight = 5000 + Pick(20000);
    page.landscape = Chance(40);
    // Margins that leave room for text, which the reader insists on.
    page.marginLeft = Pick(2000);
    page.marginRight = Pick(2000);
    page.marginTop = Pick(2000);
    page.marginBottom = Pick(2000);
    page.headerDistance = Pick(1000);
    page.footerDistance = Pick(1000);
    return page;
  }

  Table MakeTable(int depth) {
    Table t;
    const int rows = 1 + Pick(3);
    for (int r = 0; r < rows; ++r) {
      Row row;
      if (Chance(20)) row.leftTwips = Pick(1000) - 200;
      if (Chance(20)) row.gapTwips = Pick(200);
      if (Chance(20)) row.heightTwips = Pick(2000) - 1000;
      row.header = Chance(15);
      if (Chance(20)) row.alignment = Chance(50) ? Alignment::Center : Alignment::Right;
      const int cells = 1 + Pick(4);
      for (int c = 0; c < cells; ++c) {
        Cell cell{100 * (1 + Pick(40)), Blocks(depth)};
        if (Chance(20)) cell.horizontalMerge = static_cast<Merge>(1 + Pick(2));
        if (Chance(20)) cell.verticalMerge = static_cast<Merge>(1 + Pick(2));
        cell.verticalAlignment = static_cast<CellAlignment>(Pick(3));
        for (auto* side : {&cell.borders.top, &cell.borders.left, &cell.borders.bottom, &cell.borders.right}) {
          if (!Chance(40)) continue;
          Border border{static_cast<BorderStyle>(Pick(4)), Pick(100), std::nullopt};
          if (Chance(30)) border.color = MakeColor();
          *side = border;
        }
        if (Chance(20)) cell.shading = MakeColor();
        if (Chance(20)) cell.padding = CellPadding{Pick(200), Pick(200), Pick(200), Pick(200)};
        row.cells.push_back(std::move(cell));
      }
      t.rows.push_back(std::move(row));
    }
    return t;
  }

  Color MakeColor() {
    return Color{static_cast<std::uint8_t>(Pick(256)), static_cast<std::uint8_t>(Pick(256)),
                 static_cast<std::uint8_t>(Pick(256))};
  }

  Paragraph MakeParagraph() {
    Paragraph p;
    ParagraphFormat& f = p.format;
    f.alignment = static_cast<Alignment>(Pick(4));
    if (Chance(30)) f.leftIndent = Pick(2000);
    if (Chance(20)) f.rightIndent = Pick(2000);
    if (Chance(20)) f.firstLineIndent = Pick(800) - 400;
    if (Chance(20)) f.spaceBefore = Pick(400);
    if (Chance(20)) f.spaceAfter = Pick(400);
    if (Chance(5)) f.pageBreakBefore = true;
    if (Chance(15)) {
      for (int t = 1 + Pick(3); t > 0; --t) f.tabs.push_back(TabStop{500 * t + Pick(400), static_cast<TabAlignment>(Pick(4))});
    }
    if (Chance(30)) {
      f.list = static_cast<ListStyle>(1 + Pick(6));
      f.listLevel = Pick(3);
    }
    const int runs = Pick(5);
    for (int i = 0; i < runs; ++i) {
      Run run;
      run.format = MakeFormat();
      if (!p.runs.empty() && p.runs.back().format == run.format && !p.runs.back().picture) continue;
      if (Chance(5)) {
        run.picture = Picture{Chance(50) ? Picture::Format::Png : Picture::Format::Jpeg, {}, 0, 0};
        run.picture->bytes = run.picture->format == Picture::Format::Png ? "\x89PNG\r\n\x1a\n" : "\xFF\xD8\xFF";
        for (int b = Pick(300); b > 0; --b) run.picture->bytes += static_cast<char>(Pick(256));
        if (Chance(50)) run.picture->widthTwips = 1 + Pick(5000), run.picture->heightTwips = 1 + Pick(5000);
      } else {
        run.text = Text();
        if (Chance(8)) {
          run.field = static_cast<FieldKind>(1 + Pick(4));
          static const char* const kPictures[] = {"", "dd.MM.yyyy", "HH:mm:ss", "d. MMMM yyyy"};
          if (run.field == FieldKind::Date || run.field == FieldKind::Time) run.fieldFormat = kPictures[Pick(4)];
        }
      }
      p.runs.push_back(std::move(run));
    }
    return p;
  }

  CharFormat MakeFormat() {
    static const char* const kFonts[] = {"Arial", "Times New Roman", "Courier New", "Liberation Sans",
                                         "Schrift mit Ümlaut"};
    CharFormat f;
    f.font = kFonts[Pick(5)];
    f.halfPoints = kMinHalfPoints + Pick(100);
    f.bold = Chance(30);
    f.italic = Chance(30);
    f.underline = Chance(20);
    f.strikeOut = Chance(10);
    if (Chance(30)) f.color = MakeColor();
    if (Chance(15)) f.background = MakeColor();
    f.position = static_cast<VerticalPosition>(Chance(80) ? 0 : 1 + Pick(2));
    return f;
  }

  std::string Text() {
    static const char* const kPieces[] = {"Prüfung", " ", "Text", "\\", "{", "}", "\t", "\n", "€",
                                          "Ж", "😀", "ß", "1", "a", "\u00A0", "“", ";", "?"};
    std::string text;
    for (int n = 1 + Pick(6); n > 0; --n) text += kPieces[Pick(std::size(kPieces))];
    return text;
  }

  std::mt19937 random_;
};

TEST(RtfWriter, GeneratedDocumentsSurviveTheRoundTrip) {
  DocumentGenerator generator(20261210);
  for (int i = 0; i < 300; ++i) {
    SCOPED_TRACE("document " + std::to_string(i));
    const Document original = generator.Make();
    const std::string rtf = WriteRtf(original);
    const Document back = ReadRtf(rtf);
    ASSERT_EQ(back, original) << rtf << "\nread back:\n" << test::Describe(back) << "\nwritten:\n" << test::Describe(original);
    ASSERT_EQ(WriteRtf(back), rtf);
  }
}

TEST(RtfWriter, EmptyDocumentStaysEmpty) {
  EXPECT_EQ(ReadRtf(WriteRtf(Document{})), Document{});
}

TEST(RtfWriter, CellsGetTheirClosingParagraph) {
  // A cell must end with a paragraph mark; an empty cell or one ending in a table gets one.
  Table inner;
  inner.rows.push_back(Row{{Cell{500, {Block{TextParagraph("in")}}}}});
  Table outer;
  outer.rows.push_back(Row{{Cell{1000, {}}, Cell{1000, {Block{inner}}}}});
  Document d;
  d.blocks.push_back(Block{outer});
  const Document back = ReadRtf(WriteRtf(d));
  const Table* t = test::FirstTable(back.blocks);
  ASSERT_NE(t, nullptr);
  ASSERT_EQ(t->rows.at(0).cells.size(), 2u);
  EXPECT_EQ(t->rows[0].cells[0].blocks.size(), 1u);
  const auto& second = t->rows[0].cells[1].blocks;
  ASSERT_EQ(second.size(), 2u);
  EXPECT_TRUE(std::holds_alternative<Table>(second[0].content));
  EXPECT_TRUE(std::holds_alternative<Paragraph>(second[1].content));
}

}  // namespace
}  // namespace orvela::rtf
