#pragma once
// Replacing a file so that a failure at any moment leaves either the old or the new
// content on disk, never a mixture: the content goes to a temporary file in the same
// folder, is flushed to the disk, and the temporary file is renamed over the target.
#include <cstddef>
#include <functional>
#include <string>
#include <stdexcept>
#include <string_view>
#include <sys/types.h>

namespace orvela {

// The system calls the writer makes, one virtual function per stage, so that a test can
// let any stage fail. Each returns false (or -1) on failure with errno set.
class FileOps {
 public:
  virtual ~FileOps() = default;
  // mkstemp: creates a new file from `pathTemplate` (ending in XXXXXX, replaced in place).
  // Whether an existing target may be written (access W_OK).
  virtual bool mayWrite(const std::string& path);
  virtual int createTemp(std::string& pathTemplate);
  virtual bool setMode(int fd, mode_t mode);
  // Writes part of the content; returns the number of bytes written or -1.
  virtual long write(int fd, const char* bytes, std::size_t size);
  virtual bool sync(int fd);
  virtual bool close(int fd);
  virtual bool rename(const std::string& from, const std::string& to);
  // Swaps the two names in one step (renameat2 with RENAME_EXCHANGE); fails with EINVAL or
  // ENOSYS where the file system cannot.
  virtual bool exchange(const std::string& a, const std::string& b);
  virtual void remove(const std::string& path);
};

FileOps& SystemFileOps();

// The file to be replaced is no longer what the caller last read or wrote.
class FileChangedError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Asked with the path of the file about to be replaced: is it still the expected one?
using ReplaceGuard = std::function<bool(const std::string& previousPath)>;

// Bytes handed to one write call at most.
inline constexpr std::size_t kWriteChunk = 1 << 20;

// Makes `path` hold exactly `content`. A target that exists keeps its permission bits; a
// target that exists but may not be written, or is no regular file, is refused and left
// untouched. A symbolic link is followed, so the file it points to is replaced.
// Throws FileError ("Die Datei kann nicht gespeichert werden!" plus the reason).
void WriteFileSafely(const std::string& path, std::string_view content, FileOps& ops = SystemFileOps(),
                     const ReplaceGuard& guard = {});

// The same for content that is produced piece by piece (or by a library writing to a path):
// the constructor checks the target and creates the temporary file, write() appends,
// commit() flushes and renames it over the target. Destroyed without commit(), the
// temporary file is removed and the target stays untouched. Every failure throws FileError
// as WriteFileSafely does.
class SafeFileStream {
 public:
  explicit SafeFileStream(const std::string& path, FileOps& ops = SystemFileOps());
  SafeFileStream(const SafeFileStream&) = delete;
  SafeFileStream& operator=(const SafeFileStream&) = delete;
  ~SafeFileStream();

  void write(std::string_view bytes);
  // The temporary file, for a writer that opens it by name; it is flushed by commit().
  const std::string& tempPath() const { return temp_; }
  // With `guard`, an existing target is swapped with the new content in one step and the
  // previous content asked about under its new name; refused, it is swapped back and
  // FileChangedError is thrown, so that a file changed at any moment before the swap is
  // never lost. Where the file system cannot swap, the target is asked about just before
  // the rename.
  void commit(const ReplaceGuard& guard = {});

 private:
  [[noreturn]] void abandon(const std::string& reason);
  [[noreturn]] void refuseChanged();
  // The guarded replacement; false when the swap is not possible here.
  bool exchangeGuarded(const ReplaceGuard& guard);

  FileOps& ops_;
  std::string path_, target_, folder_, temp_;
  int fd_ = -1;
  bool done_ = false;
};

}  // namespace orvela
