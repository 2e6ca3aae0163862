#include "model/FindingRules.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "model/DelimitedText.h"
#include "model/EvidenceFields.h"
#include "model/srcGlobalDef.h"

namespace orvela {
namespace {

const std::string kRiskDefs =
    ListToText({FieldList({"ITEM=1", "VALUE=gering"}), FieldList({"ITEM=2", "VALUE=hoch"})});
const std::vector<std::string> kUnits{"EK - Einkauf", "VK - Verkauf"};
const std::vector<std::string> kDocuments{"1 - Vertrag (a.pdf)", "3 - Liste (b.xls)"};

TEST(FindingRules, ShortDates) {
  struct Case {
    const char* text;
    std::optional<CalendarDate> date;
  };
  const Case cases[] = {
      {"01.01.1900", CalendarDate{1900, 1, 1}}, {"29.02.2024", CalendarDate{2024, 2, 29}},
      {"1.2.2025", CalendarDate{2025, 2, 1}},   {"29.02.2023", std::nullopt},
      {"2024-05-01", std::nullopt},             {"05/01/2024", std::nullopt},
      {"31.04.2024", std::nullopt},             {"01.13.2024", std::nullopt},
      {"01.01.24", std::nullopt},               {"01.01.2024 ", std::nullopt},
      {"", std::nullopt},                       {"001.01.2024", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ParseShortDate(c.text), c.date);
  }
  EXPECT_EQ(ShortDateText(CalendarDate{2025, 2, 1}), "01.02.2025");
}

TEST(FindingRules, NewFindingIsNormalisedBeforeTheDialogShows) {
  FieldList record = NewPanelFindingRecord();
  const FindingForm form = PrepareFindingForm(record, kRiskDefs, kUnits, kDocuments);
  // Cancelling after this leaves the normalised values in the record.
  EXPECT_EQ(record.value(key::TYPE), "0");
  EXPECT_EQ(record.value(key::DEADLINE), "01.01.1900");
  EXPECT_EQ(form.name, "Neue Feststellung");
  EXPECT_EQ(form.typeIndex, 0);
  EXPECT_EQ(form.riskIndex, -1);
  EXPECT_EQ(form.deadline, kNoDeadlineDate);
  ASSERT_EQ(form.ouEntries.size(), 2u);
  EXPECT_FALSE(form.ouEntries[0].checked);

  // Confirming unchanged: the no-deadline date is written again, OU and EVIDENCE go.
  WriteFindingForm(record, form);
  EXPECT_EQ(record.lines(), (std::vector<std::string>{"NAME=Neue Feststellung", "TYPE=0", "DEADLINE=01.01.1900"}));
}

TEST(FindingRules, ChoicesAreRecognisedAndWrittenBack) {
  FieldList record({"NAME=Lager", "TYPE=2", "RISK=2 - HOCH", "OU=\"vk - verkauf\",\"XX - weg\"",
                    "EVIDENCE=3,9", "DESCRIPTION=a\r\nb", "DEADLINE=1.3.2026"});
  FindingForm form = PrepareFindingForm(record, kRiskDefs, kUnits, kDocuments);
  EXPECT_EQ(form.typeIndex, 2);
  EXPECT_EQ(form.riskIndex, 1);
  EXPECT_EQ(form.riskText, "2 - hoch");
  EXPECT_EQ(form.ouEntries, (std::vector<CheckEntry>{{"EK - Einkauf", false}, {"VK - Verkauf", true}}));
  EXPECT_EQ(form.evidenceEntries,
            (std::vector<CheckEntry>{{"1 - Vertrag (a.pdf)", false}, {"3 - Liste (b.xls)", true}}));
  EXPECT_EQ(form.deadline, (CalendarDate{2026, 3, 1}));

  form.ouEntries[0].checked = true;
  form.evidenceEntries[0].checked = true;
  WriteFindingForm(record, form);
  // A unit or document no longer offered is dropped; OU and EVIDENCE move to the end.
  EXPECT_EQ(record.lines(),
            (std::vector<std::string>{"NAME=Lager", "TYPE=2", "RISK=2 - hoch", "DESCRIPTION=a\r\nb",
                                      "DEADLINE=01.03.2026", "OU=\"EK - Einkauf\",\"VK - Verkauf\"",
                                      "EVIDENCE=1,3"}));
}

TEST(FindingRules, FreeRiskTextAndUnknownType) {
  FieldList record({"NAME=x", "TYPE=7", "RISK=selbst getippt", "DEADLINE=01.01.1900"});
  FindingForm form = PrepareFindingForm(record, kRiskDefs, kUnits, kDocuments);
  EXPECT_EQ(form.typeIndex, -1);
  EXPECT_EQ(form.riskIndex, -1);
  EXPECT_EQ(form.riskText, "");  // the box opens empty
  WriteFindingForm(record, form);
  EXPECT_EQ(record.value(key::TYPE), "-1");
  EXPECT_FALSE(record.hasKey(key::RISK));

  form.riskText = "selbst getippt";
  WriteFindingForm(record, form);
  EXPECT_EQ(record.value(key::RISK), "selbst getippt");
}

TEST(FindingRules, DeadlineInAnotherFormatStopsAfterTheTypeNormalisation) {
  FieldList record({"NAME=x", "DEADLINE=2024-05-01"});
  try {
    PrepareFindingForm(record, kRiskDefs, kUnits, kDocuments);
    FAIL() << "no error for a date in another format";
  } catch (const InvalidDateError& e) {
    EXPECT_STREQ(e.what(), "'2024-05-01' ist kein g\xC3\xBCltiges Datum");
  }
  EXPECT_EQ(record.value(key::TYPE), "0");
  EXPECT_EQ(record.value(key::DEADLINE), "2024-05-01");
}

TEST(FindingRules, EvidenceComparesTheTextBeforeTheFirstBlank) {
  FieldList record({"EVIDENCE=\"3 - alt\",1x", "DEADLINE=01.01.1900"});
  const FindingForm form = PrepareFindingForm(record, "", {}, {"1 - A (a)", "3 - B (b)", "10"});
  EXPECT_EQ(form.evidenceEntries,
            (std::vector<CheckEntry>{{"1 - A (a)", false}, {"3 - B (b)", true}, {"10", false}}));
}

TEST(FindingRules, FollowUpShownAndWrittenBack) {
  struct Case {
    const char* what;
    std::vector<std::string> stored;  // follow-up lines after the fixed ones
    int shownStatus;
    std::optional<CalendarDate> shownDoneAt;
    std::function<void(FindingForm&)> edit;
    std::vector<std::string> written;  // the follow-up lines after confirming
  };
  const Case cases[] = {
      {"none, unchanged", {}, 0, std::nullopt, [](FindingForm&) {}, {}},
      {"status chosen", {}, 0, std::nullopt, [](FindingForm& f) { f.statusIndex = 3; }, {"STATUS=3"}},
      {"every field", {}, 0, std::nullopt,
       [](FindingForm& f) {
         f.statusIndex = 2;
         f.response = "Wird\r\nerledigt";
         f.responsible = "M. M\xFCller";
         f.doneAt = CalendarDate{2025, 3, 1};
       },
       {"STATUS=2", "RESPONSE=Wird\r\nerledigt", "RESPONSIBLE=M. M\xFCller", "DONE-AT=01.03.2025"}},
      {"stored values shown", {"STATUS=1", "RESPONSE=r", "RESPONSIBLE=x", "DONE-AT=2.1.2025"}, 1,
       CalendarDate{2025, 1, 2}, [](FindingForm&) {}, {"STATUS=1", "RESPONSE=r", "RESPONSIBLE=x", "DONE-AT=2.1.2025"}},
      {"unknown status kept until edited", {"STATUS=7"}, 0, std::nullopt, [](FindingForm&) {}, {"STATUS=7"}},
      {"unknown status replaced when chosen", {"STATUS=7"}, 0, std::nullopt,
       [](FindingForm& f) { f.statusIndex = 1; }, {"STATUS=1"}},
      {"done date in another form kept", {"DONE-AT=2025-03-01"}, 0, std::nullopt, [](FindingForm&) {},
       {"DONE-AT=2025-03-01"}},
      {"done date removed", {"DONE-AT=01.03.2025"}, 0, CalendarDate{2025, 3, 1},
       [](FindingForm& f) { f.doneAt.reset(); }, {}},
      {"texts emptied", {"RESPONSE=r", "RESPONSIBLE=x"}, 0, std::nullopt,
       [](FindingForm& f) {
         f.response.clear();
         f.responsible.clear();
       },
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<std::string> lines{"NAME=F", "TYPE=1", "DEADLINE=01.01.1900"};
    lines.insert(lines.end(), c.stored.begin(), c.stored.end());
    FieldList record(lines);
    FindingForm form = PrepareFindingForm(record, kRiskDefs, kUnits, kDocuments);
    EXPECT_EQ(form.statusIndex, c.shownStatus);
    EXPECT_EQ(form.doneAt, c.shownDoneAt);
    c.edit(form);
    WriteFindingForm(record, form);
    std::vector<std::string> expected{"NAME=F", "TYPE=1", "DEADLINE=01.01.1900"};
    expected.insert(expected.end(), c.written.begin(), c.written.end());
    EXPECT_EQ(record.lines(), expected);
  }
}

TEST(FindingRules, StatusTexts) {
  const std::pair<const char*, const char*> cases[] = {{"", "offen"},          {"0", "offen"},
                                                       {"1", "in Umsetzung"}, {"2", "umgesetzt"},
                                                       {"3", "verifiziert"},  {"4", "offen"},
                                                       {"-1", "offen"},       {"01", "offen"}};
  for (const auto& [stored, text] : cases) EXPECT_EQ(FindingStatusDisplayText(stored), text) << stored;
}

}  // namespace
}  // namespace orvela
