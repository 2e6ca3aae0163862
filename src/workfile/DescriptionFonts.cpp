#include "workfile/DescriptionFonts.h"

#include <QFontDatabase>
#include <QFontInfo>

namespace orvela {

QStringList ListFontNames() {
  QStringList names;
  for (const QString& family : QFontDatabase::families()) {
    if (!QFontDatabase::isPrivateFamily(family)) names.append(family);
  }
  return names;
}

QFont DefaultDescriptionFont() {
  const QString wanted = QStringLiteral("MS Sans Serif");
  QFont font(wanted);
  font.setPointSize(8);
  if (!QFontDatabase::hasFamily(wanted)) font.setFamilies({QFontInfo(font).family()});
  return font;
}

}  // namespace orvela
