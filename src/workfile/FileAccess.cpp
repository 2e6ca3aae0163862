#include "workfile/FileAccess.h"

#include <QDateTime>
#include <QFileInfo>

namespace orvela {
namespace {

using platform::MessageButton;
using platform::MessageKind;

QString FromUtf8(const std::string& text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

QString OrElse(const std::string& text, const char* fallback) {
  return text.empty() ? QString::fromUtf8(fallback) : FromUtf8(text);
}

QString LockTime(const LockState& state) {
  if (!state.owner.time.empty()) return FromUtf8(state.owner.time);
  return QDateTime::fromSecsSinceEpoch(state.modified).toString(QStringLiteral("dd.MM.yyyy HH:mm"));
}

}  // namespace

QString LockQuestionText(const QString& path, LockVerdict verdict, const LockState& state) {
  if (verdict == LockVerdict::AskUnknown)
    return QStringLiteral("Die Datei ") + path +
           QStringLiteral(" ist von einem anderen Programm gesperrt; wer sie bearbeitet, lässt sich nicht "
                          "feststellen (Sperrdatei ") +
           QFileInfo(FromUtf8(LockFilePath(path.toStdString()))).fileName() + QStringLiteral(").");
  const LockOwner& owner = state.owner;
  QString text = QStringLiteral("Die Datei ") + path + QStringLiteral(" wird seit ") + LockTime(state) +
                 QStringLiteral(" von ") + OrElse(owner.userStamp.empty() ? owner.login : owner.userStamp,
                                                  "einem unbekannten Benutzer") +
                 QStringLiteral(" auf ") + OrElse(owner.host, "einem unbekannten Rechner") +
                 QStringLiteral(" bearbeitet.");
  if (verdict == LockVerdict::AskStale)
    text += QStringLiteral("\n\nDie Sperre ist älter als einen Tag; vermutlich wurde das Programm dort nicht "
                           "beendet. \u201ETrotzdem öffnen\u201C übernimmt sie.");
  return text;
}

std::optional<WorkFileAccess> ClaimWorkFile(const platform::Services& services, QWidget* parent, const QString& path,
                                            const LockEnvironment& env) {
  LockOutcome outcome = AcquireLock(path.toStdString(), env, [&](LockVerdict verdict, const LockState& state) {
    const MessageButton proposed = verdict == LockVerdict::AskStale ? MessageButton::OpenAnyway : MessageButton::OpenReadOnly;
    switch (services.ask(parent, MessageKind::Warning, LockQuestionText(path, verdict, state),
                         {MessageButton::OpenReadOnly, MessageButton::OpenAnyway, MessageButton::Cancel}, proposed)) {
      case MessageButton::OpenReadOnly:
        return LockChoice::ReadOnly;
      case MessageButton::OpenAnyway:
        return LockChoice::OpenAnyway;
      default:
        return LockChoice::Cancel;
    }
  });
  WorkFileAccess access;
  switch (outcome.kind) {
    case LockOutcome::Kind::Cancelled:
      return std::nullopt;
    case LockOutcome::Kind::Locked:
      access.lock = std::move(outcome.lock);
      break;
    case LockOutcome::Kind::ReadOnly:
      access.mode = WorkFileAccess::Mode::ReadOnly;
      break;
    case LockOutcome::Kind::Unprotected:
      access.mode = WorkFileAccess::Mode::Unprotected;
      break;
  }
  return access;
}

WorkFileAccess ClaimSavedFile(const QString& path, const LockEnvironment& env) {
  LockOutcome outcome = AcquireLock(path.toStdString(), env, [](LockVerdict, const LockState&) {
    return LockChoice::OpenAnyway;
  });
  WorkFileAccess access;
  if (outcome.lock)
    access.lock = std::move(outcome.lock);
  else
    access.mode = WorkFileAccess::Mode::Unprotected;
  return access;
}

MessageButton AskChangedOnDisk(const platform::Services& services, QWidget* parent) {
  const MessageButton answer = services.ask(
      parent, MessageKind::Warning, QStringLiteral("Die Datei wurde seit dem Öffnen von einem anderen Programm geändert."),
      {MessageButton::Overwrite, MessageButton::SaveAs, MessageButton::Cancel}, MessageButton::SaveAs);
  return answer == MessageButton::Overwrite || answer == MessageButton::SaveAs ? answer : MessageButton::Cancel;
}

QString UnprotectedMessage(const QString& path) {
  return QStringLiteral("Im Ordner der Datei ") + path +
         QStringLiteral(" kann keine Sperrdatei angelegt werden. Die Datei ist daher nicht gegen gleichzeitige "
                        "Änderungen durch andere Programme geschützt.");
}

}  // namespace orvela
