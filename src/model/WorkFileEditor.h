#pragma once
// The one place where the work-file data of a window changes: every command runs here,
// is kept in the history for undo and redo, and the modified state follows the history
// (undoing back to the saved state clears it). Observers hear of every change.
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/EditCommand.h"
#include "model/EditObserver.h"
#include "model/WorkFileData.h"

namespace orvela {

class WorkFileEditor {
 public:
  explicit WorkFileEditor(WorkFileData& data);
  ~WorkFileEditor();
  WorkFileEditor(const WorkFileEditor&) = delete;
  WorkFileEditor& operator=(const WorkFileEditor&) = delete;

  WorkFileData& data() { return data_; }
  const WorkFileData& data() const { return data_; }

  void addObserver(EditObserver* observer);
  void removeObserver(EditObserver* observer);

  // Called with a German message (UTF-8) when an undo or redo cannot be applied because
  // the data is not what the history expects. The data is then left as it was and the
  // history is cleared.
  using FailureSink = std::function<void(const std::string& message)>;
  void setFailureSink(FailureSink sink) { failureSink_ = std::move(sink); }

  // Runs the command. A recorded one that changed something joins the history (dropping
  // what could have been redone) and marks the work file modified. Returns whether it
  // changed anything; the command itself stays reachable through lastCommand() until the
  // next one.
  bool execute(std::unique_ptr<EditCommand> command);
  const EditCommand* lastCommand() const { return last_; }

  bool canUndo() const { return index_ > 0; }
  bool canRedo() const { return index_ < history_.size(); }
  // Names of the steps undo and redo would take back or run again; empty when none.
  std::string undoName() const;
  std::string redoName() const;
  bool undo();
  bool redo();
  std::size_t historySize() const { return history_.size(); }

  // The data now equals the file on disk (after loading or saving).
  void markSaved();
  bool isModified() const { return !savedIndex_ || *savedIndex_ != index_; }
  // Forgets every step, e.g. after the data was filled from a file.
  void clearHistory();

 private:
  void afterHistoryMove();
  // `name` is a copy: the command goes with the history.
  void fail(const EditConflict& conflict, std::string name, bool undoing);

  WorkFileData& data_;
  std::vector<EditObserver*> observers_;
  FailureSink failureSink_;
  std::vector<std::unique_ptr<EditCommand>> history_;
  std::size_t index_ = 0;                  // the commands below it are done
  std::optional<std::size_t> savedIndex_;  // where the file on disk stands; none: unreachable
  const EditCommand* last_ = nullptr;
  std::unique_ptr<EditCommand> lastUntracked_;
};

}  // namespace orvela
