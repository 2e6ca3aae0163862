#include "model/ItemDetailRules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
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

void AddDocument(WorkFileData& data, const std::string& id, const std::string& name, const std::string& ref) {
  FieldList doc = NewDocumentRecord();
  doc.setValue(key::ID, id);
  doc.setValue(key::NAME, name);
  doc.setValue(key::REFERENCE, ref);
  data.documents.append(nullptr, doc);
}

std::vector<std::string> Texts(const std::vector<CheckEntry>& entries) {
  std::vector<std::string> out;
  for (const auto& e : entries) out.push_back(e.text + (e.checked ? " [x]" : " [ ]"));
  return out;
}

class ItemDetailRules : public ::testing::Test {
 protected:
  void SetUp() override {
    data.riskDefs = Defs({{"1", "gering"}, {"2", "hoch"}});
    data.ouDefs = Defs({{"EK", "Einkauf"}, {"VK", "Verkauf"}});
    AddDocument(data, "1", "Vertrag", "a.pdf");
    AddDocument(data, "3", "Liste", "b.xls");
  }
  WorkFileData data;
};

// Each case: an item, what the panel shows for it, what the user changes, and the record
// after accepting.
struct Case {
  const char* name;
  std::vector<std::string> item;
  std::function<void(const ItemDetails&)> shown;
  std::function<void(ItemDetails&)> edit;
  std::vector<std::string> written;
};

TEST_F(ItemDetailRules, LoadAndAcceptTable) {
  const std::string ws = "WORKSTATE=<nicht definiert>";
  const std::vector<Case> cases = {
      {"unchanged item writes its values back in place",
       {"ID=5", "NAME=Kasse", "RISK=1 - gering", ws},
       [](const ItemDetails& d) {
         EXPECT_EQ(d.id, "5");
         EXPECT_EQ(d.riskEntries, (std::vector<std::string>{"1 - gering", "2 - hoch"}));
         EXPECT_EQ(d.riskIndex, 0);
       },
       [](ItemDetails&) {},
       {"ID=5", "NAME=Kasse", "RISK=1 - gering", ws, "OU-UX=\"EK - Einkauf\",\"VK - Verkauf\""}},
      {"risk text not among the entries shows nothing and is removed",
       {"ID=5", "NAME=Kasse", "RISK=9 - unbekannt", ws},
       [](const ItemDetails& d) { EXPECT_EQ(d.riskIndex, -1); },
       [](ItemDetails&) {},
       {"ID=5", "NAME=Kasse", ws, "OU-UX=\"EK - Einkauf\",\"VK - Verkauf\""}},
      {"risk found with letter case ignored, written as the entry's text",
       {"ID=5", "NAME=Kasse", "RISK=2 - HOCH", ws},
       [](const ItemDetails& d) { EXPECT_EQ(d.riskIndex, 1); },
       [](ItemDetails&) {},
       {"ID=5", "NAME=Kasse", "RISK=2 - hoch", ws, "OU-UX=\"EK - Einkauf\",\"VK - Verkauf\""}},
      {"empty OU-X shows the definitions, OU-UX ignored; ticking one splits the list",
       {"ID=5", "NAME=Kasse", "OU-UX=XX - alt", ws},
       [](const ItemDetails& d) {
         EXPECT_EQ(Texts(d.ouEntries), (std::vector<std::string>{"EK - Einkauf [ ]", "VK - Verkauf [ ]"}));
       },
       [](ItemDetails& d) { d.ouEntries[1].checked = true; },
       {"ID=5", "NAME=Kasse", "OU-UX=\"EK - Einkauf\"", ws, "OU-X=\"VK - Verkauf\""}},
      {"ticked units come first, the item's own list outlives the definitions",
       {"ID=5", "NAME=Kasse", "OU-X=\"ZZ - Zentrale\"", "OU-UX=\"EK - Einkauf\",\"zz - zentrale\"", ws},
       [](const ItemDetails& d) {
         EXPECT_EQ(Texts(d.ouEntries), (std::vector<std::string>{"ZZ - Zentrale [x]", "EK - Einkauf [ ]",
                                                                 "zz - zentrale [x]"}));
       },
       [](ItemDetails&) {},
       {"ID=5", "NAME=Kasse", "OU-X=\"ZZ - Zentrale\",\"zz - zentrale\"", "OU-UX=\"EK - Einkauf\"", ws}},
      {"unticking every unit removes OU-X",
       {"ID=5", "NAME=Kasse", "OU-X=\"ZZ - Zentrale\"", ws},
       [](const ItemDetails&) {},
       [](ItemDetails& d) { d.ouEntries[0].checked = false; },
       {"ID=5", "NAME=Kasse", ws, "OU-UX=\"ZZ - Zentrale\""}},
      {"work state in other letter case loads as not defined",
       {"ID=5", "NAME=Kasse", "WORKSTATE=Completed"},
       [](const ItemDetails& d) { EXPECT_EQ(d.workStateIndex, 0); },
       [](ItemDetails&) {},
       {"ID=5", "NAME=Kasse", ws, "OU-UX=\"EK - Einkauf\",\"VK - Verkauf\""}},
      {"exact work states keep their index",
       {"ID=5", "NAME=Kasse", "WORKSTATE=uncompleted"},
       [](const ItemDetails& d) { EXPECT_EQ(d.workStateIndex, 1); },
       [](ItemDetails& d) { d.workStateIndex = 2; },
       {"ID=5", "NAME=Kasse", "WORKSTATE=completed", "OU-UX=\"EK - Einkauf\",\"VK - Verkauf\""}},
      {"empty name removes NAME, a three-line description stays one value",
       {"ID=5", "NAME=Kasse", ws},
       [](const ItemDetails&) {},
       [](ItemDetails& d) {
         d.name.clear();
         d.description = "eins\r\nzwei\r\ndrei";
       },
       {"ID=5", ws, "OU-UX=\"EK - Einkauf\",\"VK - Verkauf\"", "DESCRIPTION=eins\r\nzwei\r\ndrei"}},
      {"documents ticked by their ID, a deleted document's ID is dropped",
       {"ID=5", "NAME=Kasse", "DOCUMENTS=3,7", ws},
       [](const ItemDetails& d) {
         EXPECT_EQ(Texts(d.documentEntries),
                   (std::vector<std::string>{"1 - Vertrag (a.pdf) [ ]", "3 - Liste (b.xls) [x]"}));
       },
       [](ItemDetails& d) { d.documentEntries[0].checked = true; },
       {"ID=5", "NAME=Kasse", "DOCUMENTS=1,3", ws, "OU-UX=\"EK - Einkauf\",\"VK - Verkauf\""}},
      {"findings split into records; deleting all removes FINDINGS",
       {"ID=5", "NAME=Kasse", std::string("FINDINGS=NAME=a") + kListSeparator + "NAME=b", ws},
       [](const ItemDetails& d) {
         ASSERT_EQ(d.findings.size(), 2u);
         EXPECT_EQ(d.findings[1].value(key::NAME), "b");
       },
       [](ItemDetails& d) { d.findings.clear(); },
       {"ID=5", "NAME=Kasse", ws, "OU-UX=\"EK - Einkauf\",\"VK - Verkauf\""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FieldList item(c.item);
    ItemDetails d = LoadItemDetails(item, data);
    c.shown(d);
    c.edit(d);
    WriteItemDetails(item, d);
    EXPECT_EQ(item.lines(), c.written);
  }
}

TEST_F(ItemDetailRules, ThreeFindingsAreJoinedByTwoSeparators) {
  FieldList item({"ID=1"});
  ItemDetails d = LoadItemDetails(item, data);
  d.findings = {NewPanelFindingRecord(), FieldList({"NAME=b"}), FieldList({"NAME=c"})};
  WriteItemDetails(item, d);
  const std::string findings = item.value(key::FINDINGS);
  EXPECT_EQ(std::count(findings.begin(), findings.end(), kListSeparator), 2);
  EXPECT_EQ(TextToList(findings), d.findings);
}

TEST_F(ItemDetailRules, EmptyWorkFileGivesEmptyLists) {
  WorkFileData empty;
  const ItemDetails d = LoadItemDetails(FieldList({"ID=1", "NAME=x", "RISK=1 - gering"}), empty);
  EXPECT_TRUE(d.riskEntries.empty());
  EXPECT_EQ(d.riskIndex, -1);
  EXPECT_TRUE(d.ouEntries.empty());
  EXPECT_TRUE(d.documentEntries.empty());
}

TEST(ItemDetailTexts, DocumentEntryIdAndWorkStates) {
  EXPECT_EQ(DocumentEntryId("12 - Plan - neu (x)"), "12");
  EXPECT_EQ(DocumentEntryId("ohne"), "ohne");
  EXPECT_EQ(WorkStateStoredValue(7), "<nicht definiert>");
  EXPECT_EQ(WorkStateIndex("completed"), 2);
}

}  // namespace
}  // namespace orvela
