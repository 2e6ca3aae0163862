#include "storage/LockFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "model/TextUtils.h"

namespace orvela {
namespace {

constexpr std::string_view kPidTag = "orvela-wp:pid=";
// A lock line is short; anything much longer is not one.
constexpr std::size_t kMaxLockBytes = 4096;
// Rounds of looking and acting before a lock that keeps changing is treated as unreadable.
constexpr int kMaxRounds = 8;

std::string Escaped(std::string_view field) {
  std::string out;
  for (char c : field) {
    if (c == '\\' || c == ',' || c == ';') out += '\\';
    // A line break would end the line for every reader.
    out += (c == '\n' || c == '\r') ? ' ' : c;
  }
  return out;
}

// The fields up to the first unescaped ";" (or the end), unescaped.
std::vector<std::string> Fields(std::string_view text) {
  std::vector<std::string> fields(1);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\\' && i + 1 < text.size()) {
      fields.back() += text[++i];
    } else if (c == ',') {
      fields.emplace_back();
    } else if (c == ';') {
      break;
    } else {
      fields.back() += c;
    }
  }
  return fields;
}

bool HasControlBytes(std::string_view text) {
  for (unsigned char c : text)
    if (c < 0x20 && c != '\t' && c != '\r' && c != '\n') return true;
  return false;
}

long PidOf(std::string_view field) {
  if (field.substr(0, kPidTag.size()) != kPidTag) return 0;
  const std::string digits(field.substr(kPidTag.size()));
  if (digits.empty() || digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos) return 0;
  return std::strtol(digits.c_str(), nullptr, 10);
}

bool SameHost(const std::string& a, const std::string& b) { return !a.empty() && EqualsNoCase(a, b); }

std::string Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1));
}

// The lock's bytes; nothing when it cannot be read as a small regular file.
std::optional<std::string> ReadLock(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
  if (fd < 0) return std::nullopt;
  struct stat st{};
  std::optional<std::string> content;
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && std::size_t(st.st_size) <= kMaxLockBytes) {
    std::string bytes(kMaxLockBytes + 1, '\0');
    std::size_t filled = 0;
    for (;;) {
      const ssize_t n = ::read(fd, bytes.data() + filled, bytes.size() - filled);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        if (n == 0) content = bytes.substr(0, filled);
        break;
      }
      filled += std::size_t(n);
      if (filled > kMaxLockBytes) break;
    }
  }
  ::close(fd);
  return content;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(std::size_t(n));
  }
  return ::fsync(fd) == 0 || errno == EINVAL;
}

enum class Written { Ok, Exists, Failed };

Written CreateExclusive(const std::string& path, const std::string& line) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) return errno == EEXIST ? Written::Exists : Written::Failed;
  const bool ok = WriteAll(fd, line);
  ::close(fd);
  if (!ok) ::unlink(path.c_str());
  return ok ? Written::Ok : Written::Failed;
}

// Puts our line in the lock's place in one step, whatever is there.
bool Replace(const std::string& path, const std::string& line) {
  std::string temp = path + ".XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return false;
  const bool ok = ::fchmod(fd, 0644) == 0 && WriteAll(fd, line);
  ::close(fd);
  if (!ok || ::rename(temp.c_str(), path.c_str()) != 0) {
    ::unlink(temp.c_str());
    return false;
  }
  return true;
}

bool HoldsLine(const std::string& path, const std::string& line) {
  const std::optional<std::string> now = ReadLock(path);
  return now && *now == line;
}

bool SameLock(const LockState& a, const LockState& b) {
  return a.kind == b.kind && a.owner == b.owner && a.modified == b.modified;
}

}  // namespace

std::string LockFilePath(const std::string& workFile) {
  const std::filesystem::path file(workFile);
  return (file.parent_path() / (".~lock." + file.filename().string() + "#")).string();
}

std::string FormatLockLine(const LockOwner& owner) {
  return Escaped(owner.userStamp) + ',' + Escaped(owner.login) + ',' + Escaped(owner.host) + ',' +
         Escaped(owner.time) + ',' + std::string(kPidTag) + std::to_string(owner.pid) + ';';
}

std::optional<LockOwner> ParseLockLine(std::string_view text) {
  if (HasControlBytes(text)) return std::nullopt;
  const std::vector<std::string> fields = Fields(text);
  if (fields.size() < 3) return std::nullopt;
  LockOwner owner;
  owner.userStamp = Trimmed(fields[0]);
  owner.login = Trimmed(fields[1]);
  owner.host = Trimmed(fields[2]);
  if (fields.size() > 3) owner.time = Trimmed(fields[3]);
  if (fields.size() > 4) owner.pid = PidOf(Trimmed(fields[4]));
  if (owner.userStamp.empty() && owner.login.empty() && owner.host.empty()) return std::nullopt;
  return owner;
}

LockState InspectLock(const std::string& lockPath) {
  LockState state;
  struct stat st{};
  if (::lstat(lockPath.c_str(), &st) != 0) {
    // Anything but "not there" (a folder that cannot be searched, ...) is a lock we cannot read.
    if (errno != ENOENT) state.kind = LockState::Kind::Unknown;
    return state;
  }
  state.modified = st.st_mtim.tv_sec;
  state.kind = LockState::Kind::Unknown;
  if (!S_ISREG(st.st_mode)) return state;
  const std::optional<std::string> content = ReadLock(lockPath);
  if (!content) return state;
  if (std::optional<LockOwner> owner = ParseLockLine(*content)) {
    state.kind = LockState::Kind::Owned;
    state.owner = std::move(*owner);
  }
  return state;
}

LockVerdict JudgeLock(const LockState& state, const std::string& thisHost, std::int64_t now,
                      const std::function<bool(long)>& alive) {
  switch (state.kind) {
    case LockState::Kind::Absent:
      return LockVerdict::Free;
    case LockState::Kind::Unknown:
      return LockVerdict::AskUnknown;
    case LockState::Kind::Owned:
      break;
  }
  if (SameHost(state.owner.host, thisHost))
    return state.owner.pid > 0 && !alive(state.owner.pid) ? LockVerdict::TakeOverSilently : LockVerdict::AskHeld;
  return now - state.modified > kStaleLockSeconds ? LockVerdict::AskStale : LockVerdict::AskHeld;
}

WorkFileLock::~WorkFileLock() {
  // Another program that took the lock over keeps it.
  if (HoldsLine(path_, line_)) ::unlink(path_.c_str());
}

LockOutcome AcquireLock(const std::string& workFile, const LockEnvironment& env, const LockQuestion& question) {
  const std::string path = LockFilePath(workFile);
  const std::string line = FormatLockLine(env.me);
  const auto step = [&env](LockStep s) {
    if (env.between) env.between(s);
  };
  const auto locked = [&path, &line] {
    LockOutcome outcome;
    outcome.kind = LockOutcome::Kind::Locked;
    outcome.lock = std::make_unique<WorkFileLock>(path, line);
    return outcome;
  };
  const auto plain = [](LockOutcome::Kind kind) {
    LockOutcome outcome;
    outcome.kind = kind;
    return outcome;
  };
  const auto ask = [&](LockVerdict verdict, const LockState& state) {
    switch (question(verdict, state)) {
      case LockChoice::ReadOnly:
        return plain(LockOutcome::Kind::ReadOnly);
      case LockChoice::Cancel:
        return plain(LockOutcome::Kind::Cancelled);
      case LockChoice::OpenAnyway:
        break;
    }
    step(LockStep::BeforeTakeOver);
    return Replace(path, line) ? locked() : plain(LockOutcome::Kind::Unprotected);
  };

  LockState state;
  for (int round = 0; round < kMaxRounds; ++round) {
    state = InspectLock(path);
    const LockVerdict verdict = JudgeLock(state, env.me.host, env.now(), env.alive);
    step(LockStep::Inspected);
    switch (verdict) {
      case LockVerdict::Free:
        switch (CreateExclusive(path, line)) {
          case Written::Ok:
            return locked();
          case Written::Exists:
            continue;  // another program was quicker: judge its lock
          case Written::Failed:
            return plain(LockOutcome::Kind::Unprotected);
        }
        break;
      case LockVerdict::TakeOverSilently:
        step(LockStep::BeforeTakeOver);
        // Only the dead lock that was judged is replaced, and ours must be what stays.
        if (!SameLock(InspectLock(path), state)) continue;
        if (!Replace(path, line)) return plain(LockOutcome::Kind::Unprotected);
        if (HoldsLine(path, line)) return locked();
        continue;
      case LockVerdict::AskHeld:
      case LockVerdict::AskStale:
      case LockVerdict::AskUnknown:
        return ask(verdict, state);
    }
  }
  // It kept changing under our hands: ask as for a lock whose owner cannot be told.
  return ask(LockVerdict::AskUnknown, state);
}

}  // namespace orvela
