#include "workfile/RecoveryWriter.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QWidget>

#include "model/TextUtils.h"
#include "model/WorkFileEditor.h"
#include "platform/RecoveryFolder.h"
#include "platform/Services.h"
#include "storage/Envelope.h"
#include "storage/WorkFileXml.h"

namespace orvela {
namespace {

// A folder that cannot be written is told once, not at every attempt of every window;
// once a copy succeeds there, a later failure is told again.
QString& ReportedFolder() {
  static QString folder;
  return folder;
}

QString FromUtf8(const std::string& text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

}  // namespace

RecoveryWriter::RecoveryWriter(QWidget& window, WorkFileEditor& editor, platform::Services& services)
    : window_(window), editor_(editor), services_(services) {
  timer_.setSingleShot(true);
  connect(&timer_, &QTimer::timeout, this, &RecoveryWriter::timeUp);
  editor_.addObserver(this);
  // Keys typed anywhere in the program: writing a large copy takes a moment, which must
  // not fall into the middle of someone's typing.
  qApp->installEventFilter(this);
  historyChanged();
}

RecoveryWriter::~RecoveryWriter() {
  editor_.removeObserver(this);
  // The window goes the normal way: whatever was unsaved has been saved or given up.
  discard();
}

bool RecoveryWriter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress || event->type() == QEvent::InputMethod) sinceTyping_.restart();
  return QObject::eventFilter(watched, event);
}

void RecoveryWriter::commandFinished(const EditCommand&, EditDirection) {
  if (editor_.isModified() && !timer_.isActive()) timer_.start(interval_);
}

void RecoveryWriter::historyChanged() {
  if (editor_.isModified()) return;
  // The data is what the file on disk holds: nothing to recover, and the file's state is
  // what a later copy is measured against.
  discard();
  original_ = platform::FileStateOf(FromUtf8(editor_.data().fileName));
}

void RecoveryWriter::timeUp() {
  if (!editor_.isModified()) return;
  const auto typedAgo = std::chrono::milliseconds(sinceTyping_.isValid() ? sinceTyping_.elapsed() : typingPause_.count());
  if (typedAgo < typingPause_) {
    timer_.start(typingPause_ - typedAgo);
    return;
  }
  if (!writeNow()) timer_.start(interval_);  // the next attempt comes with the next round
}

void RecoveryWriter::adopt(const QString& copyPath, std::optional<OriginalState> original) {
  copyPath_ = copyPath;
  written_ = true;
  original_ = original;
  writeNow();
}

bool RecoveryWriter::writeNow() {
  if (copyPath_.isEmpty()) copyPath_ = platform::NewRecoveryFilePath();
  const WorkFileData& data = editor_.data();
  const RecoveryRecord record = platform::RecordOfThisRun(FromUtf8(data.fileName), original_);
  try {
    platform::WriteRecoveryFile(copyPath_, BuildRecoveryCopy(record, BuildEnvelope(BuildWorkFileXml(data))),
                                services_.fileOps());
  } catch (const FileError& e) {
    reportFailure(FromUtf8(e.what()));
    return false;
  }
  written_ = true;
  ReportedFolder().clear();
  return true;
}

void RecoveryWriter::reportFailure(const QString& reason) {
  const QString folder = QDir::toNativeSeparators(platform::RecoveryFolder());
  if (ReportedFolder() == folder) return;
  ReportedFolder() = folder;
  services_.showMessage(&window_, platform::MessageKind::Warning,
                        QStringLiteral("Im Ordner %1 kann keine Wiederherstellungskopie der ungespeicherten "
                                       "Änderungen angelegt werden:\n%2\n\nSie können weiterarbeiten; "
                                       "speichern Sie Ihre Arbeit bitte regelmäßig.")
                            .arg(folder, reason));
}

void RecoveryWriter::discard() {
  timer_.stop();
  if (written_) QFile::remove(copyPath_);
  written_ = false;
  copyPath_.clear();
}

}  // namespace orvela
