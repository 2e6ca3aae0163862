#pragma once
// What a work-file window needs from the frame it lives in: the program's services and
// settings, the stamp source, the frame's shared commands (new, open, close, exit, the
// window arrangement, about), the save button, the recent files and help. The frame
// implements it; the window knows nothing else of the frame.
#include "model/WorkFileData.h"
#include "storage/LockFile.h"

class QAction;
class QMenu;
class QString;

namespace orvela {

namespace platform {
class Services;
struct GeneralSettings;
}  // namespace platform

class WorkFileHost {
 public:
  virtual ~WorkFileHost() = default;

  virtual platform::Services& services() = 0;
  // The settings of the run: working and report directory; the report directory may change.
  virtual platform::GeneralSettings& settings() = 0;
  // Where new windows take their user and time stamps from.
  virtual const StampSource& stampSource() const = 0;
  // Who this program is in the locks beside work files, as of now.
  virtual LockEnvironment lockEnvironment() const = 0;
  // A shared command of the frame by name (FileNew1, FileOpen1, FileClose1, FileExit1,
  // WindowCascade1, ..., HelpAbout1): the window's menus show the frame's own actions.
  virtual QAction* command(const QString& name) const = 0;
  // The toolbar's save button follows the active window.
  virtual void setSaveEnabled(bool enabled) = 0;
  // The toolbar's undo and redo buttons follow the active window's history.
  virtual void updateUndoButtons() = 0;
  // Fills `submenu` with one entry per recent file; choosing one opens that file.
  virtual void BuildReopenMenu(QMenu* submenu) = 0;
  // Puts the numbered list of the open work-file windows at the end of a "Fenster" menu.
  virtual void BuildWindowMenu(QMenu* menu) = 0;
  virtual void acGeneralSettings() = 0;
  virtual void acHelpContents() = 0;
  virtual void acHelpOVHomepage() = 0;
};

}  // namespace orvela
