#pragma once
// The places the windows remember from one run to the next ([Window] of the settings file):
// read when the frame starts, kept up to date while the program runs, written when the
// frame closes. The windows ask here for their remembered sizes and tell their changes.
#include <QObject>
#include <QString>

#include "platform/SettingsText.h"

class QHeaderView;

namespace orvela::platform {

class WindowPlaces : public QObject {
  Q_OBJECT
 public:
  WindowPlaces() = default;

  WindowSettings& values() { return values_; }
  const WindowSettings& values() const { return values_; }

  // Reads [Window] from the settings file; a missing or unreadable file remembers nothing.
  void load();
  // Writes [Window] into the settings file, keeping everything else in it.
  bool save() const;

  // The grid's columns take their remembered widths (when the grid has as many columns as
  // were remembered) and every later change of a width is remembered under `grid`.
  void followColumns(QHeaderView* header, const QString& grid);

  // The starting folder of a file dialog: the working folder when one is set, else the
  // folder of the last file chosen in a dialog of this kind.
  QString startFolder(FolderKind kind, const QString& workingDir) const;
  // A dialog of this kind returned `path` (empty: cancelled, nothing to remember).
  void chosen(FolderKind kind, const QString& path);

 private:
  WindowSettings values_;
};

}  // namespace orvela::platform
