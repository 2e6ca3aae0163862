#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/FieldList.h"
#include "model/RecordTree.h"
#include "reports/engine/FindingsOverview.h"

namespace orvela {
namespace {

std::string Finding(std::vector<std::string> lines) { return FieldList(std::move(lines)).commaText(); }

RecordNode* Item(RecordTree& tree, RecordNode* parent, const std::string& id, const std::string& findings) {
  FieldList record({"ID=" + id, "NAME=Element " + id});
  if (!findings.empty()) record.setValue("FINDINGS", findings);
  return tree.append(parent, std::move(record));
}

TEST(FindingsOverview, CellsOfOneFinding) {
  struct Case {
    const char* name;
    std::vector<std::string> finding;
    FindingRow expected;
  };
  const Case cases[] = {
      {"all fields",
       {"NAME=L\xFC" "cke", "TYPE=2", "RISK=H - hoch", "OU=\"A - Einkauf\",\"B - Verkauf\"", "EVIDENCE=1,3",
        "DESCRIPTION=Zeile 1\r\nZeile 2", "DEADLINE=31.03.2027"},
       {"1", "7", "L\xFC" "cke", "Ma\xDFnahme", "H - hoch", "\"A - Einkauf\",\"B - Verkauf\"", "1,3", "31.03.2027",
        "Zeile 1\r\nZeile 2", "offen", "", "0", "", ""}},
      {"recommendation", {"NAME=a", "TYPE=1"}, {"1", "7", "a", "Empfehlung", "", "", "", "", "", "offen", "", "0", "", ""}},
      {"type 0", {"TYPE=0"}, {"1", "7", "", "nicht definiert", "", "", "", "", "", "offen", "", "0", "", ""}},
      {"type empty", {"NAME=a", "TYPE="}, {"1", "7", "a", "nicht definiert", "", "", "", "", "", "offen", "", "0", "", ""}},
      {"type absent", {"NAME=a"}, {"1", "7", "a", "nicht definiert", "", "", "", "", "", "offen", "", "0", "", ""}},
      {"unknown type keeps the other columns in place", {"NAME=a", "TYPE=-1", "RISK=r", "DEADLINE=02.01.1900"},
       {"1", "7", "a", "", "r", "", "", "02.01.1900", "", "offen", "", "0", "", ""}},
      {"no deadline", {"NAME=a", "DEADLINE=01.01.1900", "DESCRIPTION=d"},
       {"1", "7", "a", "nicht definiert", "", "", "", "", "d", "offen", "", "0", "", ""}},
      {"deadline shown as stored", {"DEADLINE=1.1.1900"}, {"1", "7", "", "nicht definiert", "", "", "", "1.1.1900", "", "offen", "", "0", "", ""}},
      {"follow-up", {"NAME=a", "STATUS=3", "RESPONSE=Ja\r\nsofort", "RESPONSIBLE=M. M\xFCller", "DONE-AT=01.02.2027"},
       {"1", "7", "a", "nicht definiert", "", "", "", "", "", "verifiziert", "M. M\xFCller", "3", "Ja\r\nsofort",
        "01.02.2027"}},
      {"unknown status shows as open and stays as stored", {"STATUS=x", "DONE-AT=bald"},
       {"1", "7", "", "nicht definiert", "", "", "", "", "", "offen", "", "x", "", "bald"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordTree tree;
    Item(tree, nullptr, "7", Finding(c.finding));
    const std::vector<FindingRow> rows = FillFindingsOverview(tree);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0], c.expected);
  }
}

TEST(FindingsOverview, StatusAndOverdueFilter) {
  const CalendarDate today{2026, 6, 15};
  struct Case {
    const char* name;
    std::vector<std::string> finding;
    bool overdue;
    int status;  // the status filter that shows the row
  };
  const Case cases[] = {
      {"deadline passed, open", {"DEADLINE=14.06.2026"}, true, 0},
      {"deadline today", {"DEADLINE=15.06.2026"}, false, 0},
      {"deadline later", {"DEADLINE=1.1.2027", "STATUS=1"}, false, 1},
      {"passed, in progress", {"DEADLINE=01.01.2026", "STATUS=1"}, true, 1},
      {"passed, done", {"DEADLINE=01.01.2026", "STATUS=2"}, false, 2},
      {"passed, verified", {"DEADLINE=01.01.2026", "STATUS=3"}, false, 3},
      {"passed, unknown status counts as open", {"DEADLINE=01.01.2026", "STATUS=9"}, true, 0},
      {"no deadline", {"DEADLINE=01.01.1900"}, false, 0},
      {"deadline no date", {"DEADLINE=bald"}, false, 0},
      {"passed in an earlier year", {"DEADLINE=31.12.2025"}, true, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordTree tree;
    Item(tree, nullptr, "1", Finding(c.finding));
    const FindingRow row = FillFindingsOverview(tree).at(0);
    EXPECT_EQ(FindingRowOverdue(row, today), c.overdue);
    for (int status = -1; status < 4; ++status) {
      EXPECT_EQ(FindingRowShown(row, status, false, today), status == -1 || status == c.status) << status;
      EXPECT_EQ(FindingRowShown(row, status, true, today), (status == -1 || status == c.status) && c.overdue)
          << status;
    }
  }
}

std::vector<std::string> NumbersAndIds(const std::vector<FindingRow>& rows) {
  std::vector<std::string> out;
  for (const FindingRow& row : rows) out.push_back(row[kFindingNumber] + ":" + row[kFindingItemId] + ":" + row[kFindingName]);
  return out;
}

TEST(FindingsOverview, RowsInTreeOrderNumberedOverTheWholeTable) {
  RecordTree tree;
  const std::string two = Finding({"NAME=a"}) + '\x11' + Finding({"NAME=b"});
  RecordNode* first = Item(tree, nullptr, "1", two);
  first->expanded = false;  // collapsed items count as well
  Item(tree, first, "2", "");
  RecordNode* deep = Item(tree, first, "3", Finding({"NAME=c"}));
  Item(tree, deep, "4", Finding({"NAME=d"}));
  Item(tree, nullptr, "5", Finding({"NAME=e"}));
  EXPECT_EQ(NumbersAndIds(FillFindingsOverview(tree)),
            (std::vector<std::string>{"1:1:a", "2:1:b", "3:3:c", "4:4:d", "5:5:e"}));

  // After the last item moved to the top, its finding comes first.
  std::unique_ptr<RecordNode> last = tree.take(tree.root().child(1));
  tree.insert(nullptr, 0, std::move(last));
  EXPECT_EQ(NumbersAndIds(FillFindingsOverview(tree)),
            (std::vector<std::string>{"1:5:e", "2:1:a", "3:1:b", "4:3:c", "5:4:d"}));
}

TEST(FindingsOverview, ListTextSplitting) {
  RecordTree tree;
  // An empty entry between two separators is a finding with empty fields; a separator at
  // the end adds none.
  Item(tree, nullptr, "1", Finding({"NAME=a"}) + "\x11\x11" + Finding({"NAME=b"}) + '\x11');
  EXPECT_EQ(NumbersAndIds(FillFindingsOverview(tree)), (std::vector<std::string>{"1:1:a", "2:1:", "3:1:b"}));
}

TEST(FindingsOverview, NoFindingsGiveNoRows) {
  RecordTree tree;
  EXPECT_TRUE(FillFindingsOverview(tree).empty());
  Item(tree, nullptr, "1", "");
  EXPECT_TRUE(FillFindingsOverview(tree).empty());
}

TEST(FindingsOverview, FindItemById) {
  RecordTree tree;
  RecordNode* top = Item(tree, nullptr, "1", "");
  RecordNode* sub = Item(tree, top, "12", "");
  EXPECT_EQ(FindItemById(tree, "12"), sub);
  EXPECT_EQ(FindItemById(tree, "1"), top);
  EXPECT_EQ(FindItemById(tree, "2"), nullptr);   // gone since the overview was built
  EXPECT_EQ(FindItemById(tree, "012"), nullptr);  // exact text, not the number
}

}  // namespace
}  // namespace orvela
