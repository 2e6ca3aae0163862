#include "workfile/StructureImages.h"

#include <array>

// The resources live in a static library, so they are registered by hand.
static void RegisterStructureIcons() { Q_INIT_RESOURCE(structure_icons); }

namespace orvela {

const QPixmap& ilWorkfile(WorkfileImage image) {
  static const std::array<QPixmap, 5> pictures = [] {
    RegisterStructureIcons();
    const char* files[] = {"0_folder_open.png", "1_page.png", "2_page_lines.png", "3_document_folder.png",
                           "4_tick.png"};
    std::array<QPixmap, 5> p;
    for (std::size_t i = 0; i < p.size(); ++i) p[i] = QPixmap(QStringLiteral(":/icons/structure/") + files[i]);
    return p;
  }();
  return pictures[static_cast<std::size_t>(image)];
}

}  // namespace orvela
