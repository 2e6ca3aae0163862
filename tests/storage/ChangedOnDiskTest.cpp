// Saving over a file that another program changed since this one read or wrote it: the
// save is refused and the other program's bytes stay, whichever step of the save the
// change falls into.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

#include "StorageTestSupport.h"
#include "model/TextUtils.h"
#include "storage/WorkFileStorage.h"

namespace orvela {
namespace {

enum class Step { CreateTemp, Write, Sync, Close, Exchange, None };

// The real system calls; at `at` another program rewrites the target first. With
// `canExchange` false the file system cannot swap two names (network shares).
class ChangingOps : public FileOps {
 public:
  ChangingOps(Step at, std::string target, std::string theirs, bool canExchange = true)
      : at_(at), target_(std::move(target)), theirs_(std::move(theirs)), canExchange_(canExchange) {}
  int createTemp(std::string& t) override {
    changeAt(Step::CreateTemp);
    return FileOps::createTemp(t);
  }
  long write(int fd, const char* b, std::size_t n) override {
    changeAt(Step::Write);
    return FileOps::write(fd, b, n);
  }
  bool sync(int fd) override {
    changeAt(Step::Sync);
    return FileOps::sync(fd);
  }
  bool close(int fd) override {
    changeAt(Step::Close);
    return FileOps::close(fd);
  }
  bool exchange(const std::string& a, const std::string& b) override {
    changeAt(Step::Exchange);
    if (!canExchange_) {
      errno = EINVAL;
      return false;
    }
    return FileOps::exchange(a, b);
  }

 private:
  void changeAt(Step s) {
    if (s != at_ || done_) return;
    done_ = true;
    WriteWholeFile(target_, theirs_);
  }
  Step at_;
  std::string target_, theirs_;
  bool canExchange_;
  bool done_ = false;
};

struct Folder {
  test::TempDir dir;
  std::string path = dir.file("akte.owp");
  WorkFileData data;
  FileStamp stamp;

  Folder() {
    ResetWorkFileData(data, test::FixedStamps());
    data.structure.append(nullptr, NewStructureItemRecord(data.lastItemId));
    WriteWorkFile(data, path);
    WorkFileData read;
    LoadResult loaded = LoadWorkFile(read, path, [](LoadWarning, const std::string&) {});
    EXPECT_TRUE(loaded.ok());
    stamp = loaded.stamp;
  }
  std::size_t entries() const {
    return std::size_t(std::distance(std::filesystem::directory_iterator(dir.path()), {}));
  }
};

TEST(ChangedOnDisk, StampOfWhatWasReadMatchesTheFile) {
  Folder f;
  EXPECT_EQ(StampOfFile(f.path), f.stamp);
  EXPECT_EQ(f.stamp.md5, Md5Hex(ReadWholeFile(f.path)));
  EXPECT_TRUE(FileUnchangedSince(f.path, f.stamp));
}

TEST(ChangedOnDisk, ComparisonSeesEveryKindOfChange) {
  struct Case {
    const char* name;
    std::function<void(const std::string&, const FileStamp&)> change;
    bool unchanged;
  };
  const Case cases[] = {
      {"nothing", [](const std::string&, const FileStamp&) {}, true},
      {"removed", [](const std::string& p, const FileStamp&) { std::filesystem::remove(p); }, true},
      {"appended", [](const std::string& p, const FileStamp&) { std::ofstream(p, std::ios::app) << "x"; }, false},
      {"same size, same time, other bytes",
       [](const std::string& p, const FileStamp& s) {
         std::string bytes = ReadWholeFile(p);
         bytes[bytes.size() - 2] ^= 1;
         WriteWholeFile(p, bytes);
         const timespec times[2] = {{0, UTIME_OMIT},
                                    {time_t(s.modifiedNs / 1000000000), long(s.modifiedNs % 1000000000)}};
         ::utimensat(AT_FDCWD, p.c_str(), times, 0);
       },
       false},
      {"touched only",
       [](const std::string& p, const FileStamp&) {
         const timespec times[2] = {{0, UTIME_OMIT}, {1000, 0}};
         ::utimensat(AT_FDCWD, p.c_str(), times, 0);
       },
       false},
      {"replaced by a folder (saving refuses it anyway)",
       [](const std::string& p, const FileStamp&) {
         std::filesystem::remove(p);
         std::filesystem::create_directory(p);
       },
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Folder f;
    c.change(f.path, f.stamp);
    EXPECT_EQ(FileUnchangedSince(f.path, f.stamp), c.unchanged);
  }
}

TEST(ChangedOnDisk, ChangeAtAnyStepOfTheSaveIsRefusedAndKept) {
  const std::string theirs = "the other program's bytes";
  struct Case {
    const char* name;
    Step at;
    bool canExchange;
  };
  const Case cases[] = {
      {"before the temporary file", Step::CreateTemp, true},
      {"while writing", Step::Write, true},
      {"before the flush", Step::Sync, true},
      {"before closing", Step::Close, true},
      {"at the swap", Step::Exchange, true},
      {"before closing, no swap on this file system", Step::Close, false},
      {"at the attempted swap, no swap on this file system", Step::Exchange, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Folder f;
    ChangingOps ops(c.at, f.path, theirs, c.canExchange);
    f.data.fileName = "vorher.owp";
    const SaveResult result = SaveWorkFile(f.data, f.path, test::FixedStamps(), ops, &f.stamp);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.changedOnDisk);
    EXPECT_EQ(result.message, kCannotSaveMessage);
    EXPECT_EQ(ReadWholeFile(f.path), theirs);
    EXPECT_EQ(f.data.fileName, "vorher.owp") << "the data still names the file it came from";
    EXPECT_EQ(f.entries(), 1u) << "no temporary file left";
  }
}

TEST(ChangedOnDisk, UnchangedOrRemovedFileIsSavedAndStamped) {
  for (const bool removed : {false, true}) {
    SCOPED_TRACE(removed ? "removed" : "unchanged");
    for (const bool canExchange : {true, false}) {
      Folder f;
      if (removed) std::filesystem::remove(f.path);
      ChangingOps ops(Step::None, f.path, "", canExchange);
      const SaveResult result = SaveWorkFile(f.data, f.path, test::FixedStamps(), ops, &f.stamp);
      ASSERT_TRUE(result.ok) << result.detail;
      EXPECT_FALSE(result.changedOnDisk);
      EXPECT_EQ(StampOfFile(f.path), result.stamp) << "the next save compares with what this one wrote";
      EXPECT_EQ(f.entries(), 1u);
    }
  }
}

}  // namespace
}  // namespace orvela
