// The lock beside a work file: the line office programs read, tolerant reading of what
// others leave there, the decision who may take a lock, and taking it while another
// program acts in the same folder at every step.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <vector>

#include "StorageTestSupport.h"
#include "model/TextUtils.h"
#include "storage/LockFile.h"

namespace orvela {
namespace {

using Kind = LockState::Kind;

LockOwner Owner(std::string user, std::string host, long pid) {
  return {std::move(user), "pruefer", std::move(host), "11.12.2026 15:55", pid};
}

TEST(LockLine, WritesTheFormOfficeProgramsRead) {
  EXPECT_EQ(LockFilePath("/akten/2024/Prüfung.owp"), "/akten/2024/.~lock.Prüfung.owp#");
  EXPECT_EQ(FormatLockLine(Owner("PC1/pruefer", "PC1", 4711)),
            "PC1/pruefer,pruefer,PC1,11.12.2026 15:55,orvela-wp:pid=4711;");
  // Separators inside a field are escaped and come back as they were.
  const LockOwner odd{"a,b;c\\d", "x;y", "h,1", "01.01.2025 00:00", 9};
  EXPECT_EQ(FormatLockLine(odd), "a\\,b\\;c\\\\d,x\\;y,h\\,1,01.01.2025 00:00,orvela-wp:pid=9;");
  EXPECT_EQ(ParseLockLine(FormatLockLine(odd)), odd);
  // A line break in a name would end the line for every reader.
  EXPECT_EQ(FormatLockLine({"a\nb", "", "h", "", 1}).find('\n'), std::string::npos);
}

TEST(LockLine, ReadsWhatOthersLeaveTolerantly) {
  struct Case {
    const char* name;
    std::string text;
    std::optional<LockOwner> expected;
  };
  const LockOwner office{"", "jdoe", "box", "14.12.2023 10:30", 0};
  const Case cases[] = {
      {"office program", ",jdoe,box,14.12.2023 10:30,file:///home/jdoe/.config/libreoffice/4;", office},
      {"office program, line break", ",jdoe,box,14.12.2023 10:30,file:///home/jdoe/.config/libreoffice/4;\n", office},
      {"no final semicolon", ",jdoe,box,14.12.2023 10:30,x", office},
      {"author name set", "Jane Doe,jdoe,box,14.12.2023 10:30,x;",
       LockOwner{"Jane Doe", "jdoe", "box", "14.12.2023 10:30", 0}},
      {"ours", "PC1/pruefer,pruefer,PC1,11.12.2026 15:55,orvela-wp:pid=4711;", Owner("PC1/pruefer", "PC1", 4711)},
      {"three fields", "u,l,h", LockOwner{"u", "l", "h", "", 0}},
      {"pid with letters", "u,l,h,t,orvela-wp:pid=12x;", LockOwner{"u", "l", "h", "t", 0}},
      {"pid too long", "u,l,h,t,orvela-wp:pid=99999999999999999999;", LockOwner{"u", "l", "h", "t", 0}},
      {"empty", "", std::nullopt},
      {"only separators", ",,,,;", std::nullopt},
      {"two fields", "user,host;", std::nullopt},
      {"garbage words", "hello world", std::nullopt},
      {"binary", std::string("\x01\x02u,l,h,t\x00", 9), std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ParseLockLine(c.text), c.expected);
  }
}

TEST(LockJudge, DecidesWhoMayTakeTheLock) {
  const std::int64_t now = 1'800'000'000;
  const auto alive = [](long pid) { return pid == 100; };
  struct Case {
    const char* name;
    Kind kind;
    std::string host;
    long pid;
    std::int64_t age;
    LockVerdict expected;
  };
  const Case cases[] = {
      {"no lock", Kind::Absent, "", 0, 0, LockVerdict::Free},
      {"unreadable lock", Kind::Unknown, "", 0, 0, LockVerdict::AskUnknown},
      {"this host, owner gone", Kind::Owned, "PC1", 200, 60, LockVerdict::TakeOverSilently},
      {"this host in other letter case, owner gone", Kind::Owned, "pc1", 200, 60, LockVerdict::TakeOverSilently},
      {"this host, owner runs", Kind::Owned, "PC1", 100, 60, LockVerdict::AskHeld},
      {"this host, owner runs, old lock", Kind::Owned, "PC1", 100, 3 * kStaleLockSeconds, LockVerdict::AskHeld},
      {"this host, no process id (office program)", Kind::Owned, "PC1", 0, 60, LockVerdict::AskHeld},
      {"other host, recent", Kind::Owned, "PC2", 200, 60, LockVerdict::AskHeld},
      {"other host, just a day old", Kind::Owned, "PC2", 200, kStaleLockSeconds, LockVerdict::AskHeld},
      {"other host, older than a day", Kind::Owned, "PC2", 200, kStaleLockSeconds + 1, LockVerdict::AskStale},
      {"no host named", Kind::Owned, "", 200, 60, LockVerdict::AskHeld},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LockState state;
    state.kind = c.kind;
    state.owner = Owner("X/y", c.host, c.pid);
    state.modified = now - c.age;
    EXPECT_EQ(JudgeLock(state, "PC1", now, alive), c.expected);
  }
}

// A folder with a work file's lock place and the means to put things there.
struct LockFolder {
  test::TempDir dir;
  std::string work = dir.file("akte.owp");
  std::string lock = LockFilePath(work);

  void put(const std::string& bytes) const { std::ofstream(lock, std::ios::binary) << bytes; }
  std::string content() const { return ReadWholeFile(lock); }
  void age(std::int64_t seconds) const {
    const std::int64_t then = std::int64_t(::time(nullptr)) - seconds;
    struct utimbuf times{then, then};
    ::utime(lock.c_str(), &times);
  }
  // Nothing but the work file's lock may be left behind (no temporary lock files).
  std::vector<std::string> names() const {
    std::vector<std::string> out;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
      out.push_back(entry.path().filename().string());
    return out;
  }
};

constexpr long kLivePid = 100;
constexpr long kDeadPid = 200;

LockEnvironment Me(std::function<void(LockStep)> between = {}) {
  return {Owner("PC1/ich", "PC1", 300), [] { return std::int64_t(::time(nullptr)); },
          [](long pid) { return pid == kLivePid || pid == 300; }, std::move(between)};
}

// Answers the question with `choice` and records what was asked.
struct Asker {
  LockChoice choice = LockChoice::Cancel;
  std::vector<LockVerdict> asked;
  std::vector<LockState> states;
  LockQuestion question() {
    return [this](LockVerdict v, const LockState& s) {
      asked.push_back(v);
      states.push_back(s);
      return choice;
    };
  }
};

TEST(LockAcquire, FreeFileIsLockedAndReleasedOnClose) {
  LockFolder f;
  Asker asker;
  {
    LockOutcome outcome = AcquireLock(f.work, Me(), asker.question());
    ASSERT_EQ(outcome.kind, LockOutcome::Kind::Locked);
    EXPECT_EQ(f.content(), FormatLockLine(Me().me));
    EXPECT_TRUE(asker.asked.empty());
  }
  EXPECT_TRUE(f.names().empty()) << "the lock goes with the window";
}

TEST(LockAcquire, ReleaseLeavesALockAnotherProgramTookOver) {
  LockFolder f;
  Asker asker;
  LockOutcome outcome = AcquireLock(f.work, Me(), asker.question());
  ASSERT_TRUE(outcome.lock);
  const std::string theirs = FormatLockLine(Owner("PC2/du", "PC2", kLivePid));
  f.put(theirs);
  outcome.lock.reset();
  EXPECT_EQ(f.content(), theirs);
}

TEST(LockAcquire, LockOfAProgramThatNoLongerRunsIsTakenOverWithoutAQuestion) {
  LockFolder f;
  f.put(FormatLockLine(Owner("PC1/weg", "PC1", kDeadPid)));
  Asker asker;
  LockOutcome outcome = AcquireLock(f.work, Me(), asker.question());
  EXPECT_EQ(outcome.kind, LockOutcome::Kind::Locked);
  EXPECT_TRUE(asker.asked.empty());
  EXPECT_EQ(f.content(), FormatLockLine(Me().me));
  EXPECT_EQ(f.names().size(), 1u);
}

TEST(LockAcquire, HeldLockAsksAndFollowsTheAnswer) {
  const std::string theirs = FormatLockLine(Owner("PC2/du", "PC2", kLivePid));
  struct Case {
    const char* name;
    std::int64_t age;
    LockChoice choice;
    LockVerdict asked;
    LockOutcome::Kind outcome;
    bool oursAfter;
  };
  const Case cases[] = {
      {"read-only", 60, LockChoice::ReadOnly, LockVerdict::AskHeld, LockOutcome::Kind::ReadOnly, false},
      {"cancel", 60, LockChoice::Cancel, LockVerdict::AskHeld, LockOutcome::Kind::Cancelled, false},
      {"open anyway", 60, LockChoice::OpenAnyway, LockVerdict::AskHeld, LockOutcome::Kind::Locked, true},
      {"stale, taken over", 2 * kStaleLockSeconds, LockChoice::OpenAnyway, LockVerdict::AskStale,
       LockOutcome::Kind::Locked, true},
      {"stale, left alone", 2 * kStaleLockSeconds, LockChoice::Cancel, LockVerdict::AskStale,
       LockOutcome::Kind::Cancelled, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LockFolder f;
    f.put(theirs);
    f.age(c.age);
    Asker asker;
    asker.choice = c.choice;
    LockOutcome outcome = AcquireLock(f.work, Me(), asker.question());
    ASSERT_EQ(asker.asked.size(), 1u);
    EXPECT_EQ(asker.asked[0], c.asked);
    EXPECT_EQ(asker.states[0].owner.userStamp, "PC2/du");
    EXPECT_EQ(outcome.kind, c.outcome);
    EXPECT_EQ(outcome.lock != nullptr, c.oursAfter);
    EXPECT_EQ(f.content(), c.oursAfter ? FormatLockLine(Me().me) : theirs);
    EXPECT_EQ(f.names().size(), 1u);
  }
}

TEST(LockAcquire, HostileLockStillLetsTheFileOpen) {
  struct Case {
    const char* name;
    std::function<void(const LockFolder&)> make;
    LockOutcome::Kind anyway;  // after "open anyway"
  };
  const Case cases[] = {
      {"garbage", [](const LockFolder& f) { f.put("\x7f" "ELF\x02\x01 not a lock"); }, LockOutcome::Kind::Locked},
      {"empty", [](const LockFolder& f) { f.put(""); }, LockOutcome::Kind::Locked},
      {"too long to be a lock", [](const LockFolder& f) { f.put(std::string(100000, 'u') + ",l,h;"); },
       LockOutcome::Kind::Locked},
      {"a pipe nobody writes to", [](const LockFolder& f) { ::mkfifo(f.lock.c_str(), 0644); }, LockOutcome::Kind::Locked},
      {"a link to nowhere", [](const LockFolder& f) { ::symlink("/nonexistent/lock", f.lock.c_str()); },
       LockOutcome::Kind::Locked},
      {"a folder", [](const LockFolder& f) { std::filesystem::create_directory(f.lock + "/"); std::ofstream(f.lock + "/x") << "x"; },
       LockOutcome::Kind::Unprotected},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (LockChoice choice : {LockChoice::ReadOnly, LockChoice::OpenAnyway}) {
      LockFolder f;
      c.make(f);
      Asker asker;
      asker.choice = choice;
      LockOutcome outcome = AcquireLock(f.work, Me(), asker.question());
      ASSERT_EQ(asker.asked.size(), 1u);
      EXPECT_EQ(asker.asked[0], LockVerdict::AskUnknown);
      EXPECT_EQ(outcome.kind, choice == LockChoice::ReadOnly ? LockOutcome::Kind::ReadOnly : c.anyway);
      if (outcome.kind == LockOutcome::Kind::Locked) {
        EXPECT_EQ(f.content(), FormatLockLine(Me().me));
      }
      EXPECT_EQ(f.names().size(), 1u) << "no temporary lock left";
    }
  }
}

TEST(LockAcquire, FolderWithoutWriteAccessOpensUnprotected) {
  Asker asker;
  for (const std::string work : {"/proc/self/akte.owp", "/nonexistent-folder/akte.owp"}) {
    SCOPED_TRACE(work);
    EXPECT_EQ(AcquireLock(work, Me(), asker.question()).kind, LockOutcome::Kind::Unprotected);
  }
  EXPECT_TRUE(asker.asked.empty());
}

// Another program acts between our look at the lock and our writing of it.
TEST(LockAcquire, AnotherProgramActingBetweenLookAndWriteIsNotOverwritten) {
  const std::string theirs = FormatLockLine(Owner("PC2/du", "PC2", kLivePid));
  struct Case {
    const char* name;
    std::string before;  // the lock found first
    LockStep at;
  };
  const Case cases[] = {
      {"lock written before ours is created", "", LockStep::Inspected},
      {"dead lock taken over by another first", FormatLockLine(Owner("PC1/weg", "PC1", kDeadPid)),
       LockStep::BeforeTakeOver},
      {"dead lock taken over by another right after the look", FormatLockLine(Owner("PC1/weg", "PC1", kDeadPid)),
       LockStep::Inspected},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LockFolder f;
    if (!c.before.empty()) f.put(c.before);
    bool injected = false;
    Asker asker;
    asker.choice = LockChoice::ReadOnly;
    LockOutcome outcome = AcquireLock(f.work, Me([&](LockStep step) {
                                        if (step != c.at || injected) return;
                                        injected = true;
                                        f.put(theirs);
                                      }),
                                      asker.question());
    EXPECT_TRUE(injected);
    ASSERT_EQ(asker.asked.size(), 1u) << "the newcomer's lock is asked about";
    EXPECT_EQ(asker.asked[0], LockVerdict::AskHeld);
    EXPECT_EQ(asker.states[0].owner.userStamp, "PC2/du");
    EXPECT_EQ(outcome.kind, LockOutcome::Kind::ReadOnly);
    EXPECT_EQ(f.content(), theirs);
  }
}

TEST(LockAcquire, LockThatVanishesBeforeTheTakeOverIsCreatedAfresh) {
  LockFolder f;
  f.put(FormatLockLine(Owner("PC1/weg", "PC1", kDeadPid)));
  Asker asker;
  LockOutcome outcome = AcquireLock(f.work, Me([&f](LockStep step) {
                                      if (step == LockStep::BeforeTakeOver) ::unlink(f.lock.c_str());
                                    }),
                                    asker.question());
  EXPECT_EQ(outcome.kind, LockOutcome::Kind::Locked);
  EXPECT_TRUE(asker.asked.empty());
  EXPECT_EQ(f.content(), FormatLockLine(Me().me));
}

}  // namespace
}  // namespace orvela
