// Writing and reading back gives the same work file, byte for byte.
#include <gtest/gtest.h>

#include "StorageTestSupport.h"
#include "storage/WorkFileXml.h"

namespace orvela {
namespace {

void ExpectSameTree(const RecordTree& a, const RecordTree& b, const std::vector<std::string_view>& keys) {
  std::vector<RecordNode*> x = a.inTreeOrder(), y = b.inTreeOrder();
  ASSERT_EQ(x.size(), y.size());
  for (std::size_t i = 0; i < x.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(x[i]->expanded, y[i]->expanded);
    EXPECT_EQ(x[i]->childCount(), y[i]->childCount());
    for (std::string_view k : keys) EXPECT_EQ(x[i]->record.value(k), y[i]->record.value(k)) << k;
  }
}

TEST(WorkFileRoundTrip, GeneratedWorkFiles) {
  struct Case {
    unsigned seed;
    std::size_t items, maxDepth;
  };
  const Case cases[] = {{1, 0, 0}, {2, 1, 0}, {3, 80, 4}, {4, 200, 12}, {5, 400, 1000}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.seed);
    WorkFileData original;
    test::GenerateWorkFile(original, c.seed, c.items, c.maxDepth);
    const std::string xml = BuildWorkFileXml(original);

    WorkFileData read;
    ResetWorkFileData(read, test::FixedStamps("other/user"));
    ParseWorkFileXml(read, xml, {});
    EXPECT_EQ(BuildWorkFileXml(read), xml);

    EXPECT_EQ(read.createdBy, original.createdBy);
    EXPECT_EQ(read.savedAt, original.savedAt);
    EXPECT_EQ(read.description, original.description);
    EXPECT_EQ(read.generalDefs, original.generalDefs);
    EXPECT_EQ(read.staffDefs, original.staffDefs);
    ExpectSameTree(original.structure, read.structure,
                   {key::ID, key::NAME, key::RISK, key::OU_X, key::OU_UX, key::WORKSTATE, key::DESCRIPTION, key::RESULT,
                    key::DOCUMENTS, key::FINDINGS});
    ExpectSameTree(original.documents, read.documents, {key::ID, key::NAME, key::REFERENCE, key::TYPE, key::DESCRIPTION});
  }
}

TEST(WorkFileRoundTrip, DeepChainOfItems) {
  WorkFileData original;
  ResetWorkFileData(original, test::FixedStamps());
  RecordNode* parent = nullptr;
  for (int i = 0; i < 20000; ++i) parent = original.structure.append(parent, NewStructureItemRecord(original.lastItemId));
  const std::string xml = BuildWorkFileXml(original);
  WorkFileData read;
  ParseWorkFileXml(read, xml, {});
  EXPECT_EQ(read.structure.count(), 20000u);
  EXPECT_EQ(BuildWorkFileXml(read), xml);
}

TEST(WorkFileRoundTrip, DefinitionEntriesKeepBothLines) {
  WorkFileData original;
  ResetWorkFileData(original, test::FixedStamps());
  original.ouDefs = ListToText({FieldList(), FieldList({"VALUE=only value"}), FieldList({"ITEM=only item"})});
  WorkFileData read;
  ParseWorkFileXml(read, BuildWorkFileXml(original), {});
  EXPECT_EQ(read.ouDefs, "ITEM=,VALUE=\x11ITEM=,\"VALUE=only value\"\x11\"ITEM=only item\",VALUE=");
}

}  // namespace
}  // namespace orvela
