#include "storage/FileStamp.h"

#include <sys/stat.h>

#include <cerrno>

#include "model/TextUtils.h"
#include "storage/Envelope.h"

namespace orvela {
namespace {

std::int64_t ModifiedNs(const struct stat& st) {
  return std::int64_t(st.st_mtim.tv_sec) * 1000000000 + std::int64_t(st.st_mtim.tv_nsec);
}

}  // namespace

std::optional<FileStamp> StampOfContent(const std::string& path, std::string_view content) {
  struct stat st{};
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  return FileStamp{content.size(), ModifiedNs(st), Md5Hex(content)};
}

std::optional<FileStamp> StampOfFile(const std::string& path) {
  try {
    return StampOfContent(path, ReadWholeFile(path));
  } catch (const FileError&) {
    return std::nullopt;
  }
}

bool FileUnchangedSince(const std::string& path, const FileStamp& expected) {
  struct stat st{};
  if (::stat(path.c_str(), &st) != 0) return errno == ENOENT;
  // No file's content is there to lose; the writer refuses such a target with its own message.
  if (!S_ISREG(st.st_mode)) return true;
  if (std::uint64_t(st.st_size) != expected.size || ModifiedNs(st) != expected.modifiedNs) return false;
  const std::optional<FileStamp> now = StampOfFile(path);
  return now && now->md5 == expected.md5;
}

}  // namespace orvela
