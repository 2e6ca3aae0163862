#include "model/WorkFileData.h"

#include <gtest/gtest.h>

#include "model/srcGlobalDef.h"

namespace orvela {
namespace {

TEST(DateTimeTextTest, DateAloneOnlyAtMidnight) {
  struct Case {
    LocalDateTime t;
    const char* text;
  };
  const Case cases[] = {
      {{2024, 12, 9, 14, 3, 5}, "09.12.2024 14:03:05"},
      {{2024, 1, 2, 0, 0, 0}, "02.01.2024"},
      {{2024, 1, 2, 0, 0, 1}, "02.01.2024 00:00:01"},
      {{2024, 1, 2, 0, 1, 0}, "02.01.2024 00:01:00"},
      {{999, 7, 30, 23, 59, 59}, "30.07.0999 23:59:59"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(DateTimeText(c.t), c.text);
  }
}

TEST(WorkFileDataTest, ResetGivesANewEmptyWorkFile) {
  WorkFileData data;
  data.fileName = "/x.owp";
  data.modified = true;
  data.lastItemId = 9;
  data.savedBy = data.savedAt = data.generalDefs = data.riskDefs = data.ouDefs = data.staffDefs = "x";
  data.description = "{\\rtf1 }";
  data.structure.append(data.structure.append(nullptr, FieldList()), FieldList());
  data.documents.append(nullptr, NewDocumentRecord());

  ResetWorkFileData(data, {[] { return std::string("/pruefer"); }, [] { return LocalDateTime{2024, 3, 1, 0, 0, 0}; }});
  EXPECT_EQ(data.fileName, "");
  EXPECT_FALSE(data.modified);
  EXPECT_EQ(data.lastItemId, 0);
  EXPECT_EQ(data.createdBy, "/pruefer");
  EXPECT_EQ(data.createdAt, "01.03.2024");
  for (const std::string* s : {&data.savedBy, &data.savedAt, &data.generalDefs, &data.riskDefs, &data.ouDefs,
                               &data.staffDefs, &data.description}) {
    EXPECT_EQ(*s, "");
  }
  EXPECT_TRUE(data.structure.empty());
  EXPECT_TRUE(data.documents.empty());

  ResetWorkFileData(data, {});  // no sources: empty stamps, no exception
  EXPECT_EQ(data.createdBy, "");
}

TEST(WorkFileDataTest, RenumberInTreeOrderAndOutlineNumbers) {
  WorkFileData data;
  data.lastItemId = 77;
  RenumberItems(data);
  EXPECT_EQ(data.lastItemId, 77);  // empty tree: counter kept

  // Twelve top-level items; the first has two sub-items, the twelfth three.
  std::vector<RecordNode*> top;
  for (int i = 0; i < 12; ++i) top.push_back(data.structure.append(nullptr, FieldList({"ID=99"})));
  RecordNode* first2 = nullptr;
  for (int i = 0; i < 2; ++i) first2 = data.structure.append(top[0], FieldList());
  RecordNode* twelfth3 = nullptr;
  for (int i = 0; i < 3; ++i) twelfth3 = data.structure.append(top[11], NewStructureItemRecord(data.lastItemId));
  RecordNode* deep = data.structure.append(twelfth3, FieldList());

  RenumberItems(data);
  EXPECT_EQ(data.lastItemId, 18);
  int expected = 0;
  data.structure.forEach([&expected](const RecordNode& n) {
    EXPECT_EQ(n.record.value(key::ID), std::to_string(++expected));
  });
  EXPECT_EQ(top[0]->record.lines().front(), "ID=1");  // replaced in place
  EXPECT_EQ(first2->record.value(key::ID), "3");
  EXPECT_EQ(twelfth3->record.lines().front(), "ID=17");

  struct Case {
    const RecordNode* item;
    const char* number;
  };
  const Case cases[] = {{top[0], "1"}, {first2, "1.2"}, {top[11], "12"}, {twelfth3, "12.3"}, {deep, "12.3.1"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.number);
    EXPECT_EQ(OutlineNumber(*c.item), c.number);
  }
}

TEST(DisplayNameTest, ShortensFromTheLeftUntilItFits) {
  // One pixel per byte keeps the steps easy to read.
  const auto width = [](std::string_view s) { return static_cast<int>(s.size()); };
  struct Case {
    const char* path;
    int maxWidth;
    const char* shown;
  };
  const Case cases[] = {
      {"", 300, "unbenannt"},
      {"/home/a/b/x.owp", 300, "/home/a/b/x.owp"},
      {"/home/a/b/x.owp", 15, "/home/a/b/x.owp"},
      {"/home/a/b/x.owp", 14, "/.../a/b/x.owp"},
      {"/home/a/b/x.owp", 12, "/.../b/x.owp"},
      {"/home/a/b/x.owp", 10, "/.../x.owp"},
      {"/home/a/b/x.owp", 9, ".../x.owp"},
      {"/home/a/b/x.owp", 8, "x.owp"},
      {"/home/a/b/x.owp", 1, "x.owp"},  // the file name is never shortened
      {"/x.owp", 5, "x.owp"},
      {"akte/2009/x.owp", 12, ".../x.owp"},
      {"/home/pr\xC3\xBC" "fer/Akte 2024/Jahresabschluss.owp", 30, "/.../Jahresabschluss.owp"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.path) + " in " + std::to_string(c.maxWidth));
    EXPECT_EQ(DisplayName(c.path, width, c.maxWidth), c.shown);
  }
}

TEST(DisplayNameTest, DefaultWidthIs300Pixels) {
  const std::string longPath = "/" + std::string(400, 'd') + "/x.owp";
  const auto width = [](std::string_view s) { return static_cast<int>(s.size()); };
  EXPECT_EQ(DisplayName(longPath, width), "/.../x.owp");
  EXPECT_EQ(DisplayName("/d/x.owp", width), "/d/x.owp");
}

}  // namespace
}  // namespace orvela
