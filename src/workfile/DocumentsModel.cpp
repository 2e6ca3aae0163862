#include "workfile/DocumentsModel.h"

#include <QMimeData>
#include <QStringList>
#include <algorithm>
#include <array>

#include "model/Edits.h"
#include "model/srcGlobalDef.h"
#include "platform/Cp1252Text.h"
#include "platform/WorkFileContext.h"

namespace orvela {

namespace {

struct ColumnInfo {
  const char* title;
  int width;
};

constexpr std::array<ColumnInfo, DocumentsModel::ColumnCount> kColumns{{
    {"#", 38},
    {"Name", 250},
    {"Typ", 100},
    {"Referenz", 150},
    {"ID", 0},
}};

}  // namespace

int DocumentsModel::columnWidth(int column) {
  return column >= 0 && column < ColumnCount ? kColumns[static_cast<std::size_t>(column)].width : 0;
}

QString DocumentsModel::mimeType() { return QStringLiteral("application/x-orvela-wp-document"); }

DocumentsModel::DocumentsModel(WorkFileContext& context, QObject* parent)
    : QAbstractItemModel(parent), context_(context) {
  context_.editor().addObserver(this);
}

DocumentsModel::~DocumentsModel() { context_.editor().removeObserver(this); }

RecordTree& DocumentsModel::documents() const { return context_.data().documents; }

RecordNode* DocumentsModel::node(const QModelIndex& index) const {
  if (!index.isValid() || index.model() != this) return nullptr;
  return static_cast<RecordNode*>(index.internalPointer());
}

RecordNode* DocumentsModel::nodeOrRoot(const QModelIndex& index) const {
  RecordNode* n = node(index);
  return n ? n : &documents().root();
}

QModelIndex DocumentsModel::indexOf(const RecordNode* n, int column) const {
  if (!n || n->isRoot()) return {};
  return createIndex(static_cast<int>(n->row()), column, const_cast<RecordNode*>(n));
}

QModelIndex DocumentsModel::index(int row, int column, const QModelIndex& parent) const {
  if (row < 0 || column < 0 || column >= ColumnCount || (parent.isValid() && parent.model() != this)) return {};
  const RecordNode* p = nodeOrRoot(parent);
  if (static_cast<std::size_t>(row) >= p->childCount()) return {};
  return createIndex(row, column, p->child(static_cast<std::size_t>(row)));
}

QModelIndex DocumentsModel::parent(const QModelIndex& index) const {
  const RecordNode* n = node(index);
  return n ? indexOf(n->parent()) : QModelIndex();
}

int DocumentsModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid() && parent.column() != 0) return 0;
  return static_cast<int>(nodeOrRoot(parent)->childCount());
}

int DocumentsModel::columnCount(const QModelIndex&) const { return ColumnCount; }

int DocumentsModel::position(const RecordNode* n) const {
  if (!positionsValid_) {
    positions_.clear();
    int counter = 0;
    documents().forEach([&](const RecordNode& document) { positions_.insert(&document, ++counter); });
    positionsValid_ = true;
  }
  return positions_.value(n, 0);
}

void DocumentsModel::invalidatePositions() { positionsValid_ = false; }

QVariant DocumentsModel::data(const QModelIndex& index, int role) const {
  const RecordNode* n = node(index);
  if (!n) return {};
  const FieldList& record = n->record;
  if (role == Qt::DisplayRole || role == Qt::EditRole) {
    switch (index.column()) {
      case PositionColumn:
        return QString::number(position(n));
      case NameColumn:
        return platform::FromCp1252(record.value(key::NAME));
      case TypeColumn:
        return platform::FromCp1252(DocTypeDisplayText(DocTypeIndex(record.value(key::TYPE))));
      case ReferenceColumn:
        return platform::FromCp1252(record.value(key::REFERENCE));
      case IdColumn:
        return platform::FromCp1252(record.value(key::ID));
      default:
        return {};
    }
  }
  if (role == Qt::ToolTipRole && index.column() == ReferenceColumn) {
    return platform::FromCp1252(record.value(key::REFERENCE));
  }
  return {};
}

QVariant DocumentsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount) return {};
  return QString::fromUtf8(kColumns[static_cast<std::size_t>(section)].title);
}

Qt::ItemFlags DocumentsModel::flags(const QModelIndex& index) const {
  if (!node(index)) return Qt::ItemIsDropEnabled;  // the empty space below the rows
  Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled;
  if (index.column() == NameColumn) f |= Qt::ItemIsEditable;
  return f;
}

bool DocumentsModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  RecordNode* n = node(index);
  if (!n || role != Qt::EditRole || index.column() != NameColumn) return false;
  const std::optional<std::string> name = platform::ToCp1252(value.toString());
  if (!name) return false;
  if (*name == n->record.value(key::NAME)) return true;
  run(edits::RenameDocument(*n, *name));
  return true;
}

Qt::DropActions DocumentsModel::supportedDragActions() const { return Qt::MoveAction; }

Qt::DropActions DocumentsModel::supportedDropActions() const { return Qt::MoveAction; }

QStringList DocumentsModel::mimeTypes() const { return {mimeType()}; }

QMimeData* DocumentsModel::mimeData(const QModelIndexList& indexes) const {
  const RecordNode* dragged = indexes.isEmpty() ? nullptr : node(indexes.first());
  if (!dragged) return nullptr;
  // Which model, then the rows from the top level down to the dragged document.
  QStringList path;
  for (const RecordNode* n = dragged; !n->isRoot(); n = n->parent()) path.prepend(QString::number(n->row()));
  auto* data = new QMimeData;
  data->setData(mimeType(), QString::number(reinterpret_cast<quintptr>(this)).append(u';').append(path.join(u'/')).toLatin1());
  return data;
}

RecordNode* DocumentsModel::draggedNode(const QMimeData* data) const {
  if (!data || !data->hasFormat(mimeType())) return nullptr;
  const QStringList parts = QString::fromLatin1(data->data(mimeType())).split(u';');
  if (parts.size() != 2 || parts[0] != QString::number(reinterpret_cast<quintptr>(this))) return nullptr;
  RecordNode* n = &documents().root();
  for (const QString& step : parts[1].split(u'/')) {
    bool ok = false;
    const qulonglong row = step.toULongLong(&ok);
    if (!ok || row >= n->childCount()) return nullptr;
    n = n->child(static_cast<std::size_t>(row));
  }
  return n->isRoot() ? nullptr : n;
}

DocumentPlace DocumentsModel::placeFor(int row, const QModelIndex& parent) const {
  RecordNode* target = node(parent);
  if (row < 0) return DropPlace(documents(), target, target ? DropPosition::OnRow : DropPosition::EmptySpace);
  RecordNode* p = nodeOrRoot(parent);
  return {p, std::min(static_cast<std::size_t>(row), p->childCount())};
}

bool DocumentsModel::canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int,
                                     const QModelIndex& parent) const {
  const RecordNode* dragged = draggedNode(data);
  return action == Qt::MoveAction && dragged && CheckMove(dragged, placeFor(row, parent)) == MoveResult::Moved;
}

bool DocumentsModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int,
                                  const QModelIndex& parent) {
  RecordNode* dragged = draggedNode(data);
  if (action != Qt::MoveAction || !dragged) return false;
  return moveDocument(indexOf(dragged), placeFor(row, parent)) == MoveResult::Moved;
}

MoveResult DocumentsModel::moveDocument(const QModelIndex& document, const DocumentPlace& place) {
  RecordNode* dragged = node(document);
  const MoveResult check = CheckMove(dragged, place);
  if (check != MoveResult::Moved) return check;
  return run(edits::MoveDocument(*dragged, place)) ? MoveResult::Moved : MoveResult::Refused;
}

bool DocumentsModel::hasNesting() const {
  for (const auto& top : documents().root().children()) {
    if (top->childCount() > 0) return true;
  }
  return false;
}

QModelIndex DocumentsModel::addDocument(const QModelIndex& focused) {
  return indexOf(run(edits::NewDocument(node(focused))));
}

void DocumentsModel::deleteDocument(const QModelIndex& index) {
  if (RecordNode* n = node(index)) run(edits::DeleteDocument(*n));
}

void DocumentsModel::applyEdit(const QModelIndex& index, const DocumentEdit& edit) {
  if (RecordNode* n = node(index)) run(edits::EditDocument(*n, edit));
}

RecordNode* DocumentsModel::run(std::unique_ptr<EditCommand> command) {
  WorkFileEditor& editor = context_.editor();
  if (!editor.execute(std::move(command))) return nullptr;
  return editor.lastCommand()->focus().afterApply;
}

void DocumentsModel::nodeAboutToBeInserted(DataTree tree, RecordNode& parent, std::size_t row) {
  if (tree == DataTree::Documents) beginInsertRows(indexOf(&parent), int(row), int(row));
}

void DocumentsModel::nodeInserted(DataTree tree, RecordNode&) {
  if (tree != DataTree::Documents) return;
  invalidatePositions();
  endInsertRows();
}

void DocumentsModel::nodeAboutToBeRemoved(DataTree tree, RecordNode& n) {
  if (tree == DataTree::Documents) beginRemoveRows(indexOf(n.parent()), int(n.row()), int(n.row()));
}

void DocumentsModel::nodeRemoved(DataTree tree, RecordNode&, std::size_t) {
  if (tree != DataTree::Documents) return;
  invalidatePositions();
  endRemoveRows();
}

void DocumentsModel::nodeAboutToBeMoved(DataTree tree, RecordNode& n, RecordNode& newParent, std::size_t row) {
  if (tree != DataTree::Documents) return;
  moving_ = beginMoveRows(indexOf(n.parent()), int(n.row()), int(n.row()), indexOf(&newParent), int(row));
  if (!moving_) beginResetModel();  // not a move Qt can show; the edit layer never sends one
}

void DocumentsModel::nodeMoved(DataTree tree, RecordNode&, RecordNode&) {
  if (tree != DataTree::Documents) return;
  invalidatePositions();
  moving_ ? endMoveRows() : endResetModel();
}

void DocumentsModel::recordChanged(DataTree tree, RecordNode& n) {
  if (tree == DataTree::Documents) emit dataChanged(indexOf(&n, 0), indexOf(&n, ColumnCount - 1));
}

void DocumentsModel::reload() {
  beginResetModel();
  invalidatePositions();
  endResetModel();
}

}  // namespace orvela
