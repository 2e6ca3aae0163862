#include "app/RecentFiles.h"

namespace orvela {

void AddRecentFile(QStringList& list, const QString& fileName) {
  qsizetype found = -1;
  for (qsizetype i = 0; i < list.size() && found < 0; ++i)
    if (list[i].compare(fileName, Qt::CaseInsensitive) == 0) found = i;
  if (found < 0) {
    list.prepend(fileName);
    while (list.size() > kRecentFilesBound) list.removeLast();
    return;
  }
  if (list.size() >= 2) list.swapItemsAt(0, found);
}

}  // namespace orvela
