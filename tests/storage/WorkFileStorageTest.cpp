// Saving and loading whole files, as the window calls them.
#include <gtest/gtest.h>

#include "StorageTestSupport.h"
#include "model/TextUtils.h"
#include "storage/WorkFileStorage.h"

namespace orvela {
namespace {

TEST(WorkFileStorage, SaveStampsAndLoadReadsBack) {
  test::TempDir dir;
  WorkFileData data;
  test::GenerateWorkFile(data, 21, 50);
  const std::string path = dir.file("Akte.owp");
  SaveResult saved = SaveWorkFile(data, path, test::FixedStamps("PC/anna", {2025, 1, 2, 0, 0, 0}));
  ASSERT_TRUE(saved.ok) << saved.detail;
  EXPECT_EQ(data.savedBy, "PC/anna");
  EXPECT_EQ(data.savedAt, "02.01.2025");  // midnight: the date alone
  EXPECT_EQ(data.fileName, path);

  WorkFileData read;
  ResetWorkFileData(read, test::FixedStamps("other/user"));
  std::vector<LoadWarning> warnings;
  LoadResult loaded = LoadWorkFile(read, path, [&](LoadWarning w, const std::string&) { warnings.push_back(w); });
  ASSERT_TRUE(loaded.ok()) << loaded.message;
  EXPECT_TRUE(warnings.empty());
  EXPECT_EQ(read.fileName, path);
  EXPECT_EQ(read.savedBy, "PC/anna");
  EXPECT_EQ(read.createdBy, data.createdBy);
  EXPECT_EQ(BuildWorkFileXml(read), BuildWorkFileXml(data));
}

TEST(WorkFileStorage, FailedSaveKeepsNameButTakesStamps) {
  test::TempDir dir;
  WorkFileData data;
  test::GenerateWorkFile(data, 22, 5);
  data.fileName = dir.file("old.owp");
  SaveResult saved = SaveWorkFile(data, dir.file("missing/folder/new.owp"), test::FixedStamps("PC/bert"));
  EXPECT_FALSE(saved.ok);
  EXPECT_EQ(saved.message, "Die Datei kann nicht gespeichert werden!");
  EXPECT_FALSE(saved.detail.empty());
  EXPECT_EQ(data.fileName, dir.file("old.owp"));
  EXPECT_EQ(data.savedBy, "PC/bert");
  EXPECT_EQ(data.savedAt, "09.12.2024 14:03:05");
}

TEST(WorkFileStorage, LoadFailures) {
  test::TempDir dir;
  WorkFileData data;
  ResetWorkFileData(data, test::FixedStamps());
  LoadResult missing = LoadWorkFile(data, dir.file("none.owp"), {});
  EXPECT_EQ(missing.status, LoadResult::Status::ReadFailed);
  EXPECT_EQ(missing.message, "Die Datei kann nicht gelesen werden!");
  EXPECT_EQ(data.fileName, "");

  const std::string broken = dir.file("broken.owp");
  WriteWholeFile(broken, "OVWP00000001" + std::string(60, '0') + "<A>\r\n  <B X=\"1\">\r\n</A>");
  LoadResult bad = LoadWorkFile(data, broken, {});
  EXPECT_EQ(bad.status, LoadResult::Status::ParseFailed);
  EXPECT_EQ(bad.message, "Ungültiges XML in Zeile 3, Spalte 1: End-Tag </A> passt nicht zum Start-Tag <B> in "
                         "Zeile 2, Spalte 3.");
  EXPECT_EQ(data.fileName, "");
}

TEST(WorkFileStorage, HeaderlessFileLoadsAndRenumbers) {
  test::TempDir dir;
  const std::string path = dir.file("plain.xml");
  WriteWholeFile(path,
                 "<R><DATAINFO FILETYPE=\"ORVELA_WP_DOCUMENT\"/><PROPERTIES_GENERAL/><PROPERTIES_RISK/>"
                 "<PROPERTIES_OU/><PROPERTIES_STAFF/><DOCUMENTS/><STRUCTURE>"
                 "<STRUCTURE_ITEM ID=\"40\" PARENT=\"0\"/><STRUCTURE_ITEM ID=\"7\" PARENT=\"40\"/>"
                 "</STRUCTURE></R>");
  EXPECT_FALSE(CheckFileIntegrity(path));
  WorkFileData data;
  ASSERT_TRUE(LoadWorkFile(data, path, {}).ok());
  EXPECT_EQ(data.structure.root().child(0)->child(0)->record.value(key::ID), "7");  // as stored

  WorkFileData renumbered;
  ASSERT_TRUE(LoadWorkFileRenumbered(renumbered, path, {}).ok());
  EXPECT_EQ(renumbered.structure.root().child(0)->record.value(key::ID), "1");
  EXPECT_EQ(renumbered.structure.root().child(0)->child(0)->record.value(key::ID), "2");
  EXPECT_EQ(renumbered.lastItemId, 2);
}

}  // namespace
}  // namespace orvela
