#pragma once
// The lock beside a work file opened for editing, in the form office programs on Linux
// use, so that they and other copies of this program see it: ".~lock.<file name>#" in the
// same folder, one line
//   <user stamp>,<login>,<host>,<dd.mm.yyyy hh:mm>,orvela-wp:pid=<process id>;
// with "\", "," and ";" inside a field escaped by a backslash. An office program keeps its
// profile address in the last field; ours holds the process id, which lets a later start
// on the same host see that the lock's owner is gone.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace orvela {

struct LockOwner {
  std::string userStamp;  // UTF-8, like every field of the line
  std::string login;
  std::string host;
  std::string time;  // "dd.mm.yyyy hh:mm"
  long pid = 0;      // 0: not known (a lock of another program)
  bool operator==(const LockOwner&) const = default;
};

std::string LockFilePath(const std::string& workFile);
std::string FormatLockLine(const LockOwner& owner);
// Tolerant: a missing final ";", a line break after it, fewer fields, unknown text in the
// last field. Nothing when the text does not name at least a user or a host.
std::optional<LockOwner> ParseLockLine(std::string_view text);

// What lies at the lock's place.
struct LockState {
  enum class Kind { Absent, Owned, Unknown };  // Unknown: garbage, empty, unreadable, a folder
  Kind kind = Kind::Absent;
  LockOwner owner;            // for Owned
  std::int64_t modified = 0;  // seconds since the epoch, for Owned and Unknown
};
LockState InspectLock(const std::string& lockPath);

enum class LockVerdict {
  Free,              // no lock: take it
  TakeOverSilently,  // left by a process of this host that no longer runs
  AskHeld,           // held by a running program, or one whose state cannot be told
  AskStale,          // from another host and older than a day: offer to take it over
  AskUnknown,        // there, but its owner cannot be read
};

inline constexpr std::int64_t kStaleLockSeconds = 24 * 60 * 60;

// `now` in seconds since the epoch; `alive` tells whether a process of this host runs.
LockVerdict JudgeLock(const LockState& state, const std::string& thisHost, std::int64_t now,
                      const std::function<bool(long)>& alive);

// The answers to the question asked for a held lock.
enum class LockChoice { ReadOnly, OpenAnyway, Cancel };

// Where the acquisition stands when the test seam is called.
enum class LockStep {
  Inspected,       // the lock was looked at and judged; it is about to be created
  BeforeTakeOver,  // a lock is about to be replaced by ours
};

struct LockEnvironment {
  LockOwner me;  // pid and time filled by the caller
  std::function<std::int64_t()> now;
  std::function<bool(long)> alive;
  // Test seam: called between the steps, so that a test can change the folder there.
  std::function<void(LockStep)> between;
};

// A lock held by this program: removed when destroyed, unless another program has
// replaced it meanwhile.
class WorkFileLock {
 public:
  WorkFileLock(std::string lockPath, std::string line) : path_(std::move(lockPath)), line_(std::move(line)) {}
  ~WorkFileLock();
  WorkFileLock(const WorkFileLock&) = delete;
  WorkFileLock& operator=(const WorkFileLock&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  std::string line_;
};

struct LockOutcome {
  enum class Kind {
    Locked,       // ours now
    ReadOnly,     // the user chose to open without editing
    Unprotected,  // editable, but no lock could be written here
    Cancelled,
  };
  Kind kind = Kind::Cancelled;
  std::unique_ptr<WorkFileLock> lock;  // for Locked
};

// Asked for a lock held by someone else; `state` is the lock as it was found.
using LockQuestion = std::function<LockChoice(LockVerdict verdict, const LockState& state)>;

// Takes the lock of `workFile`: creates it when there is none (never over one that
// appears meanwhile), takes over one left by a dead process of this host silently, and
// asks `question` for every other. "Open anyway" replaces the lock with ours.
LockOutcome AcquireLock(const std::string& workFile, const LockEnvironment& env, const LockQuestion& question);

}  // namespace orvela
