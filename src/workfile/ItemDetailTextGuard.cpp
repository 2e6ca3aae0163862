#include "workfile/ItemDetailTextGuard.h"

#include <QComboBox>
#include <algorithm>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTextCursor>
#include <QToolTip>

#include "model/Cp1252.h"
#include "platform/Cp1252Text.h"

namespace orvela {

QString TextGuard::Holdable(const QString& text, QString* message) {
  if (platform::ToCp1252(text)) return text;
  if (message) *message = platform::Cp1252RefusalText(text);
  QString out;
  for (const char32_t c : text.toUcs4())
    if (UnicodeToCp1252(c)) out.append(QString::fromUcs4(&c, 1));
  return out;
}

void TextGuard::watch(QLineEdit* edit) {
  connect(edit, &QLineEdit::textChanged, this, [this, edit](const QString& text) {
    QString message;
    const QString kept = Holdable(text, &message);
    if (kept == text) return;
    const int cursor = edit->cursorPosition() - int(text.size() - kept.size());
    edit->setText(kept);
    edit->setCursorPosition(std::max(0, cursor));
    tell(edit, message);
  });
}

void TextGuard::watch(QComboBox* editableBox) {
  if (QLineEdit* edit = editableBox->lineEdit()) watch(edit);
}

void TextGuard::watch(QPlainTextEdit* edit) {
  connect(edit, &QPlainTextEdit::textChanged, this, [this, edit] {
    const QString text = edit->toPlainText();
    QString message;
    const QString kept = Holdable(text, &message);
    if (kept == text) return;
    const int cursor = edit->textCursor().position() - int(text.size() - kept.size());
    // One edit step, so that undo brings back the text before the refused input.
    QTextCursor all(edit->document());
    all.select(QTextCursor::Document);
    all.insertText(kept);
    QTextCursor c = edit->textCursor();
    c.setPosition(std::clamp(cursor, 0, int(kept.size())));
    edit->setTextCursor(c);
    tell(edit, message);
  });
}

void TextGuard::tell(QWidget* edit, const QString& message) {
  emit refused(message);
  QToolTip::showText(edit->mapToGlobal(QPoint(0, edit->height())), message, edit);
  // The status bar of the work-file window the edit belongs to, also from its dialogs
  // (their parent is that window).
  for (QWidget* w = edit; w; w = w->parentWidget()) {
    if (auto* bar = w->findChild<QStatusBar*>(QStringLiteral("StatusBar"), Qt::FindDirectChildrenOnly)) {
      bar->showMessage(message, 8000);
      return;
    }
  }
}

}  // namespace orvela
