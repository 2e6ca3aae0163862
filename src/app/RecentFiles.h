#pragma once
// The recent-files list of the frame: at most five paths, most recently added first,
// each path once (letter case ignored).
#include <QString>
#include <QStringList>

namespace orvela {

inline constexpr int kRecentFilesBound = 5;

// A new path goes to the front and the oldest beyond five drop off; a path already listed
// (in any letter case) changes places with the first entry and keeps its stored spelling.
void AddRecentFile(QStringList& list, const QString& fileName);

}  // namespace orvela
