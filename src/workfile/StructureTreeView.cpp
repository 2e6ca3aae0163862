#include "workfile/StructureTreeView.h"

#include <QContextMenuEvent>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QHeaderView>
#include <algorithm>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include "workfile/StructureModel.h"

namespace orvela {

StructureTreeView::StructureTreeView(QWidget* parent) : QTreeView(parent) {
  setObjectName(QStringLiteral("vtStructure"));
  setHeaderHidden(true);
  setRootIsDecorated(true);
  setUniformRowHeights(true);  // rows are measured once, not per item
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setExpandsOnDoubleClick(true);
  // Long names are shown whole: the one column is as wide as the widest name in sight (at
  // least the view), and the view scrolls sideways. Only the rows in sight are measured,
  // so a tall tree costs no more than a short one.
  header()->setStretchLastSection(false);
  header()->setResizeContentsPrecision(0);
  setTextElideMode(Qt::ElideNone);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  fitTimer_.setSingleShot(true);
  connect(&fitTimer_, &QTimer::timeout, this, &StructureTreeView::fitColumn);
  connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &StructureTreeView::fitColumn);
  for (auto signal : {&QTreeView::expanded, &QTreeView::collapsed})
    connect(this, signal, this, [this] { fitTimer_.start(0); });
  setDragEnabled(true);
  setAcceptDrops(true);
  setDragDropMode(QAbstractItemView::DragDrop);
  setDefaultDropAction(Qt::MoveAction);
  setDropIndicatorShown(false);  // drawn here, at the places the drop rules use
  // Read by the hover timer below; Qt's own timer would also collapse open items.
  setAutoExpandDelay(700);
  expandTimer_.setSingleShot(true);
  connect(&expandTimer_, &QTimer::timeout, this, [this] {
    if (hovered_.isValid() && state() == DraggingState && !isExpanded(hovered_)) expand(hovered_);
  });
}

void StructureTreeView::setStructureModel(StructureModel* model) {
  model_ = model;
  setModel(model);
  connect(model, &StructureModel::appearanceChanged, viewport(), qOverload<>(&QWidget::update));
  // After a change of the items the widest name in sight may be another one; many changes
  // in a row are measured once.
  const auto refit = [this] { fitTimer_.start(0); };
  connect(model, &QAbstractItemModel::rowsInserted, this, refit);
  connect(model, &QAbstractItemModel::rowsRemoved, this, refit);
  connect(model, &QAbstractItemModel::rowsMoved, this, refit);
  connect(model, &QAbstractItemModel::modelReset, this, refit);
  connect(model, &QAbstractItemModel::layoutChanged, this, refit);
  connect(model, &QAbstractItemModel::dataChanged, this, refit);
  connect(model, &StructureModel::appearanceChanged, this, refit);
}

void StructureTreeView::fitColumn() {
  if (!model_) return;
  const int wanted = std::max(viewport()->width(), sizeHintForColumn(0));
  if (header()->sectionSize(0) != wanted) header()->resizeSection(0, wanted);
}

bool StructureTreeView::viewportEvent(QEvent* event) {
  // Also when a scroll bar comes or goes and takes room from the viewport.
  if (event->type() == QEvent::Resize) fitTimer_.start(0);
  return QTreeView::viewportEvent(event);
}

bool StructureTreeView::edit(const QModelIndex&, EditTrigger, QEvent*) {
  return false;  // names are edited in the detail panel, never in the tree
}

void StructureTreeView::acContextPopUp(const QPoint& pos) {
  const QModelIndex idx = indexAt(pos);
  if (idx.isValid()) setCurrentIndex(idx);
}

void StructureTreeView::contextMenuEvent(QContextMenuEvent* event) {
  QPoint global = event->globalPos();
  if (event->reason() == QContextMenuEvent::Mouse) {
    acContextPopUp(event->pos());
  } else if (const QRect r = visualRect(currentIndex()); r.isValid()) {
    // From the keyboard the menu opens at the focused item.
    global = viewport()->mapToGlobal(QPoint(r.left() + 16, r.bottom()));
  }
  emit contextMenuWanted(global);
  event->accept();
}

StructureTreeView::DropTarget StructureTreeView::dropTargetAt(const QPoint& pos) const {
  const QModelIndex idx = indexAt(pos);
  if (!idx.isValid()) return {};
  const QRect row = visualRect(idx);
  QStyleOptionViewItem option;
  initViewItemOption(&option);
  option.rect = row;
  const int contentWidth = itemDelegateForIndex(idx)->sizeHint(option, idx).width();
  const QRect content(row.left(), row.top(), std::min(contentWidth, row.width()), row.height());
  RecordNode* node = StructureModel::nodeOf(idx);
  if (content.contains(pos)) return {node, DropZone::OnItem};
  return {node, pos.y() < row.top() + row.height() / 2 ? DropZone::Above : DropZone::Below};
}

std::optional<TreePosition> StructureTreeView::dropPositionAt(const QPoint& pos) const {
  if (!model_ || !model_->draggedItem()) return std::nullopt;
  const DropTarget target = dropTargetAt(pos);
  return DropPosition(model_->tree(), *model_->draggedItem(), target.item, target.zone);
}

bool StructureTreeView::dropAt(const QPoint& pos, const QMimeData* data) {
  const std::optional<TreePosition> place = dropPositionAt(pos);
  if (!place) return false;
  const DropTarget target = dropTargetAt(pos);
  const QModelIndex parent = model_->indexOf(place->parent);
  if (!model_->dropMimeData(data, Qt::MoveAction, int(place->row), 0, parent)) return false;
  // A drop onto a closed item opens it, so the moved item stays in sight.
  if (target.zone == DropZone::OnItem) expand(model_->indexOf(target.item));
  scrollTo(currentIndex());
  return true;
}

void StructureTreeView::startDrag(Qt::DropActions) {
  if (!model_) return;
  const QModelIndexList selected = selectionModel()->selectedIndexes();
  RecordNode* node = selected.isEmpty() ? nullptr : StructureModel::nodeOf(selected.first());
  if (!node) return;
  auto* drag = new QDrag(this);
  drag->setMimeData(model_->startDrag(node));
  drag->setPixmap(model_->data(selected.first(), Qt::DecorationRole).value<QPixmap>());
  drag->exec(Qt::MoveAction, Qt::MoveAction);
  model_->finishDrag();
}

bool StructureTreeView::acceptsDrag(const QDropEvent* event) const {
  // Only drags that began in this very tree; other windows, the documents register and
  // other programs are refused.
  return event->source() == this && model_ && model_->isOwnDrag(event->mimeData());
}

void StructureTreeView::setIndicator(const QRect& rect) {
  if (rect == indicator_) return;
  indicator_ = rect;
  viewport()->update();
}

void StructureTreeView::hoverForExpand(const QModelIndex& index) {
  if (index == hovered_) return;
  hovered_ = index;
  expandTimer_.stop();
  if (index.isValid() && autoExpandDelay() >= 0 && model()->hasChildren(index) && !isExpanded(index))
    expandTimer_.start(autoExpandDelay());
}

void StructureTreeView::dragEnterEvent(QDragEnterEvent* event) {
  if (!acceptsDrag(event)) {
    event->ignore();
    return;
  }
  setState(DraggingState);
  event->setDropAction(Qt::MoveAction);
  event->accept();
}

void StructureTreeView::dragMoveEvent(QDragMoveEvent* event) {
  // The base class scrolls near the edges; QTreeView's own open timer is left out.
  QAbstractItemView::dragMoveEvent(event);
  const QPoint pos = event->position().toPoint();
  if (!acceptsDrag(event) || !dropPositionAt(pos)) {
    event->ignore();
    setIndicator({});
    return;
  }
  hoverForExpand(indexAt(pos));
  event->setDropAction(Qt::MoveAction);
  event->accept();

  const DropTarget target = dropTargetAt(pos);
  QRect rect;
  if (target.item) {
    rect = visualRect(model_->indexOf(target.item));
    if (target.zone == DropZone::OnItem) {
      indicatorIsLine_ = false;
    } else {
      indicatorIsLine_ = true;
      rect = target.zone == DropZone::Above ? QRect(rect.topLeft(), QSize(rect.width(), 1))
                                            : QRect(rect.bottomLeft(), QSize(rect.width(), 1));
    }
  } else if (const QRect first = visualRect(model_->index(0, 0)); first.isValid()) {
    indicatorIsLine_ = true;  // becomes the first top-level item
    rect = QRect(first.topLeft(), QSize(first.width(), 1));
  }
  setIndicator(rect);
}

void StructureTreeView::dragLeaveEvent(QDragLeaveEvent* event) {
  expandTimer_.stop();
  hovered_ = QPersistentModelIndex();
  setIndicator({});
  QTreeView::dragLeaveEvent(event);
}

void StructureTreeView::dropEvent(QDropEvent* event) {
  expandTimer_.stop();
  hovered_ = QPersistentModelIndex();
  setIndicator({});
  stopAutoScroll();
  setState(NoState);
  if (acceptsDrag(event) && dropAt(event->position().toPoint(), event->mimeData())) {
    event->setDropAction(Qt::MoveAction);
    event->accept();
  } else {
    event->ignore();
  }
}

void StructureTreeView::paintEvent(QPaintEvent* event) {
  QTreeView::paintEvent(event);
  if (indicator_.isNull()) return;
  QPainter painter(viewport());
  painter.setPen(QPen(palette().color(QPalette::Highlight), indicatorIsLine_ ? 2 : 1));
  if (indicatorIsLine_)
    painter.drawLine(indicator_.topLeft(), indicator_.topRight());
  else
    painter.drawRect(indicator_.adjusted(0, 0, -1, -1));
}

void StructureTreeView::drawBranches(QPainter* painter, const QRect& rect, const QModelIndex& index) const {
  QTreeView::drawBranches(painter, rect, index);
  const RecordNode* node = StructureModel::nodeOf(index);
  if (!node) return;
  // Tree lines, whatever the style draws: a dotted line down each open level and a stub to
  // the item; they leave room for the expand button of an item with sub-items.
  painter->save();
  QPen pen(palette().color(QPalette::Mid));
  pen.setStyle(Qt::DotLine);
  painter->setPen(pen);
  const int indent = indentation();
  const int midY = rect.top() + rect.height() / 2;
  const int gap = node->childCount() ? 6 : 0;
  int left = rect.right() + 1 - indent;
  int cx = left + indent / 2;
  const bool hasNext = node->row() + 1 < node->parent()->childCount();
  const bool hasPrevious = node->row() > 0 || !node->parent()->isRoot();
  if (hasPrevious) painter->drawLine(cx, rect.top(), cx, midY - gap);
  if (hasNext) painter->drawLine(cx, midY + gap, cx, rect.bottom());
  painter->drawLine(cx + std::max(gap, 1), midY, left + indent - 2, midY);
  for (const RecordNode* a = node->parent(); a && !a->isRoot() && left > rect.left(); a = a->parent()) {
    left -= indent;
    cx = left + indent / 2;
    if (a->row() + 1 < a->parent()->childCount()) painter->drawLine(cx, rect.top(), cx, rect.bottom());
  }
  painter->restore();
}

}  // namespace orvela
