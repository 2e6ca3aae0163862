#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "model/TextUtils.h"
#include "reports/engine/ReportEngine.h"

namespace orvela {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

class ReportFile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("orvela-report-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                        "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string path(const std::string& name) const { return (dir_ / name).string(); }

  fs::path dir_;
};

TEST_F(ReportFile, MissingTemplateIsAWarning) {
  // Nothing there, a folder of that name, a "folder" that is a file: no template.
  fs::create_directory(path("ordner.rtf"));
  WriteWholeFile(path("datei"), "x");
  for (const std::string name : {"Prüfbericht.rtf", "ordner.rtf", "datei/bericht.rtf"}) {
    SCOPED_TRACE(name);
    ReportInput input;
    const std::string missing = path(name);
    EXPECT_TRUE(TemplateIsMissing(missing));
    const ReportResult result = BuildReportFromFile(missing, input);
    EXPECT_FALSE(result.ok());
    EXPECT_EQ(result.warning, "Die Reportdatei " + missing + " existiert nicht!");
    EXPECT_TRUE(result.text.empty());
  }
}

TEST_F(ReportFile, TemplateIsReadByteForByte) {
  ReportInput input;
  input.createdBy = "PC1/anna";
  const std::string file = path("bericht.rtf");
  WriteWholeFile(file, "{\\rtf1 \x00\xFF /VAR:USER-CREATED/}\r\n"s);
  const ReportResult result = BuildReportFromFile(file, input);
  ASSERT_TRUE(result.ok()) << result.warning;
  EXPECT_EQ(result.text, "{\\rtf1 \x00\xFF PC1/anna}\r\n"s);
}

TEST_F(ReportFile, TemplateThatCannotBeLookedAtThrows) {
  // Not "missing": the system could not tell (here: a name longer than any file name).
  ReportInput input;
  const std::string unreadable = path(std::string(300, 'x') + ".rtf");
  EXPECT_FALSE(TemplateIsMissing(unreadable));
  EXPECT_THROW(BuildReportFromFile(unreadable, input), FileError);
}

}  // namespace
}  // namespace orvela
