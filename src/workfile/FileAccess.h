#pragma once
// How a window holds its work file against other programs on a shared folder: the lock
// beside the file, or read-only, or editable without protection where no lock can be
// written; and the questions asked when another program holds or has changed the file.
#include <QString>
#include <memory>
#include <optional>

#include "platform/Services.h"
#include "storage/LockFile.h"

class QWidget;

namespace orvela {

struct WorkFileAccess {
  enum class Mode { Editing, ReadOnly, Unprotected };
  Mode mode = Mode::Editing;
  std::unique_ptr<WorkFileLock> lock;  // while editing with a lock
};

// "Die Datei … wird seit <Zeit> von <Benutzer> auf <Rechner> bearbeitet.", with what is
// known of the lock's owner, and for a stale lock the offer to take it over.
QString LockQuestionText(const QString& path, LockVerdict verdict, const LockState& state);

// Claims `path` for a new window: takes the lock or asks about the one there. Nothing
// when the user cancelled.
std::optional<WorkFileAccess> ClaimWorkFile(const platform::Services& services, QWidget* parent,
                                            const QString& path, const LockEnvironment& env);

// The lock of a file the window has just written under a new name: the user chose that
// file to be overwritten, so a lock found there is replaced without a question.
WorkFileAccess ClaimSavedFile(const QString& path, const LockEnvironment& env);

// "Die Datei wurde seit dem Öffnen von einem anderen Programm geändert.": Overwrite, SaveAs
// or Cancel (also when the box is closed otherwise).
platform::MessageButton AskChangedOnDisk(const platform::Services& services, QWidget* parent);

inline const QString kUnprotectedNote = QStringLiteral("Nicht gegen gleichzeitige Änderungen geschützt");
QString UnprotectedMessage(const QString& path);

}  // namespace orvela
