#pragma once
// The one delegate of the program's record grids, so that every grid looks alike:
// - the position column ("#") is painted on the light 3D face colour (QPalette::Button);
// - in the other columns, rows at odd positions among their siblings (counted from 0: the
//   second, fourth, … row) are shaded with the system's tooltip background
//   (QPalette::ToolTipBase, text in QPalette::ToolTipText);
// - optionally grid lines, for views that draw none of their own (QTreeView);
// - text editors accept any character but refuse to commit one that Windows-1252 cannot
//   hold: Enter and Tab leave the editor open, leaving the cell discards the edit, and
//   both say why in a tooltip below the editor and through inputRefused().
// A selected row keeps the normal selection colours.
#include <QStyledItemDelegate>

namespace orvela::platform {

class RecordGridDelegate : public QStyledItemDelegate {
  Q_OBJECT
 public:
  explicit RecordGridDelegate(QObject* parent = nullptr, int positionColumn = 0);

  int positionColumn() const { return positionColumn_; }
  void setDrawGridLines(bool on) { gridLines_ = on; }

  // Whether an open editor holds text the work file can hold; when not, says why as on
  // Enter. For a dialog that commits open editors itself before it closes.
  bool acceptsEditorText(QWidget* editor) const;

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;

 signals:
  // A text the work file cannot hold was not committed; the German reason.
  void inputRefused(const QString& message) const;

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
  bool eventFilter(QObject* object, QEvent* event) override;

 private:
  void refuse(QWidget* editor, const QString& message) const;

  int positionColumn_;
  bool gridLines_ = false;
};

}  // namespace orvela::platform
