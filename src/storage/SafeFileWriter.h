#pragma once
// Replacing a file so that a failure at any moment leaves either the old or the new
// content on disk, never a mixture: the content goes to a temporary file in the same
// folder, is flushed to the disk, and the temporary file is renamed over the target.
#include <cstddef>
#include <string>
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
  virtual void remove(const std::string& path);
};

FileOps& SystemFileOps();

// Bytes handed to one write call at most.
inline constexpr std::size_t kWriteChunk = 1 << 20;

// Makes `path` hold exactly `content`. A target that exists keeps its permission bits; a
// target that exists but may not be written, or is no regular file, is refused and left
// untouched. A symbolic link is followed, so the file it points to is replaced.
// Throws FileError ("Die Datei kann nicht gespeichert werden!" plus the reason).
void WriteFileSafely(const std::string& path, std::string_view content, FileOps& ops = SystemFileOps());

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
  void commit();

 private:
  [[noreturn]] void abandon(const std::string& reason);

  FileOps& ops_;
  std::string path_, target_, folder_, temp_;
  int fd_ = -1;
  bool done_ = false;
};

}  // namespace orvela
