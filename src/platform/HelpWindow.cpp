#include "platform/HelpWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeySequence>
#include <QPointer>
#include <QShortcut>
#include <QTextBrowser>
#include <QToolBar>
#include <QVBoxLayout>

namespace orvela::platform {
namespace {

struct Topic {
  int context;
  const char* page;
};

constexpr Topic kTopics[] = {
    {0, "start.html"},       {120, "about.html"},          {180, "document.html"},  {200, "properties.html"},
    {230, "item.html"},      {240, "settings.html"},       {300, "workfile.html"},
};

}  // namespace

QString HelpTopicUrl(int context) {
  const char* page = kTopics[0].page;
  for (const Topic& t : kTopics)
    if (t.context == context) page = t.page;
  return QStringLiteral("qrc:/help/") + QString::fromLatin1(page);
}

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window), browser_(new QTextBrowser(this)) {
  setObjectName(QStringLiteral("frmHelp"));
  setWindowTitle(QStringLiteral("Orvela Hilfe"));
  browser_->setObjectName(QStringLiteral("browserHelp"));
  browser_->setOpenExternalLinks(true);

  auto* bar = new QToolBar(this);
  QAction* back = bar->addAction(QStringLiteral("Zurück"), browser_, &QTextBrowser::backward);
  back->setShortcut(QKeySequence::Back);
  QAction* forward = bar->addAction(QStringLiteral("Vorwärts"), browser_, &QTextBrowser::forward);
  forward->setShortcut(QKeySequence::Forward);
  bar->addAction(QStringLiteral("Inhalt"), this, [this] { showTopic(0); });
  connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
  back->setEnabled(false);
  forward->setEnabled(false);

  auto* closeKey = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(closeKey, &QShortcut::activated, this, &QWidget::close);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(bar);
  layout->addWidget(browser_);
  resize(640, 520);
}

void HelpWindow::showTopic(int context) { browser_->setSource(QUrl(HelpTopicUrl(context))); }

HelpWindow* HelpWindow::showContext(int context) {
  static QPointer<HelpWindow> window;
  if (!window) {
    window = new HelpWindow();
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setAttribute(Qt::WA_QuitOnClose, false);  // help alone does not keep the program running
  }
  // A modal dialog blocks every window but its own: help asked for from there becomes
  // one of the dialog's windows, so that it shows in front and takes input.
  window->moveTo(QApplication::activeModalWidget());
  window->showTopic(context);
  window->show();
  window->raise();
  window->activateWindow();
  return window;
}

void HelpWindow::moveTo(QWidget* owner) {
  if (owner == this || parentWidget() == owner) return;
  if (parentWidget()) parentWidget()->removeEventFilter(this);
  const bool wasVisible = isVisible();
  const QRect place = geometry();
  setParent(owner, windowFlags() | Qt::Window);  // hides the window
  if (wasVisible) setGeometry(place);
  if (owner) owner->installEventFilter(this);
  if (wasVisible) show();
}

bool HelpWindow::eventFilter(QObject* watched, QEvent* event) {
  // The dialog is going: help stays open on its own instead of going with it.
  if (watched == parentWidget() && event->type() == QEvent::Hide) moveTo(nullptr);
  return QWidget::eventFilter(watched, event);
}

void HelpWindow::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  // Back to the dialog help was asked for from.
  if (QWidget* owner = parentWidget(); owner && owner->isVisible()) {
    owner->raise();
    owner->activateWindow();
  }
}

}  // namespace orvela::platform
