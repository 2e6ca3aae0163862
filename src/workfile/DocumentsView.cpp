#include "workfile/DocumentsView.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>

#include "workfile/DocumentsModel.h"

namespace orvela {

DocumentsView::DocumentsView(QWidget* parent) : QTreeView(parent) {
  setObjectName(QStringLiteral("vtDocuments"));
  setSelectionBehavior(SelectRows);
  setSelectionMode(SingleSelection);
  setUniformRowHeights(true);
  setAllColumnsShowFocus(true);
  setEditTriggers(SelectedClicked | EditKeyPressed);
  setDragEnabled(true);
  setAcceptDrops(true);
  setDropIndicatorShown(true);
  setDragDropMode(InternalMove);
  setDefaultDropAction(Qt::MoveAction);
  setAutoExpandDelay(700);  // hovering over a collapsed document opens its nesting
  // Tree lines and indentation go into the name column, so that the narrow "#" column
  // keeps its numbers readable at every level.
  setTreePosition(DocumentsModel::NameColumn);
  header()->setSectionsMovable(true);
  header()->setStretchLastSection(true);
}

bool DocumentsView::fromHere(const QDropEvent* event) const {
  return event->source() == this && event->mimeData()->hasFormat(DocumentsModel::mimeType());
}

void DocumentsView::startDrag(Qt::DropActions) {
  const QModelIndexList rows = selectionModel() ? selectionModel()->selectedRows() : QModelIndexList();
  if (rows.isEmpty() || !model()) return;
  QMimeData* data = model()->mimeData(rows);
  if (!data) return;
  auto* drag = new QDrag(this);
  drag->setMimeData(data);
  drag->exec(Qt::MoveAction, Qt::MoveAction);
}

void DocumentsView::dragEnterEvent(QDragEnterEvent* event) {
  if (!fromHere(event)) {
    event->ignore();
    return;
  }
  QTreeView::dragEnterEvent(event);
}

void DocumentsView::dragMoveEvent(QDragMoveEvent* event) {
  if (!fromHere(event)) {
    event->ignore();
    return;
  }
  QTreeView::dragMoveEvent(event);
}

void DocumentsView::dropEvent(QDropEvent* event) {
  if (!fromHere(event)) {
    event->ignore();
    return;
  }
  QTreeView::dropEvent(event);
}

bool DocumentsView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
  if (trigger == EditKeyPressed && index.isValid() && index.column() != DocumentsModel::NameColumn) {
    return QTreeView::edit(index.siblingAtColumn(DocumentsModel::NameColumn), trigger, event);
  }
  return QTreeView::edit(index, trigger, event);
}

void DocumentsView::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (enter && state() != EditingState && currentIndex().isValid()) {
    emit propertiesRequested(currentIndex());
    return;
  }
  QTreeView::keyPressEvent(event);
}

}  // namespace orvela
