#include "workfile/ItemDetailWidgets.h"

#include <QIcon>
#include <QListWidget>
#include <QStyle>
#include <QToolButton>

#include "platform/Cp1252Text.h"
#include "workfile/ItemDetailTextGuard.h"

namespace orvela::detail {

QString ToQt(const std::string& text) { return platform::FromCp1252(text); }

QString MultiLineToQt(const std::string& text) {
  QString s = platform::FromCp1252(text);
  s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return s;
}

std::string FromQt(const QString& text) { return platform::ToCp1252(TextGuard::Holdable(text, nullptr)).value_or(""); }

std::string MultiLineFromQt(const QString& text) {
  QString s = text;
  s.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
  return FromQt(s);
}

void FillCheckList(QListWidget* list, const std::vector<CheckEntry>& entries) {
  list->clear();
  for (const CheckEntry& e : entries) {
    auto* item = new QListWidgetItem(ToQt(e.text));
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(e.checked ? Qt::Checked : Qt::Unchecked);
    list->addItem(item);
  }
}

std::vector<CheckEntry> CheckListEntries(const QListWidget* list) {
  std::vector<CheckEntry> out;
  for (int i = 0; i < list->count(); ++i)
    out.push_back({FromQt(list->item(i)->text()), list->item(i)->checkState() == Qt::Checked});
  return out;
}

std::vector<std::string> CheckListTexts(const QListWidget* list) {
  std::vector<std::string> out;
  for (const CheckEntry& e : CheckListEntries(list)) out.push_back(e.text);
  return out;
}

QToolButton* GlyphButton(QWidget* parent, const char* name, const char* themeIcon, int standardPixmap,
                         const QString& hint, const QString& accessibleName) {
  auto* b = new QToolButton(parent);
  b->setObjectName(QLatin1String(name));
  b->setIcon(QIcon::fromTheme(QLatin1String(themeIcon),
                              parent->style()->standardIcon(static_cast<QStyle::StandardPixmap>(standardPixmap))));
  b->setAutoRaise(true);
  b->setFocusPolicy(Qt::TabFocus);
  if (!hint.isEmpty()) b->setToolTip(hint);
  b->setAccessibleName(accessibleName);
  return b;
}

}  // namespace orvela::detail
