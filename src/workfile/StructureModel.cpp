#include "workfile/StructureModel.h"

#include <QFont>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QPalette>
#include <QUuid>
#include <algorithm>

#include "model/Edits.h"
#include "platform/Cp1252Text.h"
#include "platform/PendingCut.h"
#include "platform/Services.h"
#include "workfile/StructureClipboard.h"
#include "workfile/StructureImages.h"

namespace orvela {

namespace {
constexpr char kDragMarkType[] = "application/x-orvela-structure-drag";
constexpr int kImageSize = 16;
constexpr int kStateGap = 2;
}  // namespace

StructureModel::StructureModel(WorkFileContext& context, QObject* parent)
    : QAbstractItemModel(parent),
      context_(context),
      cut_(context.services().pendingCut()),
      dragMark_(QUuid::createUuid().toByteArray()) {
  connect(&cut(), &platform::PendingCut::changed, this, [this](QObject* owner) {
    if (owner == this) repaintAll({Qt::FontRole, Qt::DecorationRole, CutRole});
  });
  context_.editor().addObserver(this);
}

StructureModel::~StructureModel() {
  context_.editor().removeObserver(this);
  cut().forgetOwner(this);
}

RecordNode* StructureModel::nodeOf(const QModelIndex& index) {
  return index.isValid() ? static_cast<RecordNode*>(index.internalPointer()) : nullptr;
}

QModelIndex StructureModel::indexOf(const RecordNode* node) const {
  if (!node || node->isRoot()) return {};
  return createIndex(int(node->row()), 0, const_cast<RecordNode*>(node));
}

QModelIndex StructureModel::parentIndex(const RecordNode* parent) const { return indexOf(parent); }

QModelIndex StructureModel::index(int row, int column, const QModelIndex& parent) const {
  if (column != 0 || row < 0) return {};
  const RecordNode* p = parent.isValid() ? nodeOf(parent) : &tree().root();
  if (std::size_t(row) >= p->childCount()) return {};
  return createIndex(row, 0, p->child(std::size_t(row)));
}

QModelIndex StructureModel::parent(const QModelIndex& child) const {
  const RecordNode* node = nodeOf(child);
  return node ? parentIndex(node->parent()) : QModelIndex();
}

int StructureModel::rowCount(const QModelIndex& parent) const {
  if (parent.column() > 0) return 0;
  const RecordNode* p = parent.isValid() ? nodeOf(parent) : &tree().root();
  return int(p->childCount());
}

int StructureModel::columnCount(const QModelIndex&) const { return 1; }

bool StructureModel::hasChildren(const QModelIndex& parent) const { return rowCount(parent) > 0; }

QString StructureModel::displayText(const RecordNode& node) const {
  return platform::FromCp1252(ItemDisplayText(node, showOutline_));
}

QVariant StructureModel::data(const QModelIndex& index, int role) const {
  const RecordNode* node = nodeOf(index);
  if (!node) return {};
  // The filter is evaluated for the one item being painted; there is no filtered copy.
  const bool matches = kind_ != FilterKind::None && MatchesFilter(node->record, criterion_);
  const bool marked = matches && kind_ == FilterKind::Mark;
  const bool greyed = matches && kind_ == FilterKind::Hide;
  const int itemImage = node->childCount() ? int(WorkfileImage::FolderOpen) : int(WorkfileImage::Page);
  switch (role) {
    case Qt::DisplayRole: return displayText(*node);
    case ItemImageRole: return itemImage;
    case StateImageRole: return marked ? int(WorkfileImage::Tick) : -1;
    case GreyedRole: return greyed;
    case CutRole: return cut().covers(this, node);
    case Qt::DecorationRole: {
      const bool reserve = kind_ == FilterKind::Mark && criterion_ != FilterCriterion::None;
      const ItemMarks marks = MarksOf({node->record, riskScale()});
      return decoration(itemImage, reserve, marked, greyed || cut().covers(this, node), marks);
    }
    case Qt::ToolTipRole: {
      // The whole name, also where the column cuts it, and what the marks stand for.
      const QString lines = MarkLines({node->record, riskScale()});
      return lines.isEmpty() ? displayText(*node) : displayText(*node) + QLatin1Char('\n') + lines;
    }
    case Qt::ForegroundRole:
      if (greyed) return QGuiApplication::palette().brush(QPalette::Disabled, QPalette::Text);
      return {};
    case Qt::FontRole:
      if (cut().covers(this, node)) {
        QFont font;
        font.setItalic(true);
        return font;
      }
      return {};
    default: return {};
  }
}

const RiskScale& StructureModel::riskScale() const {
  risks_.update(context_.data().riskDefs);
  return risks_;
}

void StructureModel::fieldChanged(DataField field) {
  if (field == DataField::RiskDefs) repaintAll({Qt::DecorationRole, Qt::ToolTipRole});
}

QPixmap StructureModel::decoration(int itemImage, bool reserveState, bool marked, bool faded,
                                   const ItemMarks& marks) const {
  const quint64 key = quint64(itemImage | (reserveState << 4) | (marked << 5) | (faded << 6)) | (MarksKey(marks) << 8);
  auto it = decorations_.constFind(key);
  if (it != decorations_.constEnd()) return *it;
  // The state image stands in front of the item image; while the marking filter is on every
  // item keeps the room for it, so the names stay aligned.
  const int x = reserveState ? kImageSize + kStateGap : 0;
  // The marks follow the item image.
  QPixmap pixmap(x + kImageSize + MarksWidth(), kImageSize);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  if (marked) painter.drawPixmap(0, 0, ilWorkfile(WorkfileImage::Tick));
  if (faded) painter.setOpacity(0.4);
  painter.drawPixmap(x, 0, ilWorkfile(static_cast<WorkfileImage>(itemImage)));
  DrawMarks(painter, QPoint(x + kImageSize, 0), marks);
  painter.end();
  decorations_.insert(key, pixmap);
  return pixmap;
}

Qt::ItemFlags StructureModel::flags(const QModelIndex& index) const {
  // The empty space below the items takes drops; names are never edited in the tree.
  if (!index.isValid()) return Qt::ItemIsDropEnabled;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled;
}

QStringList StructureModel::mimeTypes() const { return {QString::fromLatin1(kStructureMimeType)}; }

QMimeData* StructureModel::mimeData(const QModelIndexList& indexes) const {
  if (indexes.isEmpty() || !nodeOf(indexes.first())) return nullptr;
  return copyData(nodeOf(indexes.first()));
}

QMimeData* StructureModel::startDrag(RecordNode* node) {
  dragged_ = node;
  QMimeData* mime = copyData(node);
  mime->setData(QString::fromLatin1(kDragMarkType), dragMark_);
  return mime;
}

bool StructureModel::isOwnDrag(const QMimeData* data) const {
  return dragged_ && data && data->data(QString::fromLatin1(kDragMarkType)) == dragMark_;
}

std::optional<TreePosition> StructureModel::dropPosition(int row, const QModelIndex& parent) const {
  if (!dragged_) return std::nullopt;
  RecordNode* target = nodeOf(parent);
  TreePosition pos;
  if (row < 0) {
    pos = target ? TreePosition{target, target->childCount()} : TreePosition{&tree().root(), 0};
  } else {
    RecordNode* p = target ? target : &tree().root();
    pos = {p, std::min(std::size_t(row), p->childCount())};
  }
  if (!CanMoveTo(*dragged_, pos)) return std::nullopt;
  return pos;
}

bool StructureModel::canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                                     const QModelIndex& parent) const {
  return action == Qt::MoveAction && column <= 0 && isOwnDrag(data) && dropPosition(row, parent).has_value();
}

bool StructureModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                                  const QModelIndex& parent) {
  if (!canDropMimeData(data, action, row, column, parent)) return false;
  return moveItem(dragged_, *dropPosition(row, parent));
}

void StructureModel::setFilter(FilterKind kind, FilterCriterion criterion) {
  kind_ = kind;
  criterion_ = criterion;
  repaintAll({Qt::DecorationRole, Qt::ForegroundRole, ItemImageRole, StateImageRole, GreyedRole});
}

void StructureModel::setShowOutline(bool show) {
  showOutline_ = show;
  repaintAll({Qt::DisplayRole});
}

void StructureModel::repaintAll(const QList<int>& roles) {
  if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, 0), roles);
  emit appearanceChanged();
}

void StructureModel::parentImageMayChange(const RecordNode* parent) {
  // The folder and page pictures follow whether an item has sub-items.
  if (const QModelIndex idx = parentIndex(parent); idx.isValid())
    emit dataChanged(idx, idx, {Qt::DecorationRole, ItemImageRole});
}

void StructureModel::nodeAboutToBeInserted(DataTree tree, RecordNode& parent, std::size_t row) {
  if (tree == DataTree::Structure) beginInsertRows(parentIndex(&parent), int(row), int(row));
}

void StructureModel::nodeInserted(DataTree tree, RecordNode& node) {
  if (tree != DataTree::Structure) return;
  endInsertRows();
  if (node.parent()->childCount() == 1) parentImageMayChange(node.parent());
  emit subtreeInserted(indexOf(&node));
}

void StructureModel::nodeAboutToBeRemoved(DataTree tree, RecordNode& node) {
  if (tree != DataTree::Structure) return;
  emit itemAboutToBeRemoved(&node);
  cut().forgetWithin(this, &node);
  if (dragged_ && dragged_->isWithin(&node)) dragged_ = nullptr;
  beginRemoveRows(parentIndex(node.parent()), int(node.row()), int(node.row()));
}

void StructureModel::nodeRemoved(DataTree tree, RecordNode& parent, std::size_t) {
  if (tree != DataTree::Structure) return;
  endRemoveRows();
  if (parent.childCount() == 0) parentImageMayChange(&parent);
}

void StructureModel::nodeAboutToBeMoved(DataTree tree, RecordNode& node, RecordNode& newParent, std::size_t row) {
  if (tree != DataTree::Structure) return;
  moving_ = beginMoveRows(parentIndex(node.parent()), int(node.row()), int(node.row()), parentIndex(&newParent),
                          int(row));
  if (!moving_) beginResetModel();  // not a move Qt can show; the edit layer never sends one
}

void StructureModel::nodeMoved(DataTree tree, RecordNode& node, RecordNode& oldParent) {
  if (tree != DataTree::Structure) return;
  moving_ ? endMoveRows() : endResetModel();
  if (&oldParent != node.parent()) {
    parentImageMayChange(&oldParent);
    parentImageMayChange(node.parent());
  }
}

void StructureModel::recordChanged(DataTree tree, RecordNode& node) {
  if (tree != DataTree::Structure) return;
  const QModelIndex line = indexOf(&node);
  emit dataChanged(line, line);
}

void StructureModel::itemsRenumbered() { emit renumbered(); }

RecordNode* StructureModel::run(std::unique_ptr<EditCommand> command) {
  WorkFileEditor& editor = context_.editor();
  if (!editor.execute(std::move(command))) return nullptr;
  return editor.lastCommand()->focus().afterApply;
}

RecordNode* StructureModel::newItem(RecordNode* focused) { return run(edits::NewItem(focused)); }

RecordNode* StructureModel::newChildItem(RecordNode* focused) { return run(edits::NewChildItem(focused)); }

void StructureModel::deleteItem(RecordNode* node) {
  if (node) run(edits::DeleteItem(*node));
}

void StructureModel::setItemRecord(RecordNode* node, FieldList record, const std::string& stepName) {
  if (node) run(edits::SetItemRecord(*node, std::move(record), stepName));
}

void StructureModel::giveAway(RecordNode* node) {
  if (node) run(edits::GiveAwayItem(*node));
}

QMimeData* StructureModel::copyData(const RecordNode* node) const {
  return NewStructureMimeData({node}, showOutline_);
}

QMimeData* StructureModel::cutData(RecordNode* node) {
  QMimeData* mime = copyData(node);
  cut().set(this, node, mime);
  run(edits::CutItem(*node));
  return mime;
}

bool StructureModel::moveItem(RecordNode* node, const TreePosition& pos) {
  if (!node || !CanMoveTo(*node, pos)) return false;
  run(edits::DropItem(*node, pos));
  return true;
}

std::vector<RecordNode*> StructureModel::paste(const QMimeData* data, PasteMode mode, RecordNode* focused) {
  if (!HasStructureData(data)) return {};
  const TreePosition pos = mode == PasteMode::AsChild ? PasteAsChildPosition(tree(), focused)
                                                      : PasteAsSiblingPosition(tree(), focused);
  const std::optional<platform::PendingCut::Item> waiting = cut().match(data);
  if (auto* from = waiting ? qobject_cast<StructureModel*>(waiting->owner) : nullptr) {
    if (from == this) {
      if (!CanMoveTo(*waiting->node, pos)) return {};  // never into the cut item's own subtree
      cut().clear();
      run(edits::PasteCutItem(*waiting->node, pos));
      return {waiting->node};
    }
    // From another window: it gives the item up as a step of its own history, and this
    // one inserts the same records. The giving window keeps the item itself, so that its
    // earlier steps, which may point into it, can still be undone there.
    cut().clear();
    std::vector<std::unique_ptr<RecordNode>> items;
    items.push_back(CloneSubtree(*waiting->node));
    from->giveAway(waiting->node);
    RecordNode* inserted = run(edits::PasteItems(pos, std::move(items)));
    return {inserted};
  }
  std::optional<std::vector<std::unique_ptr<RecordNode>>> items = StructureItemsOf(data);
  if (!items || items->empty()) return {};  // unreadable data changes nothing
  const std::size_t count = items->size();
  RecordNode* first = run(edits::PasteItems(pos, std::move(*items)));
  std::vector<RecordNode*> inserted;
  if (first)
    for (std::size_t i = 0; i < count; ++i) inserted.push_back(first->parent()->child(first->row() + i));
  return inserted;
}

void StructureModel::reload() {
  cut().forgetOwner(this);
  beginResetModel();
  dragged_ = nullptr;
  endResetModel();
}

}  // namespace orvela
