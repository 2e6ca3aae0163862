#include "model/srcGlobalProc.h"

#include <gtest/gtest.h>

#include "model/DelimitedText.h"

namespace orvela {
namespace {

TEST(DefinitionEntry, ItemValueAndDisplayText) {
  struct Case {
    const char* name;
    std::string entry;
    const char* item;
    const char* value;
  };
  const Case cases[] = {
      {"value quoted", WriteCommaText({"ITEM=A", "VALUE=B C"}), "A", "B C"},
      {"neither quoted", "ITEM=A,VALUE=B", "A", "B"},
      {"both quoted", WriteCommaText({"ITEM=A 1", "VALUE=B C"}), "A 1", "B C"},
      {"item quoted", WriteCommaText({"ITEM=A 1", "VALUE=B"}), "A 1", "B"},
      {"doubled quotes stay", WriteCommaText({"ITEM=say \"x\"", "VALUE=v"}), "say \"\"x\"\"", "v"},
      {"case ignored", "item=a,value=b", "a", "b"},
      {"no markers", "X=1", "", ""},
      {"value in item text counts first", "ITEM=value=x,VALUE=y", "value=x", "x,VALUE=y"},
      {"value apostrophes removed", "ITEM=a,VALUE='b'", "a", "b"},
      {"empty entry", WriteCommaText({"ITEM=", "VALUE="}), "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(GetDefItem(c.entry), c.item);
    EXPECT_EQ(GetDefValue(c.entry), c.value);
    EXPECT_EQ(DefDisplayText(c.entry), std::string(c.item) + " - " + c.value);
  }
}

TEST(DefinitionList, AddAfterFocusOrAtEnd) {
  std::vector<FieldList> rows = {FieldList({"ITEM=a"}), FieldList({"ITEM=b"})};
  Focus focus;
  AddDefEntry(rows, focus);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(focus, 2u);
  EXPECT_EQ(rows[2].lines(), (std::vector<std::string>{"ITEM=", "VALUE="}));

  focus = 0;
  AddDefEntry(rows, focus);
  EXPECT_EQ(focus, 1u);
  EXPECT_EQ(rows[1].commaText(), "ITEM=,VALUE=");
  EXPECT_EQ(rows[2].value("ITEM"), "b");

  focus = 99;  // a stale focus appends
  AddDefEntry(rows, focus);
  EXPECT_EQ(focus, 4u);
  EXPECT_EQ(rows.size(), 5u);
}

TEST(DefinitionList, MoveEntries) {
  using V = std::vector<int>;
  struct Case {
    const char* name;
    bool down;
    Focus focus;
    V after;
    Focus focusAfter;
  };
  const Case cases[] = {
      {"up from the middle", false, 1, {2, 1, 3}, 0},
      {"up on the first row changes nothing", false, 0, {1, 2, 3}, 0},
      {"up without focus", false, std::nullopt, {1, 2, 3}, std::nullopt},
      {"down from the middle", true, 1, {1, 3, 2}, 2},
      {"down on the last row goes to the top", true, 2, {3, 1, 2}, 0},
      {"down without focus", true, std::nullopt, {1, 2, 3}, std::nullopt},
      {"down with stale focus", true, 7, {1, 2, 3}, 7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    V rows = {1, 2, 3};
    Focus focus = c.focus;
    if (c.down) {
      MoveEntryDown(rows, focus);
    } else {
      MoveEntryUp(rows, focus);
    }
    EXPECT_EQ(rows, c.after);
    EXPECT_EQ(focus, c.focusAfter);
  }
}

}  // namespace
}  // namespace orvela
