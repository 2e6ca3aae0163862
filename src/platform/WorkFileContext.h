#pragma once
// What a tab page or dialog of a work-file window needs from the window: the one data
// object it works on, the editor every change of it goes through, and the program's services.
#include "model/WorkFileData.h"
#include "model/WorkFileEditor.h"
#include "platform/Stamps.h"

class QPrinter;
class QWidget;

namespace orvela {

namespace platform {
class Services;
}

class WorkFileContext {
 public:
  virtual ~WorkFileContext() = default;
  // Read freely; changed only through editor().
  virtual WorkFileData& data() = 0;
  // Runs each change as a command: the history, the modified state and every view follow.
  virtual WorkFileEditor& editor() = 0;
  // The work-file window, parent for dialogs and message boxes.
  virtual QWidget* window() = 0;
  // Message boxes, pickers, modal runs, the cut item: the frame's one set.
  virtual platform::Services& services() = 0;
  // Who is working and when, for sign-offs: the frame's stamp source.
  virtual StampSource stamps() { return platform::SystemStamps(); }
  // The window's one printer, shared by all its pages: the printer, copies and range chosen
  // in a print dialog are offered again at the next print.
  virtual QPrinter& printer() = 0;
};

}  // namespace orvela
