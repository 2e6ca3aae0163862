#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "cli/CliApp.h"
#include "cli/ReportCommand.h"
#include "model/TextUtils.h"
#include "model/WorkFileData.h"
#include "storage/WorkFileStorage.h"

namespace orvela::cli {
namespace {

namespace fs = std::filesystem;

const char* const kTemplate =
    "{\\rtf1 /VAR:FILENAME/|/VAR:CURRENT-DATE/ /VAR:CURRENT-TIME/|/VAR:DESCRIPTION/|"
    "/SCAN(STRUCTURE)//VAR:STRUCTURE:ID/ /VAR:STRUCTURE:NAME/;/ENDSCAN(STRUCTURE)/}";

LocalDateTime FixedClock() { return {2026, 12, 10, 11, 22, 33}; }

class ReportCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("orvela-cli-report-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    WorkFileData data;
    data.description = "{\\rtf1\\ansi Erste Zeile\\par Zweite {\\b Zeile}}";
    // Identifiers out of order: the report shows them renumbered, as the window does.
    RecordNode* top = data.structure.append(nullptr, FieldList({"ID=7", "NAME=Planung"}));
    data.structure.append(top, FieldList({"ID=3", "NAME=Einkauf"}));
    WriteWorkFile(data, path("akte.owp"));
    WriteWholeFile(path("bericht.rtf"), kTemplate);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string path(const std::string& name) const { return (dir_ / name).string(); }

  int run(const ReportOptions& options) {
    out_.str({});
    err_.str({});
    return RunReport(options, out_, err_, FixedClock);
  }

  fs::path dir_;
  std::ostringstream out_, err_;
};

TEST_F(ReportCommand, WritesTheReportToStandardOutput) {
  EXPECT_EQ(run({path("akte.owp"), path("bericht.rtf"), ""}), kExitOk) << err_.str();
  const std::string report = out_.str();
  const std::string expectedStart = "{\\rtf1 " + path("akte.owp") + "|10.12.2026 11:22:33|Erste Zeile\\line Zweite Zeile";
  EXPECT_EQ(report.substr(0, expectedStart.size()), expectedStart);
  EXPECT_NE(report.find("|1 Planung;2 Einkauf;}"), std::string::npos) << report;
  EXPECT_EQ(err_.str(), "");
}

TEST_F(ReportCommand, RelativePathIsShownAbsolute) {
  const fs::path before = fs::current_path();
  fs::current_path(dir_);
  const int code = run({"./akte.owp", "bericht.rtf", "out.rtf"});
  fs::current_path(before);
  ASSERT_EQ(code, kExitOk) << err_.str();
  EXPECT_EQ(ReadWholeFile(path("out.rtf")).rfind("{\\rtf1 " + path("akte.owp") + "|", 0), 0u);
  EXPECT_EQ(out_.str(), "");
}

TEST_F(ReportCommand, Failures) {
  struct Case {
    const char* name;
    ReportOptions options;
    std::string message;
  };
  const Case cases[] = {
      {"missing template", {path("akte.owp"), path("fehlt.rtf"), path("out.rtf")},
       "orvela-wp-cli: Die Reportdatei " + path("fehlt.rtf") + " existiert nicht!\n"},
      {"missing work file", {path("fehlt.owp"), path("bericht.rtf"), path("out.rtf")}, ""},
      {"template is a folder", {path("akte.owp"), dir_.string(), path("out.rtf")}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(run(c.options), kExitRefused);
    if (c.message.empty()) {
      EXPECT_NE(err_.str(), "");
    } else {
      EXPECT_EQ(err_.str(), c.message);
    }
    EXPECT_EQ(out_.str(), "");
    EXPECT_FALSE(fs::exists(path("out.rtf")));
  }
}

TEST_F(ReportCommand, CharactersWindows1252CannotHoldAreShownAndNamed) {
  WorkFileData data;
  data.description = "{\\rtf1\\ansi Ma\\u8364? und \\u26446?}";  // euro sign and a CJK character
  WriteWorkFile(data, path("akte-\u674E.owp"));
  WriteWholeFile(path("kurz.rtf"), "/VAR:DESCRIPTION/|/VAR:FILENAME/");
  ASSERT_EQ(run({path("akte-\u674E.owp"), path("kurz.rtf"), ""}), kExitOk) << err_.str();
  EXPECT_EQ(out_.str(), "Ma\x80 und ?|" + path("akte-?.owp"));
  EXPECT_NE(err_.str().find("Der Pfad " + path("akte-\u674E.owp") + " enth\u00E4lt Zeichen"), std::string::npos)
      << err_.str();
  EXPECT_NE(err_.str().find("Die Projektbeschreibung enth\u00E4lt Zeichen"), std::string::npos) << err_.str();
}

// A name ending in .pdf (any letter case) goes to the PDF writer with the report text;
// a build without one says so, and a writer's failure is named.
TEST_F(ReportCommand, PdfOutput) {
  struct Case {
    const char* name;
    const char* output;
    bool withWriter;
    bool writerSucceeds;
    int exit;
    std::string message;
  };
  const Case cases[] = {
      {"written", "b.pdf", true, true, kExitOk, ""},
      {"upper-case extension", "B.PDF", true, true, kExitOk, ""},
      {"no writer in this build", "b.pdf", false, false, kExitRefused,
       "orvela-wp-cli: PDF-Dateien schreibt dieses Programm nicht; bitte als .rtf speichern.\n"},
      {"writer fails", "b.pdf", true, false, kExitRefused,
       "orvela-wp-cli: Die Datei " + path("b.pdf") + " konnte nicht geschrieben werden: voll\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string seenReport, seenPath;
    LocalDateTime seenNow;
    ReportOptions options{path("akte.owp"), path("bericht.rtf"), path(c.output)};
    if (c.withWriter) {
      options.writePdf = [&](const std::string& report, const std::string& out, const LocalDateTime& now,
                             std::string& error) {
        seenReport = report;
        seenPath = out;
        seenNow = now;
        error = "voll";
        return c.writerSucceeds;
      };
    }
    EXPECT_EQ(run(options), c.exit);
    EXPECT_EQ(err_.str(), c.message);
    EXPECT_FALSE(fs::exists(path(c.output)));  // only the writer writes it
    if (c.withWriter) {
      EXPECT_EQ(seenPath, path(c.output));
      EXPECT_EQ(seenReport.rfind("{\\rtf1 " + path("akte.owp") + "|10.12.2026 11:22:33|", 0), 0u) << seenReport;
      EXPECT_EQ(seenNow.hour, 11);
    }
  }
}

TEST_F(ReportCommand, CommandLine) {
  const CommandRegistration commands[] = {RegisterReportCommand};
  WriteWholeFile(path("schlicht.rtf"), "{\\rtf1 /SCAN(STRUCTURE)//VAR:STRUCTURE:LEVEL/ /ENDSCAN(STRUCTURE)/}");
  std::ostringstream out, err;
  EXPECT_EQ(RunCli({"report", path("akte.owp"), path("schlicht.rtf"), "-o", path("out.rtf")}, commands, out, err),
            kExitOk)
      << err.str();
  EXPECT_EQ(ReadWholeFile(path("out.rtf")), "{\\rtf1 1 1.1 }");
  EXPECT_EQ(RunCli({"report", path("akte.owp")}, commands, out, err), kExitUsage);
}

}  // namespace
}  // namespace orvela::cli
