#pragma once
// Unique temporary files for reports handed to other programs.
#include <QString>

namespace orvela::platform {

// Creates an empty file "TMP" + hex number + `extension` (for example ".rtf") in
// QDir::tempPath() and returns its path. The name is first reserved as a ".tmp" file and
// then renamed, so no other process gets the same name and no ".tmp" file is left.
// Throws orvela::FileError when no file can be created.
QString TempFileWithExt(const QString& extension);

}  // namespace orvela::platform
