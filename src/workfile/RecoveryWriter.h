#pragma once
// Keeps a recovery copy of one window's unsaved work: a while after a change (five minutes
// unless set otherwise) and never while the user is typing, the data goes into a copy in
// the user's recovery folder, never near the work file itself. Saving, undoing back to the
// saved state or closing the window normally removes the copy; after a crash it is left
// for the next start to offer.
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <chrono>
#include <optional>

#include "model/EditObserver.h"
#include "storage/RecoveryCopy.h"

class QWidget;

namespace orvela {

class WorkFileEditor;
namespace platform {
class Services;
}

class RecoveryWriter final : public QObject, private EditObserver {
 public:
  static constexpr std::chrono::milliseconds kDefaultInterval = std::chrono::minutes(5);
  static constexpr std::chrono::milliseconds kTypingPause = std::chrono::seconds(2);

  // `window` is where a failure is reported; all three must outlive the writer.
  RecoveryWriter(QWidget& window, WorkFileEditor& editor, platform::Services& services);
  ~RecoveryWriter() override;

  // How long after a change the copy is written, and how long the keyboard must have
  // been still before.
  void setInterval(std::chrono::milliseconds interval) { interval_ = interval; }
  void setTypingPause(std::chrono::milliseconds pause) { typingPause_ = pause; }

  // Takes over a copy restored from an ended run: it becomes this window's copy and is
  // written again at once, so that it names this run. `original` is what the work file
  // was when the lost window last read or wrote it.
  void adopt(const QString& copyPath, std::optional<OriginalState> original);
  // Writes the copy now; false (reported once) when it cannot be written.
  bool writeNow();
  // The copy on disk; empty while there is none.
  QString copyPath() const { return written_ ? copyPath_ : QString(); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void commandFinished(const EditCommand& command, EditDirection direction) override;
  void historyChanged() override;
  void timeUp();
  void discard();
  void reportFailure(const QString& reason);

  QWidget& window_;
  WorkFileEditor& editor_;
  platform::Services& services_;
  std::chrono::milliseconds interval_ = kDefaultInterval;
  std::chrono::milliseconds typingPause_ = kTypingPause;
  QTimer timer_;
  QElapsedTimer sinceTyping_;
  QString copyPath_;
  bool written_ = false;
  std::optional<OriginalState> original_;
};

}  // namespace orvela
