#include "model/srcGlobalDef.h"

#include <gtest/gtest.h>

namespace orvela {
namespace {

using Lines = std::vector<std::string>;

TEST(InitialRecords, LinesInOrder) {
  int last = 0;
  EXPECT_EQ(NewStructureItemRecord(last).lines(),
            (Lines{"ID=1", "NAME=Neues Element - 1", "RISK=", "OU-X=", "OU-UX=", "DESCRIPTION=", "RESULT=",
                   "FINDINGS=", "DOCUMENTS=", "WORKSTATE=<nicht definiert>"}));
  EXPECT_EQ(last, 1);
  EXPECT_EQ(NewDocumentRecord().lines(),
            (Lines{"NAME=New Document", "REFERENCE=<nicht definiert>", "TYPE=<nicht definiert>", "ID=0"}));
  EXPECT_EQ(NewDialogFindingRecord().lines(),
            (Lines{"NAME=", "TYPE=", "RISK=", "OU=", "EVIDENCE=", "DESCRIPTION=", "DEADLINE="}));
  EXPECT_EQ(NewDefEntryRecord().lines(), (Lines{"ITEM=", "VALUE="}));
}

TEST(InitialRecords, ItemCounterRisesFirst) {
  int last = 41;
  const FieldList item = NewStructureItemRecord(last);
  EXPECT_EQ(last, 42);
  EXPECT_EQ(item.value(key::ID), "42");
  EXPECT_EQ(item.value(key::NAME), "Neues Element - 42");
}

TEST(InitialRecords, PanelFindingCommaText) {
  EXPECT_EQ(NewPanelFindingRecord().commaText(),
            "\"NAME=Neue Feststellung\",TYPE=,RISK=,OU=,EVIDENCE=,DESCRIPTION=,DEADLINE=");
}

TEST(DisplayTexts, WorkStatesAndFindingTypes) {
  struct Case {
    const char* stored;
    const char* workState;
    const char* findingType;
  };
  const Case cases[] = {
      {"<nicht definiert>", "nicht definiert", ""},
      {"uncompleted", "unvollst\xE4ndig", ""},
      {"completed", "vollst\xE4ndig bearbeitet", ""},
      {"Completed", "", ""},
      {"", "", "nicht definiert"},
      {"0", "", "nicht definiert"},
      {"1", "", "Empfehlung"},
      {"2", "", "Ma\xDFnahme"},
      {"3", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored);
    EXPECT_EQ(WorkStateDisplayText(c.stored), c.workState);
    EXPECT_EQ(FindingTypeDisplayText(c.stored), c.findingType);
  }
}

}  // namespace
}  // namespace orvela
