// Real-world RTF files from word processors, report generators and hostile samples.
#include "../TestRequirements.h"
#include <gtest/gtest.h>

#include <filesystem>

#include "RtfTestSupport.h"
#include "rtf/PlainText.h"
#include "rtf/RtfReader.h"

namespace orvela::rtf {
namespace {

namespace fs = std::filesystem;

bool HasPicture(const std::vector<Block>& blocks) {
  for (const Block& b : blocks) {
    if (const auto* p = std::get_if<Paragraph>(&b.content)) {
      for (const rtf::Run& r : p->runs) {
        if (r.picture) return true;
      }
    } else {
      for (const Row& row : std::get<Table>(b.content).rows) {
        for (const Cell& cell : row.cells) {
          if (HasPicture(cell.blocks)) return true;
        }
      }
    }
  }
  return false;
}

TEST(RtfCorpus, ReadsEveryFile) {
  const fs::path folder = fs::path(ORVELA_SHARED_DIR) / "rtf-corpus";
  ORVELA_REQUIRE(fs::is_directory(folder), "the RTF corpus at " + folder.string());
  struct Case {
    const char* file;
    const char* contains;  // part of the plain text; empty for files without body text
    bool table = false;
    bool picture = false;
  };
  const Case cases[] = {
      {"165333.rtf", ""},  // hidden line break and an empty field result only
      {"4010_min.rtf", "This is where the table starts.\tanother cell", true},
      {"CVE-2010-3451-1.rtf", ""},  // cut off before the body
      {"bin-skipping.rtf", "text"},
      {"cp1000018.rtf", "Hello world!"},
      {"cp950listleveltext3.rtf", "Test"},
      {"fdo39001.rtf", "NEXT PAGE"},
      {"fdo42109.rtf", "1", true},
      {"fdo44715.rtf", "last line", true},
      {"fdo47107.rtf", "Alpha\r\nBeta"},
      {"fdo47440.rtf", ""},  // a picture in a shape property, no text
      {"fdo47802.rtf", "A\tB", true},
      {"fdo53594.rtf", "", true},  // an embedded object in a table cell
      {"fdo54900.rtf", "foo", true},
      {"fdo57678.rtf", "Cell 1:1\tCell 1:2", true},
      {"fdo57708.rtf", "PM1 TEST", false, true},
      {"fdo59638.rtf", "3"},
      {"fdo62805.rtf", "test in cell", true},
      {"fdo63023.rtf", "body text"},
      {"fdo66040.rtf", "foo", true},  // the table sits in a text box
      {"fdo67365.rtf", "A3", true},
      {"fdo74709.rtf", "1.23\t4.56", true},
      {"fdo76628.rtf", "ОБРАЗЕЦ"},
      {"fdo77996.rtf", "厦门钨业"},
      {"fdo79599.rtf", "#FFFF00 = Yellow"},
      {"fdo86761.rtf", "Image with no border", false, true},
      {"hexcrlf.rtf", "foo\r\nbar\r\nbaz\r\nquux"},
      {"hidden-linebreaks.rtf", "Lorem ipsum"},
      {"hyperlink.rtf", "Hello"},
      {"i120928.rtf", "A"},
      {"invalid-hex.rtf", "x"},
      {"tdf116269.rtf", "Gaming proposal"},
      {"tdf90260-par.rtf", "simple"},
  };
  std::size_t seen = 0;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.path().extension() == ".rtf") ++seen;
  }
  EXPECT_EQ(seen, std::size(cases)) << "a corpus file has no row in this table";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const std::string bytes = test::ReadBytes((folder / c.file).string());
    ASSERT_FALSE(bytes.empty());
    const Document d = ReadRtf(bytes);
    const std::string text = PlainText(d);
    if (*c.contains == '\0') {
      EXPECT_TRUE(text.find_first_not_of(" \t\r\n") == std::string::npos) << text;
    } else {
      EXPECT_NE(text.find(c.contains), std::string::npos) << text;
    }
    EXPECT_EQ(test::FirstTable(d.blocks) != nullptr, c.table);
    if (c.picture) {
      EXPECT_TRUE(HasPicture(d.blocks));
    }
  }
}

TEST(RtfCorpus, ReadsOldNumberingAndHighlights) {
  const fs::path folder = fs::path(ORVELA_SHARED_DIR) / "rtf-corpus";
  ORVELA_REQUIRE(fs::is_directory(folder), "the RTF corpus at " + folder.string());
  const Document numberingDoc = ReadRtf(test::ReadBytes((folder / "fdo47107.rtf").string()));
    const auto numbering = test::TopParagraphs(numberingDoc);
  ASSERT_EQ(numbering.size(), 4u);
  EXPECT_EQ(numbering[0]->format.list, ListStyle::Decimal);
  EXPECT_EQ(numbering[2]->format.list, ListStyle::Bullet);

  const Document highlightsDoc = ReadRtf(test::ReadBytes((folder / "fdo79599.rtf").string()));
    const auto highlights = test::TopParagraphs(highlightsDoc);
  ASSERT_GE(highlights.size(), 2u);
  EXPECT_FALSE(highlights[0]->runs.at(0).format.background);
  EXPECT_EQ(highlights[1]->runs.at(0).format.background, (Color{255, 255, 0}));
}

}  // namespace
}  // namespace orvela::rtf
