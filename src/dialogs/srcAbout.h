#pragma once
// The about dialog: program name and version, the homepage, the terms of use and the
// acknowledgements of the libraries the program is built with.
#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace orvela {

// Shows the dialog modally over `parent`.
void ShowAbout(QWidget* parent);

class TdlgAbout : public QDialog {
  Q_OBJECT
 public:
  explicit TdlgAbout(QWidget* parent = nullptr);

  static QString homepageAddress();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QWidget* buildVersionTab();
  QPlainTextEdit* buildMemo(const char* name, const QString& text);
};

}  // namespace orvela
