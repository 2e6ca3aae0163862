#pragma once
// The about dialog: program name and version, the homepage, the terms of use and the
// acknowledgements of the libraries the program is built with.
#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace orvela {

namespace platform {
class Services;
}

// Shows the dialog modally over `parent`.
void ShowAbout(platform::Services& services, QWidget* parent);

class TdlgAbout : public QDialog {
  Q_OBJECT
 public:
  explicit TdlgAbout(platform::Services& services, QWidget* parent = nullptr);

  static QString homepageAddress();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QWidget* buildVersionTab();
  QPlainTextEdit* buildMemo(const char* name, const QString& text);

  platform::Services& services_;
};

}  // namespace orvela
