// A save the process does not survive. A child process saves and stops at one moment of
// the save; the test kills it there with SIGKILL, as a power cut or the OOM killer would.
// Whatever the moment, the target holds the old file or the complete new one, never a part,
// and the next save works.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "StorageTestSupport.h"
#include "model/TextUtils.h"
#include "storage/Envelope.h"
#include "storage/WorkFileStorage.h"

namespace orvela {
namespace {

enum class Moment { AfterCreate, MidWrite, BeforeSecondWrite, BeforeSync, BeforeRename, AfterRename };

const char* Name(Moment m) {
  static constexpr const char* kNames[] = {"after create", "mid write", "before second write",
                                           "before sync", "before rename", "after rename"};
  return kNames[static_cast<int>(m)];
}

// The real system calls; at the chosen moment the child tells the parent through a pipe
// and waits there until it is killed.
class StoppingOps : public FileOps {
 public:
  StoppingOps(Moment at, int signalFd) : at_(at), signalFd_(signalFd) {}
  int createTemp(std::string& t) override {
    int fd = FileOps::createTemp(t);
    stopIf(Moment::AfterCreate);
    return fd;
  }
  long write(int fd, const char* b, std::size_t n) override {
    if (++writes_ == 2) stopIf(Moment::BeforeSecondWrite);
    if (at_ == Moment::MidWrite) {
      FileOps::write(fd, b, n / 2);  // half of the first chunk is on disk
      stop();
    }
    return FileOps::write(fd, b, n);
  }
  bool sync(int fd) override {
    stopIf(Moment::BeforeSync);
    return FileOps::sync(fd);
  }
  bool rename(const std::string& from, const std::string& to) override {
    stopIf(Moment::BeforeRename);
    bool ok = FileOps::rename(from, to);
    stopIf(Moment::AfterRename);
    return ok;
  }

 private:
  void stopIf(Moment m) {
    if (m == at_) stop();
  }
  [[noreturn]] void stop() {
    const char reached = 'x';
    [[maybe_unused]] ssize_t n = ::write(signalFd_, &reached, 1);
    for (;;) ::pause();
  }
  Moment at_;
  int signalFd_;
  int writes_ = 0;
};

// Saves `data` to `path` in a child process and kills it at `at`. False when the child
// never reached that moment (it then exited on its own).
bool SaveAndKill(WorkFileData& data, const std::string& path, Moment at) {
  int fds[2];
  if (::pipe(fds) != 0) return false;
  const pid_t child = ::fork();
  if (child < 0) return false;
  if (child == 0) {
    ::close(fds[0]);
    StoppingOps ops(at, fds[1]);
    SaveWorkFile(data, path, test::FixedStamps(), ops);
    ::_exit(3);  // the save ended without stopping
  }
  ::close(fds[1]);
  char reached = 0;
  ssize_t n;
  do n = ::read(fds[0], &reached, 1);
  while (n < 0 && errno == EINTR);
  ::close(fds[0]);
  ::kill(child, SIGKILL);
  int status = 0;
  ::waitpid(child, &status, 0);
  return n == 1 && WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

// What a completed save of `data` writes; stamps `data` as the save does (fixed stamps, so
// a save stamps it the same way again).
std::string SavedBytes(WorkFileData& data) {
  data.savedAt = DateTimeText(test::FixedStamps().now());
  data.savedBy = test::FixedStamps().userStamp();
  return BuildEnvelope(BuildWorkFileXml(data));
}

TEST(SaveKilled, TargetIsOldOrCompleteNewFile) {
  WorkFileData data;
  test::GenerateWorkFile(data, 7);
  // Larger than one write chunk, so that the content goes out in two writes.
  data.description = "{\\rtf1\\ansi " + std::string(kWriteChunk + kWriteChunk / 2, 'w') + "}";
  const std::string newBytes = SavedBytes(data);

  for (bool existed : {true, false}) {
    for (Moment at : {Moment::AfterCreate, Moment::MidWrite, Moment::BeforeSecondWrite, Moment::BeforeSync,
                      Moment::BeforeRename, Moment::AfterRename}) {
      SCOPED_TRACE(std::string(Name(at)) + (existed ? ", file existed" : ", new file"));
      test::TempDir dir;
      const std::string path = dir.file("Pr\xC3\xBC" "fung.owp");
      WorkFileData old;
      test::GenerateWorkFile(old, 3);
      if (existed) WriteWorkFile(old, path);
      const std::string oldBytes = existed ? ReadWholeFile(path) : std::string();

      ASSERT_TRUE(SaveAndKill(data, path, at)) << "the child did not reach the moment";

      if (at == Moment::AfterRename) {
        EXPECT_EQ(ReadWholeFile(path), newBytes);
      } else if (existed) {
        EXPECT_EQ(ReadWholeFile(path), oldBytes);
      } else {
        EXPECT_FALSE(std::filesystem::exists(path)) << "a part of the file under the target name";
      }

      // A temporary file the killed save left behind neither blocks the next save nor is
      // taken for the work file.
      SaveResult saved = SaveWorkFile(data, path, test::FixedStamps());
      ASSERT_TRUE(saved.ok) << saved.detail;
      EXPECT_TRUE(CheckFileIntegrity(path));
      EXPECT_EQ(ReadWholeFile(path), newBytes);
    }
  }
}

}  // namespace
}  // namespace orvela
