#include "platform/WindowPlaces.h"

#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <algorithm>

#include "platform/Settings.h"

namespace orvela::platform {

void WindowPlaces::load() {
  QFile file(SettingsFilePath());
  values_ = file.open(QIODevice::ReadOnly) ? ParseWindowSettings(file.readAll()) : WindowSettings{};
}

bool WindowPlaces::save() const { return WriteSettingsValues(WindowSettingsValues(values_), kWindowSection); }

void WindowPlaces::followColumns(QHeaderView* header, const QString& grid) {
  const auto remembered = values_.columns.constFind(grid);
  if (remembered != values_.columns.cend() && remembered->size() == header->count())
    for (int c = 0; c < header->count(); ++c)
      if (!header->isSectionHidden(c)) header->resizeSection(c, remembered->at(c));
  connect(header, &QHeaderView::sectionResized, this, [this, header, grid] {
    QList<int> widths;
    // A hidden column measures 0, which is no width to keep.
    for (int c = 0; c < header->count(); ++c) widths.append(std::max(1, header->sectionSize(c)));
    values_.columns.insert(grid, widths);
  });
}

QString WindowPlaces::startFolder(FolderKind kind, const QString& workingDir) const {
  return workingDir.isEmpty() ? values_.folders[std::size_t(kind)] : workingDir;
}

void WindowPlaces::chosen(FolderKind kind, const QString& path) {
  if (!path.isEmpty()) values_.folders[std::size_t(kind)] = QFileInfo(path).absolutePath();
}

}  // namespace orvela::platform
