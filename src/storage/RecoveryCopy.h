#pragma once
// The recovery copy of a window's unsaved work: a short record (which file, when, which
// program run, what the file on disk looked like) followed by the work file exactly as
// "Speichern" would write it, with a check sum over that content. One file, written in
// one piece, so that a copy is either complete or recognisably damaged.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvela {

// What the file on disk was when the window last loaded or saved it.
struct OriginalState {
  std::int64_t modifiedMs = 0;  // last modification, milliseconds since the epoch
  std::int64_t size = 0;
  bool operator==(const OriginalState&) const = default;
};

struct RecoveryRecord {
  std::string originalPath;  // UTF-8; empty for a window that was never saved
  std::int64_t savedMs = 0;  // when the copy was written, milliseconds since the epoch (UTC)
  std::int64_t pid = 0;      // the program run that wrote it
  std::string host;          // the machine it ran on
  std::optional<OriginalState> original;  // absent when the work file was not on disk
  bool operator==(const RecoveryRecord&) const = default;
};

// Record and content as one file's bytes.
std::string BuildRecoveryCopy(const RecoveryRecord& record, std::string_view workFileContent);

struct ReadRecoveryCopy {
  enum class Status {
    Intact,      // record read, content matches its check sum
    Damaged,     // record read, but the content is cut short or altered
    Unreadable,  // not a recovery copy, or its record cannot be read
  };
  Status status = Status::Unreadable;
  RecoveryRecord record;
  // The work file as far as it is there; when unreadable, the bytes after the first blank
  // line (or all of them).
  std::string content;
};

// Reads a copy's bytes; never throws for bad input.
ReadRecoveryCopy ParseRecoveryCopy(std::string_view bytes);

}  // namespace orvela
