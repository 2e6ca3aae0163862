#pragma once
// Keeps characters that the work file cannot hold (Windows-1252) out of the edits of the
// item detail panel and its dialogs: such a character is taken out again as soon as it is
// typed or pasted, and the user is told why in the window's status bar and a tooltip at
// the edit. Nothing is dropped without the user seeing it.
#include <QObject>
#include <QString>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace orvela {

class TextGuard : public QObject {
  Q_OBJECT
 public:
  explicit TextGuard(QObject* parent = nullptr) : QObject(parent) {}

  void watch(QLineEdit* edit);
  void watch(QPlainTextEdit* edit);
  void watch(QComboBox* editableBox);

  // The text without the characters that Windows-1252 cannot hold; `message` gets the
  // reason for the first one (untouched when there is none).
  static QString Holdable(const QString& text, QString* message);

 signals:
  void refused(const QString& message);

 private:
  void tell(QWidget* edit, const QString& message);
};

}  // namespace orvela
