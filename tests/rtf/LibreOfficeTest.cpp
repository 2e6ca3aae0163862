// Documents made with LibreOffice, and what LibreOffice makes of the RTF we write.
#include "../TestRequirements.h"
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "RtfTestSupport.h"
#include "rtf/PlainText.h"
#include "rtf/RtfReader.h"
#include "rtf/RtfWriter.h"

namespace orvela::rtf {
namespace {

namespace fs = std::filesystem;
using test::TextOf;

const Run* RunWithText(const Document& d, const std::string& text) {
  for (const Paragraph* p : test::TopParagraphs(d)) {
    for (const auto& run : p->runs) {
      if (run.text.find(text) != std::string::npos) return &run;
    }
  }
  return nullptr;
}

const Paragraph* ParagraphWithText(const Document& d, const std::string& text) {
  for (const Paragraph* p : test::TopParagraphs(d)) {
    if (TextOf(*p).find(text) != std::string::npos) return p;
  }
  return nullptr;
}

// tests/data/rtf/libreoffice-formatting.rtf: LibreOffice's RTF of libreoffice-formatting.html.
TEST(LibreOffice, ReadsItsFormattedDocument) {
  const Document d = ReadRtf(test::ReadBytes(ORVELA_TEST_DATA "/rtf/libreoffice-formatting.rtf"));
  struct RunCase {
    const char* text;
    const char* font;
    int halfPoints;
    bool bold, italic, underline;
  };
  const RunCase runs[] = {
      {"Fett", "Liberation Serif", 24, true, false, false},
      {"Kursiv", "Liberation Serif", 24, false, true, false},
      {"Unterstrichen", "Liberation Serif", 24, false, false, true},
      {"Serif zwölf", "Liberation Serif", 24, false, false, false},
      {"Sans sechzehn", "Liberation Sans", 32, false, false, false},
      {"Mono zehn", "Liberation Mono", 20, false, false, false},
  };
  for (const RunCase& c : runs) {
    SCOPED_TRACE(c.text);
    const rtf::Run* run = RunWithText(d, c.text);
    ASSERT_NE(run, nullptr);
    EXPECT_EQ(run->format.font, c.font);
    EXPECT_EQ(run->format.halfPoints, c.halfPoints);
    EXPECT_EQ(run->format.bold, c.bold);
    EXPECT_EQ(run->format.italic, c.italic);
    EXPECT_EQ(run->format.underline, c.underline);
  }
  struct ParagraphCase {
    const char* text;
    Alignment alignment;
    ListStyle list;
  };
  const ParagraphCase paragraphs[] = {
      {"Zentriert", Alignment::Center, ListStyle::None},
      {"Rechtsbündig", Alignment::Right, ListStyle::None},
      {"Erster Punkt", Alignment::Left, ListStyle::Bullet},
      {"Zweiter Punkt", Alignment::Left, ListStyle::Bullet},
      {"Umlaute äöüÄÖÜß und 100 €", Alignment::Left, ListStyle::None},
  };
  for (const ParagraphCase& c : paragraphs) {
    SCOPED_TRACE(c.text);
    const Paragraph* p = ParagraphWithText(d, c.text);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->format.alignment, c.alignment);
    EXPECT_EQ(p->format.list, c.list);
  }
  const Table* table = test::FirstTable(d.blocks);
  ASSERT_NE(table, nullptr);
  ASSERT_EQ(table->rows.size(), 3u);
  for (std::size_t r = 0; r < 3; ++r) {
    ASSERT_EQ(table->rows[r].cells.size(), 3u);
    for (std::size_t c = 0; c < 3; ++c) {
      EXPECT_EQ(test::CellText(table->rows[r].cells[c]), std::string(1, char('A' + c)) + std::to_string(r + 1));
      EXPECT_GT(table->rows[r].cells[c].widthTwips, 0);
    }
  }
}

// The tools LibreOffice tests need; missing ones skip the test, but fail it under CI.
#define REQUIRE_TOOL(tool) ORVELA_REQUIRE(std::system("command -v " tool " >/dev/null 2>&1") == 0, tool)

// A folder of its own, with LibreOffice's profile in it, removed at the end.
class LibreOfficeFolder {
 public:
  LibreOfficeFolder() : dir_(fs::temp_directory_path() / ("orvela-rtf-lo-" + std::to_string(::getpid()))) {
    fs::create_directories(dir_);
  }
  ~LibreOfficeFolder() { fs::remove_all(dir_); }

  fs::path Write(const std::string& name, const std::string& bytes) const {
    std::ofstream out(dir_ / name, std::ios::binary);
    out << bytes;
    return dir_ / name;
  }

  // Runs a command in the folder; true when it succeeded.
  bool Run(const std::string& command) const {
    return std::system(("cd '" + dir_.string() + "' && HOME='" + dir_.string() + "' " + command).c_str()) == 0;
  }

  // `soffice --convert-to` of a file in the folder.
  bool Convert(const std::string& file, const std::string& target) const {
    return Run("soffice -env:UserInstallation=file://" + dir_.string() + "/profile --headless --convert-to '" +
               target + "' " + file + " >/dev/null 2>&1");
  }

  std::string Read(const std::string& name) const { return test::ReadBytes((dir_ / name).string()); }

 private:
  fs::path dir_;
};

TEST(LibreOffice, ReadsOurRtfAsOurPlainText) {
  REQUIRE_TOOL("soffice");
  const LibreOfficeFolder folder;
  const Document d = ReadRtf(
      "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1 Courier New;}}\\pard\\qc\\b\\fs32 Bericht \\'fcber 2026\\par"
      "\\pard\\b0\\fs20 Erste Zeile\\line zweite Zeile mit \\'80 und \\u1046?\\par"
      "\\pard\\qr\\f1\\i rechts {\\ul unterstrichen} \\{geschweift\\}\\par"
      "\\pard\\f0 Ende\\par}");
  folder.Write("ours.rtf", WriteRtf(d));
  ASSERT_TRUE(folder.Convert("ours.rtf", "txt:Text (encoded):UTF8"));
  std::string text = folder.Read("ours.txt");
  if (text.starts_with("\xEF\xBB\xBF")) text.erase(0, 3);
  std::string normalised;
  for (const char c : text) {
    if (c != '\r') normalised += c;
  }
  while (!normalised.empty() && normalised.back() == '\n') normalised.pop_back();
  std::string expected;
  for (const char c : PlainText(d)) {
    if (c != '\r') expected += c;
  }
  EXPECT_EQ(normalised, expected);
}

// What we write of a landscape table with header and footer comes out of LibreOffice as
// landscape pages with both.
TEST(LibreOffice, PrintsOurPageSetUpHeadersAndFooters) {
  REQUIRE_TOOL("soffice");
  REQUIRE_TOOL("pdfinfo");
  REQUIRE_TOOL("pdftotext");
  const LibreOfficeFolder folder;
  const Document d = ReadRtf(test::ReadBytes(ORVELA_TEST_DATA "/rtf/libreoffice-landscape-table.rtf"));
  folder.Write("ours.rtf", WriteRtf(d));
  ASSERT_TRUE(folder.Convert("ours.rtf", "pdf"));
  ASSERT_TRUE(folder.Run("pdfinfo ours.pdf > info.txt && pdftotext -layout ours.pdf text.txt"));
  const std::string info = folder.Read("info.txt");
  const auto size = info.find("Page size:");
  ASSERT_NE(size, std::string::npos) << info;
  double width = 0, height = 0;
  ASSERT_EQ(std::sscanf(info.c_str() + size, "Page size: %lf x %lf", &width, &height), 2) << info;
  EXPECT_NEAR(width, 841.9, 0.5) << info;  // A4 landscape, in points
  EXPECT_NEAR(height, 595.3, 0.5) << info;
  const std::string text = folder.Read("text.txt");
  for (const char* expected : {"Interne Revision", "Seite 1 von 1", "Feststellungsliste quer", "31.03.2027"}) {
    EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
  }
}

}  // namespace
}  // namespace orvela::rtf
