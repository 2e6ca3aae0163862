#include "model/WorkFileEditor.h"

#include <algorithm>

namespace orvela {

WorkFileEditor::WorkFileEditor(WorkFileData& data) : data_(data), savedIndex_(0) {}

WorkFileEditor::~WorkFileEditor() = default;

void WorkFileEditor::addObserver(EditObserver* observer) {
  if (observer && std::find(observers_.begin(), observers_.end(), observer) == observers_.end())
    observers_.push_back(observer);
}

void WorkFileEditor::removeObserver(EditObserver* observer) {
  observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

bool WorkFileEditor::execute(std::unique_ptr<EditCommand> command) {
  if (!command) return false;
  const EditTarget target(data_, observers_);
  const bool changed = command->apply(target);
  EditCommand& done = *command;
  if (command->kind() == EditCommand::Kind::Untracked) {
    lastUntracked_ = std::move(command);
    last_ = &done;
    if (changed) target.tell([&](EditObserver& o) { o.commandFinished(done, EditDirection::Do); });
    return changed;
  }
  if (!changed) return false;
  history_.resize(index_);  // what could have been redone is gone
  if (savedIndex_ && *savedIndex_ > index_) savedIndex_.reset();
  history_.push_back(std::move(command));
  index_ = history_.size();
  last_ = &done;
  target.tell([&](EditObserver& o) { o.commandFinished(done, EditDirection::Do); });
  afterHistoryMove();
  return true;
}

std::string WorkFileEditor::undoName() const { return canUndo() ? history_[index_ - 1]->name() : std::string(); }

std::string WorkFileEditor::redoName() const { return canRedo() ? history_[index_]->name() : std::string(); }

bool WorkFileEditor::undo() {
  if (!canUndo()) return false;
  EditCommand& command = *history_[index_ - 1];
  const EditTarget target(data_, observers_);
  try {
    command.revert(target);
  } catch (const EditConflict& conflict) {
    fail(conflict, command.name(), true);
    return false;
  }
  --index_;
  target.tell([&](EditObserver& o) { o.commandFinished(command, EditDirection::Undo); });
  afterHistoryMove();
  return true;
}

bool WorkFileEditor::redo() {
  if (!canRedo()) return false;
  EditCommand& command = *history_[index_];
  const EditTarget target(data_, observers_);
  try {
    command.apply(target);
  } catch (const EditConflict& conflict) {
    fail(conflict, command.name(), false);
    return false;
  }
  ++index_;
  target.tell([&](EditObserver& o) { o.commandFinished(command, EditDirection::Redo); });
  afterHistoryMove();
  return true;
}

void WorkFileEditor::fail(const EditConflict& conflict, std::string name, bool undoing) {
  // The data stays as it is now, which the history no longer describes: it goes, and the
  // work file counts as changed, since nobody can say how it relates to the saved one.
  clearHistory();
  savedIndex_.reset();
  afterHistoryMove();
  if (failureSink_) {
    failureSink_("Der Schritt \u201E" + name + (undoing ? "\u201C kann nicht rückgängig gemacht werden. "
                                                        : "\u201C kann nicht wiederholt werden. ") +
                 conflict.what() + " Der Verlauf wurde gelöscht.");
  }
}

void WorkFileEditor::markSaved() {
  savedIndex_ = index_;
  afterHistoryMove();
}

void WorkFileEditor::clearHistory() {
  history_.clear();
  index_ = 0;
  savedIndex_ = data_.modified ? std::nullopt : std::optional<std::size_t>(0);
  last_ = nullptr;
  lastUntracked_.reset();
  afterHistoryMove();
}

void WorkFileEditor::afterHistoryMove() {
  data_.modified = isModified();
  const EditTarget target(data_, observers_);
  target.tell([](EditObserver& o) { o.historyChanged(); });
}

}  // namespace orvela
