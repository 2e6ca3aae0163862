#include "model/TextUtils.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>

namespace orvela {
namespace {

struct CaseTables {
  std::array<unsigned char, 256> upper{};
  std::array<unsigned char, 256> lower{};
};

constexpr CaseTables MakeCaseTables() {
  CaseTables t;
  for (int c = 0; c < 256; ++c) {
    t.upper[c] = static_cast<unsigned char>(c);
    t.lower[c] = static_cast<unsigned char>(c);
  }
  auto pair = [&t](int lowerCase, int upperCase) {
    t.upper[lowerCase] = static_cast<unsigned char>(upperCase);
    t.lower[upperCase] = static_cast<unsigned char>(lowerCase);
  };
  for (int c = 'a'; c <= 'z'; ++c) pair(c, c - 0x20);
  for (int c = 0xE0; c <= 0xFE; ++c) {
    if (c != 0xF7) pair(c, c - 0x20);  // ÷ and × are no letters
  }
  pair(0x9A, 0x8A);  // š Š
  pair(0x9C, 0x8C);  // œ Œ
  pair(0x9E, 0x8E);  // ž Ž
  pair(0xFF, 0x9F);  // ÿ Ÿ
  return t;
}

constexpr CaseTables kCase = MakeCaseTables();

unsigned char Byte(char c) { return static_cast<unsigned char>(c); }

bool SameNoCase(char a, char b) { return kCase.upper[Byte(a)] == kCase.upper[Byte(b)]; }

// Index of the first case-ignoring occurrence of `part` in `text`, npos when none.
std::size_t IndexNoCase(std::string_view part, std::string_view text) {
  if (part.empty() || part.size() > text.size()) return std::string_view::npos;
  for (std::size_t i = 0; i + part.size() <= text.size(); ++i) {
    std::size_t k = 0;
    while (k < part.size() && SameNoCase(text[i + k], part[k])) ++k;
    if (k == part.size()) return i;
  }
  return std::string_view::npos;
}

bool MatchesAt(std::string_view text, std::size_t pos, std::string_view search, bool ignoreCase) {
  if (text.size() - pos < search.size()) return false;
  for (std::size_t k = 0; k < search.size(); ++k) {
    const bool same = ignoreCase ? SameNoCase(text[pos + k], search[k]) : text[pos + k] == search[k];
    if (!same) return false;
  }
  return true;
}

std::string Format(const char* pattern, const std::string& path) {
  std::string message = pattern;
  message.replace(message.find("%s"), 2, path);
  return message;
}

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  // Closes now so that a failure can be reported; false when close reports an error.
  bool close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

// read() that retries when a signal interrupts it.
ssize_t ReadSome(int fd, char* buffer, std::size_t size) {
  for (;;) {
    const ssize_t n = ::read(fd, buffer, size);
    if (n >= 0 || errno != EINTR) return n;
  }
}

constexpr const char* kCannotRead = "Die Datei %s kann nicht gelesen werden.";
constexpr const char* kCannotWrite = "Die Datei %s kann nicht geschrieben werden.";

}  // namespace

unsigned char UpperCase1252(unsigned char c) { return kCase.upper[c]; }
unsigned char LowerCase1252(unsigned char c) { return kCase.lower[c]; }

std::string UpperCase(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(kCase.upper[Byte(c)]);
  return out;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (!SameNoCase(a[i], b[i])) return false;
  }
  return true;
}

std::size_t FindNoCase(std::string_view part, std::string_view text) {
  const std::size_t i = IndexNoCase(part, text);
  return i == std::string_view::npos ? 0 : i + 1;
}

bool ContainsExact(std::string_view text, std::string_view part) {
  return !part.empty() && text.find(part) != std::string_view::npos;
}

std::string TextBefore(std::string_view marker, std::string_view text) {
  const std::size_t i = IndexNoCase(marker, text);
  return std::string(i == std::string_view::npos ? text : text.substr(0, i));
}

std::string TextAfter(std::string_view marker, std::string_view text) {
  const std::size_t i = IndexNoCase(marker, text);
  return i == std::string_view::npos ? std::string() : std::string(text.substr(i + marker.size()));
}

std::string ReplaceMatches(std::string_view text, std::string_view search, std::string_view replacement,
                           bool all, bool ignoreCase) {
  if (search.empty()) return std::string(text);
  std::string out;
  out.reserve(text.size());
  std::size_t pos = 0;
  while (pos < text.size()) {
    if (MatchesAt(text, pos, search, ignoreCase)) {
      out += replacement;
      pos += search.size();
      if (!all) break;
    } else {
      out += text[pos++];
    }
  }
  out += text.substr(pos);
  return out;
}

std::vector<std::string> SplitAtChar(std::string_view text, char separator) {
  std::vector<std::string> pieces;
  while (!text.empty()) {
    const std::size_t i = text.find(separator);
    if (i == std::string_view::npos) {
      pieces.emplace_back(text);
      break;
    }
    pieces.emplace_back(text.substr(0, i));
    text.remove_prefix(i + 1);
  }
  return pieces;
}

std::string PadLeftTo(std::string_view text, std::size_t width, char fill) {
  std::string out;
  if (text.size() < width) out.assign(width - text.size(), fill);
  out += text;
  return out;
}

std::string TrimLeadingChars(std::string_view text, std::string_view set) {
  const std::size_t i = text.find_first_not_of(set);
  return i == std::string_view::npos ? std::string() : std::string(text.substr(i));
}

std::string Unquote(std::string_view text) {
  if (text.size() > 1 && text.front() == text.back() && (text.front() == '"' || text.front() == '\'')) {
    return std::string(text.substr(1, text.size() - 2));
  }
  return std::string(text);
}

std::string CopyText(std::string_view text, long long start, long long count) {
  if (start < 1) start = 1;
  if (count <= 0 || static_cast<unsigned long long>(start) > text.size()) return {};
  return std::string(text.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(count)));
}

FileError::FileError(const std::string& message, std::string path)
    : std::runtime_error(message), path_(std::move(path)) {}

std::string ReadWholeFile(const std::string& path) {
  Descriptor fd(path.empty() ? -1 : ::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  struct stat info {};
  if (fd.get() < 0 || ::fstat(fd.get(), &info) != 0 || S_ISDIR(info.st_mode)) {
    throw FileError(Format(kCannotRead, path), path);
  }
  std::string content;
  // One read for a regular file; files whose size is not known in advance (pipes,
  // /proc) or that grow meanwhile are read on until the end.
  content.resize(info.st_size > 0 ? static_cast<std::size_t>(info.st_size) : 0);
  std::size_t filled = 0;
  for (;;) {
    if (filled == content.size()) {
      // Full: probe for more before growing, so a file of the expected size costs nothing extra.
      char probe[4096];
      const ssize_t n = ReadSome(fd.get(), probe, sizeof probe);
      if (n < 0) throw FileError(Format(kCannotRead, path), path);
      if (n == 0) break;
      content.resize(std::max(content.size() * 2, filled + sizeof probe));
      std::memcpy(content.data() + filled, probe, static_cast<std::size_t>(n));
      filled += static_cast<std::size_t>(n);
      continue;
    }
    const ssize_t n = ReadSome(fd.get(), content.data() + filled, content.size() - filled);
    if (n < 0) throw FileError(Format(kCannotRead, path), path);
    if (n == 0) break;
    filled += static_cast<std::size_t>(n);
  }
  content.resize(filled);
  return content;
}

void WriteWholeFile(const std::string& path, std::string_view text) {
  Descriptor fd(path.empty() ? -1 : ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
  if (fd.get() < 0) throw FileError(Format(kCannotWrite, path), path);
  std::size_t written = 0;
  while (written < text.size()) {
    const ssize_t n = ::write(fd.get(), text.data() + written, text.size() - written);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw FileError(Format(kCannotWrite, path), path);
    }
    written += static_cast<std::size_t>(n);
  }
  // Delayed write errors (disk full on some file systems) only show up here.
  if (!fd.close()) throw FileError(Format(kCannotWrite, path), path);
}

}  // namespace orvela
