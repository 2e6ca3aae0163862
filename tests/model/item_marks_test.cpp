#include "model/ItemMarks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/DelimitedText.h"
#include "model/srcGlobalDef.h"

namespace orvela {
namespace {

std::string Defs(const std::vector<std::pair<std::string, std::string>>& entries) {
  std::vector<FieldList> rows;
  for (const auto& [item, value] : entries) rows.push_back(FieldList({"ITEM=" + item, "VALUE=" + value}));
  return ListToText(rows);
}

FieldList Item(const char* field, const std::string& value) {
  FieldList item({"ID=1", "NAME=Kasse"});
  if (field) item.setValue(field, value);
  return item;
}

TEST(ItemMarks, WorkStateFollowsTheStoredTextExactly) {
  struct Case {
    const char* name;
    const char* field;
    std::string value;
    int expected;
  };
  const Case cases[] = {
      {"absent", nullptr, "", 0},
      {"not defined", "WORKSTATE", "<nicht definiert>", 0},
      {"not completed", "WORKSTATE", "uncompleted", 1},
      {"completed", "WORKSTATE", "completed", 2},
      {"letter case counts", "WORKSTATE", "Completed", 0},
      {"unknown text", "WORKSTATE", "done", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(WorkStateMarkOf(Item(c.field, c.value)), c.expected);
  }
}

TEST(ItemMarks, RiskRankIsThePlaceAmongTheDefinitions) {
  const RiskScale scale(Defs({{"1", "gering"}, {"2", "mittel"}, {"3", "hoch"}}));
  struct Case {
    const char* name;
    const char* risk;
    int expected;
  };
  const Case cases[] = {
      {"first entry", "1 - gering", 0},
      {"last entry", "3 - hoch", 2},
      {"letter case ignored", "3 - HOCH", 2},
      {"umlaut case ignored", "2 - MITTEL", 1},
      {"empty", "", -1},
      {"no such entry", "9 - extrem", -1},
      {"item part only", "3", -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(scale.rankOf(Item("RISK", c.risk)), c.expected);
  }
}

TEST(ItemMarks, RiskScaleFollowsAChangedList) {
  RiskScale scale(Defs({{"1", "gering"}, {"2", "hoch"}}));
  const FieldList item = Item("RISK", "2 - hoch");
  EXPECT_EQ(scale.rankOf(item), 1);
  scale.update(Defs({{"2", "hoch"}, {"1", "gering"}}));
  EXPECT_EQ(scale.rankOf(item), 0);
  scale.update("");
  EXPECT_EQ(scale.rankOf(item), -1);
  EXPECT_EQ(scale.size(), 0);
}

TEST(ItemMarks, RiskLevelsSpanLowestToHighest) {
  struct Case {
    int rank, count, expected;
  };
  const Case cases[] = {
      {0, 4, 0}, {1, 4, 1}, {2, 4, 3}, {3, 4, kRiskLevels - 1},  // four entries: ends fixed
      {0, 2, 0}, {1, 2, kRiskLevels - 1},                         // two entries: both ends
      {0, 1, kRiskLevels / 2},                                    // one entry: the middle
      {4, 9, 2}, {8, 9, kRiskLevels - 1},                         // more entries than levels
      {-1, 3, -1}, {3, 3, -1}, {0, 0, -1},                        // no rank
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.rank << " of " << c.count);
    EXPECT_EQ(RiskLevel(c.rank, c.count), c.expected);
  }
}

}  // namespace
}  // namespace orvela
