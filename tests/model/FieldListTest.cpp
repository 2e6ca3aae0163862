#include "model/FieldList.h"

#include <gtest/gtest.h>

#include "model/srcGlobalDef.h"

namespace orvela {
namespace {

TEST(FieldList, FirstMatchingLineCountsCaseIgnored) {
  const FieldList record({"OU-X=", "ou-x=Einkauf - 1", "NAME=a=b", "NOKEY", "\xC4NDERUNG=\xE4"});
  EXPECT_EQ(record.value("OU-X"), "");
  EXPECT_TRUE(record.hasKey("ou-X"));
  EXPECT_EQ(record.value("name"), "a=b");
  EXPECT_EQ(record.value("\xE4nderung"), "\xE4");  // Ä/ä
  EXPECT_EQ(record.value("NOKEY"), "");
  EXPECT_FALSE(record.hasKey("NOKEY"));
  EXPECT_FALSE(record.hasKey("NAM"));
  EXPECT_EQ(record.value("MISSING"), "");
}

TEST(FieldList, WritingReplacesInPlaceAppendsOrRemoves) {
  FieldList record({"id=1", "NAME=x", "RISK="});
  record.setValue("ID", "7");
  record.setValue("NEW", "v");
  EXPECT_EQ(record.lines(), (std::vector<std::string>{"ID=7", "NAME=x", "RISK=", "NEW=v"}));

  record.setValue("RISK", "");
  record.setValue("ABSENT", "");
  EXPECT_EQ(record.lines(), (std::vector<std::string>{"ID=7", "NAME=x", "NEW=v"}));
}

TEST(FieldList, EmptyNameLeavesTheCommaText) {
  int last = 0;
  FieldList item = NewStructureItemRecord(last);
  item.setValue(key::NAME, "");
  EXPECT_EQ(item.value(key::NAME), "");
  EXPECT_FALSE(item.hasKey(key::NAME));
  EXPECT_EQ(item.commaText().find("NAME"), std::string::npos);
}

TEST(FieldList, CommaTextRoundTrip) {
  const FieldList record({"NAME=a \"b\"", "DESCRIPTION=x\r\ny", "ID=3"});
  EXPECT_EQ(FieldList::fromCommaText(record.commaText()), record);
}

}  // namespace
}  // namespace orvela
