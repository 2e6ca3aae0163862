#pragma once
// Temporary files for reports handed to other programs. They hold confidential findings,
// so they live in a folder only the user can enter and are removed again: this run's at
// its end, what an earlier run left behind (after a crash, say) at the next start.
#include <QString>

namespace orvela::platform {

// Creates an empty file "TMP" + hex number + `extension` (for example ".rtf"), readable
// and writable by the user alone, in this run's private temporary folder, and returns its
// path. The name is first reserved as a ".tmp" file and then renamed, so no other process
// gets the same name and no ".tmp" file is left. Throws orvela::FileError when no file
// can be created.
QString TempFileWithExt(const QString& extension);

// A folder of our own that nobody else may enter (mode 0700): created if needed, refused
// when it is a link or belongs to someone else. False when it cannot be had.
bool MakePrivateFolder(const QString& path);

// The folder that holds the temporary folders of all runs: the user's cache folder, mode
// 0700. Each run has its own folder in it, created at its first temporary file.
QString PrivateTempRoot();

// Removes this run's temporary folder with everything in it (done when the program ends).
void RemoveOwnTempFiles();

// Removes the temporary folders of runs that have ended; those of runs still going stay.
void RemoveLeftoverTempFiles();

}  // namespace orvela::platform
