// The one report input of the work-file window and the command line.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/WorkFileData.h"
#include "reports/engine/ReportEngine.h"
#include "reports/engine/ReportInputBuilder.h"

namespace orvela {
namespace {

// A clock that moves on with every reading: 31.12.2026 23:59:59, then the new year.
std::function<LocalDateTime()> TickingClock() {
  auto readings = std::make_shared<int>(0);
  return [readings] {
    return (*readings)++ == 0 ? LocalDateTime{2026, 12, 31, 23, 59, 59} : LocalDateTime{2027, 1, 1, 0, 0, 0};
  };
}

TEST(ReportInputBuilder, TakesTheWorkFileAsItIsNow) {
  WorkFileData data;
  data.createdBy = "PC1/anna";
  data.createdAt = "01.02.2026";
  data.savedBy = "PC2/bert";
  data.savedAt = "03.04.2026";
  data.generalDefs = "ITEM=g,VALUE=1";
  data.riskDefs = "ITEM=r,VALUE=2";
  data.ouDefs = "ITEM=o,VALUE=3";
  data.staffDefs = "ITEM=s,VALUE=4";
  data.documents.append(nullptr, FieldList({"ID=5", "NAME=Beleg"}));
  RecordNode* item = data.structure.append(nullptr, FieldList({"ID=1", "NAME=Planung"}));
  // A finding accepted just now, with no overview built before.
  item->record.setValue("FINDINGS", FieldList({"NAME=neu", "EVIDENCE=5"}).commaText());
  const BuiltReportInput built = BuildReportInput(data, TickingClock());
  EXPECT_TRUE(built.notes.empty());
  EXPECT_EQ(BuildReportText("/VAR:USER-CREATED/ /VAR:DATE-CREATED/ /VAR:USER-LAST/ /VAR:DATE-LAST/|"
                            "/VAR:CURRENT-DATE/ /VAR:CURRENT-TIME/|/VAR:FILENAME/|"
                            "/SCAN(GENERAL-DEFS)//VAR:GENERAL-DEFS:ITEM//ENDSCAN(GENERAL-DEFS)/"
                            "/SCAN(RISK-DEFINITIONS)//VAR:RISK-DEFS:VALUE//ENDSCAN(RISK-DEFINITIONS)/"
                            "/SCAN(OU-DEFINITIONS)//VAR:OU-DEFS:OU//ENDSCAN(OU-DEFINITIONS)/"
                            "/SCAN(STAFF-DEFINITIONS)//VAR:STAFF-DEFS:SHORTNAME//ENDSCAN(STAFF-DEFINITIONS)/|"
                            "/SCAN(DOCUMENTS)//VAR:DOCS:NAME//ENDSCAN(DOCUMENTS)/|"
                            "/SCAN(FINDINGS)//VAR:FINDINGS:ID/ /VAR:FINDINGS:NAME/ /VAR:FINDINGS:EVIDENCE-TEXT/"
                            "/ENDSCAN(FINDINGS)/|/SCAN(STRUCTURE)//VAR:STRUCTURE:NAME//ENDSCAN(STRUCTURE)/",
                            built.input),
            // The clock is read twice: the date before midnight, the time after it.
            "PC1/anna 01.02.2026 PC2/bert 03.04.2026|31.12.2026 00:00:00||gros|Beleg|1 neu Beleg|Planung");
}

TEST(ReportInputBuilder, FileNameAndDescription) {
  namespace fs = std::filesystem;
  const std::string cwd = fs::current_path().string();
  const struct {
    const char* name;
    std::string fileName, description;
    std::string expectedFileName, expectedDescription;
    std::vector<std::string> notes;  // the start of each note
  } cases[] = {
      {"absolute path and RTF description", "/home/anna/Pr\xC3\xBC" "fung.owp",
       "{\\rtf1\\ansi Erste\\par Zweite {\\b fett} \\u8364?}", "/home/anna/Pr\xFC" "fung.owp",
       "Erste\r\nZweite fett \x80", {}},
      {"relative path is made full", "./akten/../akte.owp", "", cwd + "/akte.owp", "", {}},
      {"untitled window", "", "", "", "", {}},
      {"description that is not RTF stays", "/a.owp", "Zeile 1\r\nZeile 2 {x}", "/a.owp", "Zeile 1\r\nZeile 2 {x}", {}},
      {"characters Windows-1252 cannot hold", "/akte-\xE6\x9D\x8E.owp", "{\\rtf1\\ansi Ma\\u26446?}", "/akte-?.owp",
       "Ma?",
       {"Der Pfad /akte-\xE6\x9D\x8E.owp enth\xC3\xA4lt Zeichen, die Windows-1252 nicht kennt",
        "Die Projektbeschreibung enth\xC3\xA4lt Zeichen, die Windows-1252 nicht kennt"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WorkFileData data;
    data.fileName = c.fileName;
    data.description = c.description;
    const BuiltReportInput built = BuildReportInput(data, TickingClock());
    EXPECT_EQ(built.input.fileName, c.expectedFileName);
    EXPECT_EQ(built.input.description, c.expectedDescription);
    ASSERT_EQ(built.notes.size(), c.notes.size());
    for (std::size_t i = 0; i < c.notes.size(); ++i) EXPECT_EQ(built.notes[i].rfind(c.notes[i], 0), 0u) << built.notes[i];
  }
}

}  // namespace
}  // namespace orvela
