#pragma once
// The list of open windows at the end of a "Fenster" menu, as desktop programs keep it:
// numbered in the order the windows were opened, the active one checked; choosing an entry
// activates its window.
#include <QList>
#include <QString>

class QMdiSubWindow;
class QMenu;

namespace orvela {

struct WindowListEntry {
  QString name;  // the file name, or the caption of a window without one
  QMdiSubWindow* window = nullptr;
};

// Replaces the list that an earlier opening of `menu` left behind; nothing is added, not
// even the separator, while no window is open.
void FillWindowList(QMenu* menu, const QList<WindowListEntry>& windows, const QMdiSubWindow* active);

// "&1 name" … "&9 name", then "1&0 name", "11 name" … without an access key; an "&" in the
// name is shown as it is.
QString WindowListCaption(int number, const QString& name);

}  // namespace orvela
