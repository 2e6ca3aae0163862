#pragma once
// What a work file looked like on disk when the program last read or wrote it: size,
// modification time and MD5 of the bytes. Before a save replaces the file, the file on
// disk is compared with it, so that another program's changes are never overwritten
// unnoticed.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvela {

struct FileStamp {
  std::uint64_t size = 0;
  std::int64_t modifiedNs = 0;  // nanoseconds since the epoch
  std::string md5;              // upper-case hexadecimal
  bool operator==(const FileStamp&) const = default;
};

// The stamp of bytes just read from (or written to) `path`: their size and check sum, the
// time from the file as it stands now. Nothing when the file cannot be examined.
std::optional<FileStamp> StampOfContent(const std::string& path, std::string_view content);
// The stamp of the file as it is on disk now; nothing when it does not exist or cannot be
// read.
std::optional<FileStamp> StampOfFile(const std::string& path);

// True when the file at `path` still is what `expected` describes. A missing file, or
// something else than a file in its place, counts as unchanged (nothing of anybody's would
// be overwritten; saving refuses what is not a file); a file that exists but cannot be
// read counts as changed. The check sum is only computed when size and time agree.
bool FileUnchangedSince(const std::string& path, const FileStamp& expected);

}  // namespace orvela
