#include "app/WindowListMenu.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>

namespace orvela {
namespace {
// Marks the actions this list put into a menu, so the next opening can take them out.
constexpr char kListEntry[] = "orvelaWindowListEntry";
}  // namespace

QString WindowListCaption(int number, const QString& name) {
  QString escaped = name;
  escaped.replace(QLatin1Char('&'), QStringLiteral("&&"));
  QString prefix;
  if (number < 10)
    prefix = QLatin1Char('&') + QString::number(number);
  else if (number == 10)
    prefix = QStringLiteral("1&0");
  else
    prefix = QString::number(number);
  return prefix + QLatin1Char(' ') + escaped;
}

void FillWindowList(QMenu* menu, const QList<WindowListEntry>& windows, const QMdiSubWindow* active) {
  for (QAction* action : menu->actions()) {
    if (!action->property(kListEntry).toBool()) continue;
    menu->removeAction(action);
    action->deleteLater();
  }
  if (windows.isEmpty()) return;
  menu->addSeparator()->setProperty(kListEntry, true);
  int number = 0;
  for (const WindowListEntry& entry : windows) {
    QAction* action = menu->addAction(WindowListCaption(++number, entry.name));
    action->setObjectName(QStringLiteral("miWindowList%1").arg(number));
    action->setProperty(kListEntry, true);
    action->setCheckable(true);
    action->setChecked(entry.window == active);
    QPointer<QMdiSubWindow> window = entry.window;
    QObject::connect(action, &QAction::triggered, menu, [window] {
      if (!window) return;
      if (window->isMinimized()) window->showNormal();
      window->mdiArea()->setActiveSubWindow(window);
    });
  }
}

}  // namespace orvela
