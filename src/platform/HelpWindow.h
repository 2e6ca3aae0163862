#pragma once
// The program's help: HTML topics compiled into the resources, shown in one window that
// stays open beside the program.
#include <QString>
#include <QWidget>

class QTextBrowser;

namespace orvela::platform {

// The resource page of a help context number; unknown numbers lead to the start topic (0).
QString HelpTopicUrl(int context);

class HelpWindow : public QWidget {
  Q_OBJECT
 public:
  explicit HelpWindow(QWidget* parent = nullptr);
  void showTopic(int context);
  QTextBrowser* browser() const { return browser_; }

  // Shows the one help window of the program (created on first use) at the topic. While
  // a modal dialog is open, help comes up in front of it and stays usable beside it.
  static HelpWindow* showContext(int context);

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Makes the window a window of `owner` (null: of nobody), keeping its place and size.
  void moveTo(QWidget* owner);

  QTextBrowser* browser_;
};

}  // namespace orvela::platform
