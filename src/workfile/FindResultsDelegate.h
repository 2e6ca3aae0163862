#pragma once
// Draws the text around a hit in the results list with the hit itself in bold, so that the
// eye finds it in a long line.
#include <QStyledItemDelegate>

namespace orvela {

class FindResultsDelegate : public QStyledItemDelegate {
  Q_OBJECT
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace orvela
