#pragma once
// What a tab page or dialog of a work-file window needs from the window: the one data
// object it works on, the way to say that it changed it, and the program's services.
#include "model/WorkFileData.h"

class QWidget;

namespace orvela {

namespace platform {
class Services;
}

class WorkFileContext {
 public:
  virtual ~WorkFileContext() = default;
  virtual WorkFileData& data() = 0;
  // Sets Modified and updates the frame's save button.
  virtual void markModified() = 0;
  // The work-file window, parent for dialogs and message boxes.
  virtual QWidget* window() = 0;
  // Message boxes, pickers, modal runs, the cut item: the frame's one set.
  virtual platform::Services& services() = 0;
};

}  // namespace orvela
