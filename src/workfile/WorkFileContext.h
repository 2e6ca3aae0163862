#pragma once
// What a tab page or dialog of a work-file window needs from the window: the one data
// object it works on, and the way to say that it changed it.
#include "model/WorkFileData.h"

class QWidget;

namespace orvela {

class WorkFileContext {
 public:
  virtual ~WorkFileContext() = default;
  virtual WorkFileData& data() = 0;
  // Sets Modified and updates the frame's save button.
  virtual void markModified() = 0;
  // The work-file window, parent for dialogs and message boxes.
  virtual QWidget* window() = 0;
};

}  // namespace orvela
