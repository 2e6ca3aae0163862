#pragma once
// The image list of the work-file window (ilWorkfile): five 16 × 16 pictures.
#include <QPixmap>

namespace orvela {

enum class WorkfileImage {
  FolderOpen = 0,      // item with sub-items
  Page = 1,            // item without sub-items
  LinedPage = 2,
  DocumentFolder = 3,
  Tick = 4,            // state image of an item marked by the filter
};

// The picture at an index of the list; safe to call before any window exists.
const QPixmap& ilWorkfile(WorkfileImage image);

}  // namespace orvela
