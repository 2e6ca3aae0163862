#pragma once
// Where recovery copies live and how they get there: a folder in the user's data folder
// that only the user may enter ($XDG_DATA_HOME/orvela-wp/recovery, else
// ~/.local/share/...), one file per window with unsaved work, readable by the user alone.
#include <QList>
#include <QString>
#include <optional>
#include <string_view>

#include "storage/RecoveryCopy.h"

namespace orvela {
class FileOps;
}

namespace orvela::platform {

QString RecoveryFolder();

// A path in the folder for a new window's copy, not taken by any copy there.
QString NewRecoveryFilePath();

// Replaces the copy at `path` with `bytes` in one step (mode 0600), creating the folder
// (0700) first. Throws FileError naming the folder when it cannot be written.
void WriteRecoveryFile(const QString& path, std::string_view bytes, FileOps& ops);

// This program run and machine, as a copy's record names them.
RecoveryRecord RecordOfThisRun(const QString& originalPath, std::optional<OriginalState> original);

// Modification time and size of a file; nothing when it is not there.
std::optional<OriginalState> FileStateOf(const QString& path);

struct LeftoverCopy {
  QString path;
  ReadRecoveryCopy copy;
  qint64 timeMs = 0;  // when it was written: the record's time, else the file's
};

// The copies left behind by program runs that have ended (after a crash or a kill), oldest
// first. Copies of a program still running on this machine, this one among them, are left out.
QList<LeftoverCopy> LeftoverRecoveryCopies();

}  // namespace orvela::platform
