// What an edited report gets back from the report it was filled from.
#include <gtest/gtest.h>

#include "RtfTestSupport.h"
#include "rtf/CarryOverLayout.h"
#include "rtf/RtfReader.h"
#include "rtf/RtfWriter.h"

namespace orvela::rtf {
namespace {

using test::CellText;

Paragraph Text(const std::string& text) {
  Paragraph p;
  if (!text.empty()) p.runs.push_back(rtf::Run{text, {}, std::nullopt});
  return p;
}

Cell TextCell(int width, const std::string& text) { return Cell{width, {Block{Text(text)}}}; }

// A landscape report: header and footer, a header row, a description merged over three
// columns the way Word writes it, borders and shading.
Document Report() {
  return ReadRtf(
      "{\\rtf1{\\colortbl;\\red255\\green0\\blue0;\\red192\\green192\\blue192;}"
      "\\paperw16838\\paperh11906\\landscape\\margl850\\margr850{\\header Interne Revision\\par}"
      "{\\footer Seite {\\field{\\*\\fldinst PAGE}{\\fldrslt 1}}\\par}"
      "\\trowd\\trgaph57\\trleft-57\\trhdr\\clcbpat2\\clbrdrb\\brdrs\\brdrw15\\cellx1500\\clcbpat2\\cellx6000"
      "\\clcbpat2\\cellx8000\\clcbpat2\\cellx15000\\intbl Objekt\\cell Feststellung\\cell OE\\cell Termin\\cell\\row"
      "\\trowd\\trgaph57\\trleft-57\\trrh400\\clvmgf\\cellx1500\\cellx6000\\cellx8000\\clbrdrt\\brdrs\\brdrw30\\brdrcf1"
      "\\cellx15000\\intbl 1.2\\cell Zugriff\\cell EK\\cell 31.03.\\cell\\row"
      "\\trowd\\trgaph57\\trleft-57\\clvmrg\\cellx1500\\clmgf\\cellx6000\\clmrg\\cellx8000\\clmrg\\cellx15000"
      "\\intbl\\cell Beschreibung\\cell\\cell\\cell\\row}");
}

// What the editor gives back after one word was changed: no page, no header, default row
// properties, the merged description as one wide cell.
Document Edited() {
  Table table;
  table.rows.push_back(Row{{TextCell(1500, "Objekt"), TextCell(4500, "Feststellung"), TextCell(2000, "OE"),
                            TextCell(7000, "Termin")}});
  table.rows.push_back(Row{{TextCell(1500, "1.2"), TextCell(4500, "Zugriffsrechte"), TextCell(2000, "EK"),
                            TextCell(7000, "31.03.")}});
  table.rows.push_back(Row{{TextCell(1500, ""), TextCell(13500, "Beschreibung")}});
  table.rows[1].cells[0].verticalMerge = Merge::First;
  table.rows[2].cells[0].verticalMerge = Merge::Continue;
  Document d;
  d.blocks = {Block{table}};
  return d;
}

TEST(CarryOverLayout, EditedReportGetsPageHeadersAndTableBack) {
  const Document original = Report();
  Document edited = Edited();
  CarryOverLayout(original, edited);
  EXPECT_EQ(edited.page, original.page);
  EXPECT_EQ(edited.headersFooters, original.headersFooters);

  const Table& t = std::get<Table>(edited.blocks.at(0).content);
  const Table& o = std::get<Table>(original.blocks.at(0).content);
  ASSERT_EQ(t.rows.size(), 3u);
  for (std::size_t r = 0; r < 3; ++r) {
    SCOPED_TRACE(r);
    const Row& row = t.rows[r];
    EXPECT_EQ(row.leftTwips, -57);
    EXPECT_EQ(row.gapTwips, 57);
    EXPECT_EQ(row.header, r == 0);
    ASSERT_EQ(row.cells.size(), o.rows[r].cells.size());
    for (std::size_t c = 0; c < row.cells.size(); ++c) {
      Cell withoutText = row.cells[c];
      withoutText.blocks = o.rows[r].cells[c].blocks;
      EXPECT_EQ(withoutText, o.rows[r].cells[c]) << c;  // everything but the text is the original's
    }
  }
  EXPECT_EQ(t.rows[1].heightTwips, 400);
  EXPECT_EQ(CellText(t.rows[1].cells[1]), "Zugriffsrechte");  // the edit stays
  EXPECT_EQ(CellText(t.rows[2].cells[1]), "Beschreibung");
  EXPECT_EQ(t.rows[2].cells[1].horizontalMerge, Merge::First);
  EXPECT_EQ(t.rows[2].cells[3].horizontalMerge, Merge::Continue);

  const Document back = ReadRtf(WriteRtf(edited));
  EXPECT_EQ(back, edited) << test::Describe(back) << "\n----\n" << test::Describe(edited);
}

TEST(CarryOverLayout, ChangedTablesStayAsEdited) {
  const Document original = Report();
  struct Case {
    const char* name;
    void (*change)(Table&);
  };
  const Case cases[] = {
      {"a row more", [](Table& t) { t.rows.push_back(t.rows.back()); }},
      {"a cell less", [](Table& t) { t.rows[1].cells.pop_back(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Document edited = Edited();
    c.change(std::get<Table>(edited.blocks[0].content));
    const Document before = edited;
    CarryOverLayout(original, edited);
    EXPECT_EQ(edited.page, original.page);  // the page is the report's all the same
    const Table& t = std::get<Table>(edited.blocks[0].content);
    const Table& b = std::get<Table>(before.blocks[0].content);
    if (t.rows.size() == 3) {
      EXPECT_EQ(t.rows[1], b.rows[1]);  // the changed row
      EXPECT_EQ(t.rows[0].gapTwips, 57);  // the others are carried over
    } else {
      EXPECT_EQ(t, b);
    }
  }
}

TEST(CarryOverLayout, NestedTablesAndTablesBeyondTheOriginal) {
  Table inner;
  inner.rows.push_back(Row{{TextCell(800, "innen")}});
  Table outer;
  outer.rows.push_back(Row{{Cell{3000, {Block{inner}, Block{Text("")}}}}});
  Document original;
  original.blocks = {Block{outer}};
  std::get<Table>(std::get<Table>(original.blocks[0].content).rows[0].cells[0].blocks[0].content)
      .rows[0].cells[0].shading = Color{1, 2, 3};

  Document edited;
  edited.blocks = {Block{outer}, Block{Text("neu")}, Block{inner}};
  CarryOverLayout(original, edited);
  const Table& nested = std::get<Table>(std::get<Table>(edited.blocks[0].content).rows[0].cells[0].blocks[0].content);
  EXPECT_EQ(nested.rows[0].cells[0].shading, (Color{1, 2, 3}));
  EXPECT_EQ(std::get<Table>(edited.blocks[2].content), inner);  // a table the original does not have
}

}  // namespace
}  // namespace orvela::rtf
