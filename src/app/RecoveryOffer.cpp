// At start, the recovery copies that ended runs left behind are offered one by one:
// "Wiederherstellen" opens each in a window of its own, "Verwerfen" deletes it.
#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include "app/srcMain.h"
#include "platform/RecoveryFolder.h"
#include "platform/Services.h"
#include "workfile/srcWorkfile.h"

namespace orvela {
namespace {

using Status = ReadRecoveryCopy::Status;

QString FromUtf8(const std::string& text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

// Whether saving the restored data under its old name could overwrite work the copy does
// not hold: the file has been written since the lost window read or saved it. A file that
// is gone holds nothing to lose.
bool ChangedSince(const RecoveryRecord& record) {
  const std::optional<OriginalState> now = platform::FileStateOf(FromUtf8(record.originalPath));
  return now && (!record.original || *now != *record.original);
}

// The name the restored window takes: the old one unless that is unsafe.
QString RestoredName(const platform::LeftoverCopy& copy) {
  if (copy.copy.status != Status::Intact || ChangedSince(copy.copy.record)) return {};
  return FromUtf8(copy.copy.record.originalPath);
}

QString Question(const platform::LeftoverCopy& copy) {
  const QDateTime at = QDateTime::fromMSecsSinceEpoch(copy.timeMs);
  const QString when = at.toString(QStringLiteral("dd.MM.yyyy")) + QStringLiteral(", ") +
                       at.toString(QStringLiteral("HH:mm:ss")) + QStringLiteral(" Uhr");
  const RecoveryRecord& record = copy.copy.record;
  QString text = QStringLiteral("Orvela WP wurde nicht ordnungsgemäß beendet.\n\n");
  if (copy.copy.status == Status::Unreadable) {
    text += QStringLiteral("Die Wiederherstellungskopie \u201E%1\u201C vom %2 ist beschädigt: zu welcher Datei sie "
                           "gehört, lässt sich nicht mehr lesen. Wiederhergestellt wird, was noch lesbar ist, "
                           "als unbenannte Datei.")
                .arg(QFileInfo(copy.path).fileName(), when);
  } else {
    const QString name = record.originalPath.empty() ? QStringLiteral("<unbenannt>") : FromUtf8(record.originalPath);
    text += QStringLiteral("Für \u201E%1\u201C gibt es eine Wiederherstellungskopie der ungespeicherten Änderungen "
                           "vom %2.")
                .arg(name, when);
    if (copy.copy.status == Status::Damaged)
      text += QStringLiteral("\n\nAchtung: Die Kopie ist beschädigt, ihre Prüfsumme stimmt nicht. Wiederhergestellt "
                             "wird, was noch lesbar ist, als unbenannte Datei; prüfen Sie den Inhalt.");
    else if (!record.originalPath.empty() && ChangedSince(record))
      text += QStringLiteral("\n\nDie Datei wurde seitdem geändert. Damit nichts überschrieben wird, öffnet sich die "
                             "Kopie als unbenannte Datei.");
    else if (!record.originalPath.empty() && !platform::FileStateOf(FromUtf8(record.originalPath)))
      text += QStringLiteral("\n\nDie Datei gibt es dort nicht mehr; \u201ESpeichern\u201C legt sie wieder an.");
  }
  return text + QStringLiteral("\n\n\u201EWiederherstellen\u201C öffnet die Kopie, \u201EVerwerfen\u201C löscht sie.");
}

}  // namespace

void TfrmMain::OfferRecoveryCopies() {
  using platform::MessageButton;
  for (const platform::LeftoverCopy& copy : platform::LeftoverRecoveryCopies()) {
    const bool intact = copy.copy.status == Status::Intact;
    const MessageButton answer =
        services_.ask(this, intact ? platform::MessageKind::Confirmation : platform::MessageKind::Warning,
                      Question(copy), {MessageButton::Restore, MessageButton::Discard}, MessageButton::Restore);
    if (answer == MessageButton::Discard) {
      QFile::remove(copy.path);
    } else if (answer == MessageButton::Restore) {
      TfrmWorkFile* window = CreateWorkFileWindow();
      if (!window->RestoreRecoveryCopy(copy, RestoredName(copy))) window->closeWithoutQuestion();
    }
    // Closed otherwise: the copy stays for the next start.
  }
}

}  // namespace orvela
