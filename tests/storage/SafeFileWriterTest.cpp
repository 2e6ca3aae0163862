// Saving replaces the target only once the new content is complete on disk.
#include "../TestRequirements.h"
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "StorageTestSupport.h"
#include "model/TextUtils.h"
#include "storage/SafeFileWriter.h"

namespace orvela {
namespace {

enum class Stage { None, MayWrite, Create, SetMode, FirstWrite, SecondWrite, Sync, Close, Rename };

// The system calls, with one stage made to fail.
class FailingOps : public FileOps {
 public:
  explicit FailingOps(Stage failAt) : failAt_(failAt) {}
  bool mayWrite(const std::string& path) override { return !fails(Stage::MayWrite) && FileOps::mayWrite(path); }
  int createTemp(std::string& t) override {
    if (fails(Stage::Create)) return -1;
    int fd = FileOps::createTemp(t);
    temp = t;
    return fd;
  }
  bool setMode(int fd, mode_t m) override { return !fails(Stage::SetMode) && FileOps::setMode(fd, m); }
  long write(int fd, const char* b, std::size_t n) override {
    if (fails(++writes == 1 ? Stage::FirstWrite : Stage::SecondWrite)) return -1;
    return FileOps::write(fd, b, n);
  }
  bool sync(int fd) override { return !fails(Stage::Sync) && FileOps::sync(fd); }
  bool close(int fd) override {
    bool ok = FileOps::close(fd);  // the descriptor is released either way
    return !fails(Stage::Close) && ok;
  }
  bool rename(const std::string& a, const std::string& b) override {
    return !fails(Stage::Rename) && FileOps::rename(a, b);
  }

  std::string temp;
  int writes = 0;

 private:
  bool fails(Stage s) const {
    if (s != failAt_) return false;
    errno = EIO;
    return true;
  }
  Stage failAt_;
};

std::size_t FilesIn(const test::TempDir& dir) {
  std::size_t n = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path())) ++n;
  return n;
}

TEST(SafeFileWriter, FailureAtAnyStageLeavesTheOldFile) {
  const std::string content(kWriteChunk + 100, 'n');  // two writes
  for (Stage stage : {Stage::MayWrite, Stage::Create, Stage::SetMode, Stage::FirstWrite, Stage::SecondWrite,
                      Stage::Sync, Stage::Close, Stage::Rename}) {
    SCOPED_TRACE(static_cast<int>(stage));
    test::TempDir dir;
    const std::string path = dir.file("a.owp");
    WriteWholeFile(path, "old content");
    FailingOps ops(stage);
    try {
      WriteFileSafely(path, content, ops);
      ADD_FAILURE() << "no error";
    } catch (const FileError& e) {
      EXPECT_EQ(std::string(e.what()).rfind("Die Datei kann nicht gespeichert werden!", 0), 0u) << e.what();
      EXPECT_EQ(e.path(), path);
    }
    EXPECT_EQ(ReadWholeFile(path), "old content");
    EXPECT_EQ(FilesIn(dir), 1u) << "temporary file left behind";
  }
}

TEST(SafeFileWriter, NewAndReplacedFiles) {
  test::TempDir dir;
  const std::string path = dir.file("neu.owp");
  FailingOps ops(Stage::None);
  WriteFileSafely(path, "", ops);  // empty content: no write at all, still a file
  EXPECT_EQ(ReadWholeFile(path), "");
  EXPECT_EQ(ops.writes, 0);

  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  WriteFileSafely(path, std::string(3 * kWriteChunk, 'x'));
  EXPECT_EQ(ReadWholeFile(path).size(), 3 * kWriteChunk);
  struct stat st{};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(FilesIn(dir), 1u);
}

TEST(SafeFileWriter, FollowsSymbolicLinks) {
  test::TempDir dir;
  const std::string real = dir.file("real.owp"), link = dir.file("link.owp");
  WriteWholeFile(real, "old");
  std::filesystem::create_symlink(real, link);
  WriteFileSafely(link, "new");
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadWholeFile(real), "new");
}

TEST(SafeFileWriter, RefusesWhatItMayNotReplace) {
  test::TempDir dir;
  EXPECT_THROW(WriteFileSafely(dir.path().string(), "x"), FileError);  // a folder
  EXPECT_THROW(WriteFileSafely(dir.file("no/such/folder.owp"), "x"), FileError);
  EXPECT_THROW(WriteFileSafely("", "x"), FileError);

  const std::string path = dir.file("readonly.owp");
  WriteWholeFile(path, "keep");
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  ORVELA_SKIP_AS_ROOT("the superuser may write any file; see FailureAtAnyStageLeavesTheOldFile");
  EXPECT_THROW(WriteFileSafely(path, "x"), FileError);
  EXPECT_EQ(ReadWholeFile(path), "keep");
}

}  // namespace
}  // namespace orvela
