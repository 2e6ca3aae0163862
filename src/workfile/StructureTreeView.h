#pragma once
// vtStructure: the tree view of the structure tab. One column without header, one selected
// item, no editing in place, double click expands or collapses. Drags carry the selected
// item and drop only into this same tree, at the places the drop rules name.
#include <QPersistentModelIndex>
#include <QRect>
#include <QTimer>
#include <QTreeView>
#include <optional>

#include "model/StructureCommands.h"

namespace orvela {

class StructureModel;

class StructureTreeView : public QTreeView {
  Q_OBJECT
 public:
  explicit StructureTreeView(QWidget* parent = nullptr);
  void setStructureModel(StructureModel* model);
  StructureModel* structureModel() const { return model_; }

  struct DropTarget {
    RecordNode* item = nullptr;  // null: no item under the pointer
    DropZone zone = DropZone::Nowhere;
  };
  // What lies under a viewport position: the item's text or images, the upper or lower
  // half of the rest of its row, or nothing.
  DropTarget dropTargetAt(const QPoint& pos) const;
  // The place a drop at `pos` moves the dragged item to; nothing when refused.
  std::optional<TreePosition> dropPositionAt(const QPoint& pos) const;
  // Drops the model's current drag at `pos`, as a drop of the mouse does.
  bool dropAt(const QPoint& pos, const QMimeData* data);
  // Right click at a viewport position: the item there, if any, becomes selected and focused.
  void acContextPopUp(const QPoint& pos);

 signals:
  // A context menu is wanted at a global position (after acContextPopUp has run).
  void contextMenuWanted(const QPoint& globalPos);

 protected:
  bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void startDrag(Qt::DropActions supportedActions) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dragLeaveEvent(QDragLeaveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void drawBranches(QPainter* painter, const QRect& rect, const QModelIndex& index) const override;
  bool viewportEvent(QEvent* event) override;

 private:
  bool acceptsDrag(const QDropEvent* event) const;
  void setIndicator(const QRect& rect);
  void hoverForExpand(const QModelIndex& index);
  // The column as wide as the widest item in sight, and at least as wide as the view.
  void fitColumn();

  StructureModel* model_ = nullptr;
  QRect indicator_;
  bool indicatorIsLine_ = false;
  QTimer expandTimer_;
  QTimer fitTimer_;
  QPersistentModelIndex hovered_;
};

}  // namespace orvela
