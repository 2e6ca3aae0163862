#pragma once
// Saving and loading whole work files: what the work-file window and the command-line
// tool call. No messages are shown here; results carry the German texts for the caller.
#include <string>

#include "model/WorkFileData.h"
#include "storage/Envelope.h"
#include "storage/FileStamp.h"
#include "storage/SafeFileWriter.h"
#include "storage/WorkFileXml.h"

namespace orvela {

inline constexpr const char* kCannotSaveMessage = "Die Datei kann nicht gespeichert werden!";
inline constexpr const char* kCannotReadMessage = "Die Datei kann nicht gelesen werden!";

struct SaveResult {
  bool ok = true;
  std::string message;  // kCannotSaveMessage on failure
  std::string detail;   // the reason, for the error report; UTF-8
  bool changedOnDisk = false;  // refused: the file was no longer the expected one
  FileStamp stamp;             // of the file as written, on success
};

// Stamps SavedAt/SavedBy (also when the save then fails), writes envelope and XML safely
// and, on success only, sets data.fileName to `path`. With `expected`, a file at `path`
// that is no longer what it describes (and not missing) is left as it is and the save
// refused with changedOnDisk.
SaveResult SaveWorkFile(WorkFileData& data, const std::string& path, const StampSource& stamps,
                        FileOps& ops = SystemFileOps(), const FileStamp* expected = nullptr);
// Writes the data as it is, stamps included; throws FileError (FileChangedError when
// `guard` refuses the file about to be replaced). Returns the bytes written.
std::string WriteWorkFile(const WorkFileData& data, const std::string& path, FileOps& ops = SystemFileOps(),
                          const ReplaceGuard& guard = {});

struct LoadResult {
  enum class Status { Ok, ReadFailed, ParseFailed };
  Status status = Status::Ok;
  std::string message;  // kCannotReadMessage, or the parse error with line and column
  std::string detail;   // the reason a read failed
  FileStamp stamp;      // of the bytes read, when they were read
  bool ok() const { return status == Status::Ok; }
};

// Fills freshly reset data from the file (header skipped, not examined) and sets
// data.fileName. Items are not renumbered: the window does that after loading. When the
// file cannot be read, `data` stays as it was; after a parse error it holds what was read.
LoadResult LoadWorkFile(WorkFileData& data, const std::string& path, const WarningSink& warnings);
// LoadWorkFile followed by the renumbering the window does, for callers without a window.
LoadResult LoadWorkFileRenumbered(WorkFileData& data, const std::string& path, const WarningSink& warnings);

}  // namespace orvela
