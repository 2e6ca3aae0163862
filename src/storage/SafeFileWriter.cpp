#include "storage/SafeFileWriter.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "model/TextUtils.h"

namespace orvela {
namespace {

const char* const kCannotSave = "Die Datei kann nicht gespeichert werden!";

[[noreturn]] void Fail(const std::string& path, const std::string& reason) {
  throw FileError(std::string(kCannotSave) + " (" + path + ": " + reason + ")", path);
}

std::string SystemReason(int error) { return std::strerror(error); }

mode_t CurrentUmask() {
  mode_t mask = ::umask(0);
  ::umask(mask);
  return mask;
}

// Makes the rename itself durable; a folder that cannot be opened or synced is no error,
// the content is already complete under its new name.
void SyncFolder(const std::string& folder) {
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

bool FileOps::mayWrite(const std::string& path) { return ::access(path.c_str(), W_OK) == 0; }
int FileOps::createTemp(std::string& pathTemplate) { return ::mkstemp(pathTemplate.data()); }
bool FileOps::setMode(int fd, mode_t mode) { return ::fchmod(fd, mode) == 0; }
long FileOps::write(int fd, const char* bytes, std::size_t size) { return static_cast<long>(::write(fd, bytes, size)); }
bool FileOps::sync(int fd) { return ::fsync(fd) == 0; }
bool FileOps::close(int fd) { return ::close(fd) == 0; }
bool FileOps::rename(const std::string& from, const std::string& to) { return ::rename(from.c_str(), to.c_str()) == 0; }
bool FileOps::exchange(const std::string& a, const std::string& b) {
  return ::renameat2(AT_FDCWD, a.c_str(), AT_FDCWD, b.c_str(), RENAME_EXCHANGE) == 0;
}
void FileOps::remove(const std::string& path) { ::unlink(path.c_str()); }

FileOps& SystemFileOps() {
  static FileOps ops;
  return ops;
}

SafeFileStream::SafeFileStream(const std::string& path, FileOps& ops) : ops_(ops), path_(path), target_(path) {
  namespace fs = std::filesystem;
  if (path.empty()) Fail(path, "kein Dateiname");
  std::error_code ec;
  if (fs::is_symlink(target_, ec)) {
    fs::path resolved = fs::weakly_canonical(target_, ec);
    if (ec) Fail(path, ec.message());
    target_ = resolved.string();
  }

  mode_t mode = 0666 & ~CurrentUmask();
  struct stat st{};
  if (::stat(target_.c_str(), &st) == 0) {
    if (!S_ISREG(st.st_mode)) Fail(path, "keine gewöhnliche Datei");
    if (!ops.mayWrite(target_)) Fail(path, SystemReason(errno));
    mode = st.st_mode & 07777;
  } else if (errno != ENOENT) {
    Fail(path, SystemReason(errno));
  }

  fs::path targetPath(target_);
  folder_ = targetPath.has_parent_path() ? targetPath.parent_path().string() : std::string(".");
  // A hidden name beside the target, so that the rename stays within one file system.
  std::string tempName = ".";
  tempName += targetPath.filename().string();
  tempName += ".XXXXXX";
  temp_ = (fs::path(folder_) / tempName).string();

  fd_ = ops.createTemp(temp_);
  if (fd_ < 0) Fail(path, SystemReason(errno));
  if (!ops.setMode(fd_, mode)) abandon(SystemReason(errno));
}

SafeFileStream::~SafeFileStream() {
  if (done_) return;
  if (fd_ >= 0) ops_.close(fd_);
  ops_.remove(temp_);
}

void SafeFileStream::abandon(const std::string& reason) {
  if (fd_ >= 0) ops_.close(fd_);
  fd_ = -1;
  ops_.remove(temp_);
  done_ = true;
  Fail(path_, reason);
}

void SafeFileStream::write(std::string_view content) {
  for (std::size_t done = 0; done < content.size();) {
    std::size_t size = std::min(kWriteChunk, content.size() - done);
    long written = ops_.write(fd_, content.data() + done, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) abandon(written < 0 ? SystemReason(errno) : "nichts geschrieben");
    done += static_cast<std::size_t>(written);
  }
}

void SafeFileStream::refuseChanged() {
  ops_.remove(temp_);
  done_ = true;
  throw FileChangedError("Die Datei wurde seit dem Öffnen von einem anderen Programm geändert. (" + path_ + ")");
}

bool SafeFileStream::exchangeGuarded(const ReplaceGuard& guard) {
  if (!ops_.exchange(temp_, target_)) {
    if (errno == ENOENT) return false;  // the target is gone: nothing of anybody's to lose
    if (errno == EINVAL || errno == ENOSYS || errno == ENOTSUP || errno == EXDEV) return false;
    abandon(SystemReason(errno));
  }
  // temp_ now holds what the target held a moment ago.
  if (guard(temp_)) {
    ops_.remove(temp_);
    done_ = true;
    SyncFolder(folder_);
    return true;
  }
  if (!ops_.exchange(temp_, target_)) {
    // The other program's content stays under the temporary name rather than being lost.
    done_ = true;
    throw FileChangedError("Die Datei wurde seit dem Öffnen von einem anderen Programm geändert. (" + path_ +
                           "; der fremde Stand liegt in " + temp_ + ")");
  }
  refuseChanged();
}

void SafeFileStream::commit(const ReplaceGuard& guard) {
  if (!ops_.sync(fd_)) abandon(SystemReason(errno));
  const int fd = fd_;
  fd_ = -1;
  if (!ops_.close(fd)) abandon(SystemReason(errno));
  if (guard) {
    if (exchangeGuarded(guard)) return;
    if (!guard(target_)) refuseChanged();
  }
  if (!ops_.rename(temp_, target_)) abandon(SystemReason(errno));
  done_ = true;
  SyncFolder(folder_);
}

void WriteFileSafely(const std::string& path, std::string_view content, FileOps& ops, const ReplaceGuard& guard) {
  SafeFileStream file(path, ops);
  file.write(content);
  file.commit(guard);
}

}  // namespace orvela
