#include "model/AuditOverview.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/DelimitedText.h"
#include "model/EvidenceFields.h"
#include "model/srcGlobalDef.h"
#include "model/srcGlobalProc.h"

namespace orvela {
namespace {

constexpr CalendarDate kToday{2026, 3, 15};

FieldList Item(const std::string& name, const std::string& state, const std::vector<FieldList>& findings = {}) {
  FieldList record;
  record.setValue(key::NAME, name);
  record.setValue(key::WORKSTATE, state);
  if (!findings.empty()) record.setValue(key::FINDINGS, ListToText(findings));
  return record;
}

FieldList Finding(const std::string& name, const std::string& type, const std::string& risk, const std::string& deadline) {
  return FieldList({"NAME=" + name, "TYPE=" + type, "RISK=" + risk, "DEADLINE=" + deadline});
}

TEST(AuditOverview, DeadlineBuckets) {
  struct Case {
    const char* stored;
    CalendarDate today;
    DeadlineBucket bucket;
  };
  const Case cases[] = {
      {"14.03.2026", kToday, DeadlineBucket::Overdue},
      {"15.03.2026", kToday, DeadlineBucket::DueSoon},  // due today is not yet overdue
      {"14.04.2026", kToday, DeadlineBucket::DueSoon},  // the 30th day ahead
      {"15.04.2026", kToday, DeadlineBucket::Later},
      {"1.3.2025", kToday, DeadlineBucket::Overdue},
      {"30.12.2025", {2025, 12, 31}, DeadlineBucket::Overdue},  // across the turn of the year
      {"30.01.2026", {2025, 12, 31}, DeadlineBucket::DueSoon},
      {"29.03.2024", {2024, 2, 28}, DeadlineBucket::DueSoon},  // 29 February counts
      {"30.03.2024", {2024, 2, 28}, DeadlineBucket::Later},
      {"01.01.1900", kToday, DeadlineBucket::None},  // the stored "no deadline"
      {"", kToday, DeadlineBucket::None},
      {"31.02.2026", kToday, DeadlineBucket::None},
      {"2026-03-01", kToday, DeadlineBucket::None},
      {"bald", kToday, DeadlineBucket::None},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored);
    EXPECT_EQ(DeadlineBucketOf(c.stored, c.today), c.bucket);
  }
}

// Two areas and an item without a name:
//   Einkauf (completed) > Bestellung (uncompleted) > Freigabe (completed)
//                       > Rechnung ("<nicht definiert>")
//   Lager ("erledigt": not a stored state)
//   "" (completed)
class AuditOverviewFixture : public ::testing::Test {
 public:
  void SetUp() override {
    data.riskDefs = ListToText({FieldList({"ITEM=1", "VALUE=gering"}), FieldList({"ITEM=2", "VALUE=hoch"})});
    RecordNode* purchase = data.structure.append(nullptr, Item("Einkauf", "completed"));
    RecordNode* order = data.structure.append(purchase, Item("Bestellung", "uncompleted",
        {Finding("Vier Augen fehlen", "2", "2 - HOCH", "01.03.2026"),
         Finding("Limit", "1", "extern", "20.03.2026")}));
    data.structure.append(order, Item("Freigabe", "completed",
        {Finding("Freigabe zu spät", "", "", "01.01.1900"), Finding("Protokoll", "-1", "Extern", "10.03.2026")}));
    data.structure.append(purchase, Item("Rechnung", "<nicht definiert>"));
    data.structure.append(nullptr, Item("Lager", "erledigt",
        {Finding("Inventur", "7", "1 - gering", "01.03.2026"), Finding("Zählliste", "0", "", "kein Datum"),
         Finding("Regal", "1", "", "01.06.2026")}));
    data.structure.append(nullptr, Item("", "completed"));
    RenumberItems(data);
  }
  WorkFileData data;
};

TEST_F(AuditOverviewFixture, ItemsByWorkStatePerArea) {
  const AuditOverview overview = CountAuditOverview(data, kToday);
  // Indexed as WorkStateIndex: not defined, uncompleted, completed.
  const std::vector<AreaProgress> expected{
      {"1", "Einkauf", {1, 1, 2}},
      {"5", "Lager", {1, 0, 0}},
      {"6", "<noname>", {0, 0, 1}},
  };
  EXPECT_EQ(overview.areas, expected);
  EXPECT_EQ(overview.items(), 6u);
}

TEST_F(AuditOverviewFixture, FindingsByRiskAndType) {
  const AuditOverview overview = CountAuditOverview(data, kToday);
  // Definitions first and matched without regard to case; other risks keep the spelling
  // first met; no risk last.
  const std::vector<CountedValue> byRisk{{"1 - gering", 1}, {"2 - hoch", 1}, {"extern", 2}, {"", 3}};
  EXPECT_EQ(overview.findingsByRisk, byRisk);
  // Empty, "-1", "0" and the unknown "7" are not defined.
  EXPECT_EQ(overview.findingsByType, (std::array<std::size_t, kFindingTypeCount>{4, 2, 1}));
  EXPECT_EQ(overview.findings(), 7u);
}

TEST_F(AuditOverviewFixture, DeadlinesAndOverdueFindings) {
  struct Case {
    CalendarDate today;
    std::array<std::size_t, kDeadlineBucketCount> byDeadline;  // overdue, due soon, later, done, none
    std::vector<std::string> overdue;                          // finding names in list order
  };
  const Case cases[] = {
      {{2026, 1, 1}, {0, 0, 5, 0, 2}, {}},
      {kToday, {3, 1, 1, 0, 2}, {"Vier Augen fehlen", "Inventur", "Protokoll"}},  // same day: tree order
      {{2026, 5, 10}, {4, 1, 0, 0, 2}, {"Vier Augen fehlen", "Inventur", "Protokoll", "Limit"}},
      {{2027, 1, 1}, {5, 0, 0, 0, 2}, {"Vier Augen fehlen", "Inventur", "Protokoll", "Limit", "Regal"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(ShortDateText(c.today));
    const AuditOverview overview = CountAuditOverview(data, c.today);
    EXPECT_EQ(overview.findingsByDeadline, c.byDeadline);
    std::vector<std::string> names;
    for (const OverdueFinding& f : overview.overdue) names.push_back(f.name);
    EXPECT_EQ(names, c.overdue);
  }
  // An overdue finding names the item that carries it, not its area.
  const AuditOverview overview = CountAuditOverview(data, kToday);
  ASSERT_FALSE(overview.overdue.empty());
  EXPECT_EQ(overview.overdue[0], (OverdueFinding{"2", "Bestellung", "Vier Augen fehlen", "2 - HOCH", {2026, 3, 1}}));
}

// A finding carried out ("umgesetzt", "verifiziert") is no longer overdue, whatever its
// deadline; "in Umsetzung" and a status the program does not know still are.
TEST_F(AuditOverviewFixture, FindingsCarriedOutAreNotOverdue) {
  struct Case {
    const char* status;
    std::array<std::size_t, kDeadlineBucketCount> byDeadline;
    std::vector<std::string> overdue;
  };
  const Case cases[] = {
      {"1", {3, 1, 1, 0, 2}, {"Vier Augen fehlen", "Inventur", "Protokoll"}},
      {"9", {3, 1, 1, 0, 2}, {"Vier Augen fehlen", "Inventur", "Protokoll"}},
      {"2", {2, 1, 1, 1, 2}, {"Vier Augen fehlen", "Protokoll"}},
      {"3", {2, 1, 1, 1, 2}, {"Vier Augen fehlen", "Protokoll"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.status);
    RecordNode* store = data.structure.root().children()[1].get();
    std::vector<FieldList> findings;
    for (const std::string& entry : SplitListText(store->record.value(key::FINDINGS)))
      findings.push_back(FieldList::fromCommaText(entry));
    findings[0].setValue(key::STATUS, c.status);  // "Inventur", due 01.03.2026
    store->record.setValue(key::FINDINGS, ListToText(findings));
    const AuditOverview overview = CountAuditOverview(data, kToday);
    EXPECT_EQ(overview.findingsByDeadline, c.byDeadline);
    std::vector<std::string> names;
    for (const OverdueFinding& f : overview.overdue) names.push_back(f.name);
    EXPECT_EQ(names, c.overdue);
  }
}

TEST(AuditOverview, EmptyWorkFile) {
  WorkFileData data;
  data.riskDefs = ListToText({FieldList({"ITEM=1", "VALUE=gering"})});
  const AuditOverview overview = CountAuditOverview(data, kToday);
  EXPECT_TRUE(overview.areas.empty());
  // The definitions stand with nothing counted; there is no entry for findings without a risk.
  EXPECT_EQ(overview.findingsByRisk, (std::vector<CountedValue>{{"1 - gering", 0}}));
  EXPECT_EQ(overview.findingsByDeadline, (std::array<std::size_t, kDeadlineBucketCount>{}));
  EXPECT_TRUE(overview.overdue.empty());
}

}  // namespace
}  // namespace orvela
