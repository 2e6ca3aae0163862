#include "workfile/FindResultsDelegate.h"

#include <QApplication>
#include <QPainter>

#include "workfile/FindResultsModel.h"

namespace orvela {

void FindResultsDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  const QVariant range = index.data(FindResultsModel::HitRangeRole);
  if (!range.isValid()) {
    QStyledItemDelegate::paint(painter, option, index);
    return;
  }
  QStyleOptionViewItem opt = option;
  initStyleOption(&opt, index);
  const QString text = opt.text;
  opt.text.clear();
  const QWidget* widget = opt.widget;
  QStyle* style = widget ? widget->style() : QApplication::style();
  style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);  // background, selection, focus

  const QPoint hit = range.toPoint();
  QFont bold = opt.font;
  bold.setBold(true);
  const std::pair<QString, const QFont*> parts[] = {
      {text.left(hit.x()), &opt.font}, {text.mid(hit.x(), hit.y()), &bold}, {text.mid(hit.x() + hit.y()), &opt.font}};
  const QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, widget).adjusted(2, 0, -2, 0);
  painter->save();
  painter->setClipRect(area);
  painter->setPen(opt.palette.color(opt.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled,
                                    opt.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
  int x = area.left();
  for (const auto& part : parts) {
    painter->setFont(*part.second);
    painter->drawText(QRect(x, area.top(), area.right() - x + 1, area.height()),
                      Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, part.first);
    x += QFontMetrics(*part.second).horizontalAdvance(part.first);
  }
  painter->restore();
}

}  // namespace orvela
