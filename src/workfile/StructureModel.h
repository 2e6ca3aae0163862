#pragma once
// The item model of the structure tree: a view over data().structure of one work file.
// An index's internal pointer is its RecordNode; nothing is copied, and nothing walks the
// tree to answer for one row. The commands here run as edits of the work file's editor
// (model/Edits.h); the model hears of every change of the structure, whoever made it
// (a command, undo or redo), and turns it into its row notifications.
#include <QAbstractItemModel>
#include <QByteArray>
#include <QHash>
#include <QPixmap>
#include <memory>
#include <optional>
#include <vector>

#include "model/EditObserver.h"
#include "model/ItemMarks.h"
#include "model/StructureCommands.h"
#include "platform/WorkFileContext.h"
#include "workfile/StructureMarks.h"

class QMimeData;

namespace orvela {

namespace platform {
class PendingCut;
}

class StructureModel : public QAbstractItemModel, private EditObserver {
  Q_OBJECT
 public:
  enum Role {
    ItemImageRole = Qt::UserRole + 1,  // int: 0 folder (has sub-items), 1 page
    StateImageRole,                    // int: 4 when the filter marks the item, else -1
    GreyedRole,                        // bool: the filter greys the item out
    CutRole,                           // bool: the item is cut and waits for its paste
  };
  enum class PasteMode { AsChild, AsSibling };

  explicit StructureModel(WorkFileContext& context, QObject* parent = nullptr);
  ~StructureModel() override;

  WorkFileContext& context() const { return context_; }
  RecordTree& tree() const { return context_.data().structure; }
  static RecordNode* nodeOf(const QModelIndex& index);
  QModelIndex indexOf(const RecordNode* node) const;

  QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  bool hasChildren(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  // Drag and drop inside this tree only: the drag data carries the model's own mark.
  Qt::DropActions supportedDragActions() const override { return Qt::MoveAction; }
  Qt::DropActions supportedDropActions() const override { return Qt::MoveAction; }
  QStringList mimeTypes() const override;
  QMimeData* mimeData(const QModelIndexList& indexes) const override;
  // Drop rows as Qt counts them: row -1 on a valid parent is "onto the item" (last
  // sub-item); row -1 without a parent is the empty space below the items (first
  // top-level item); otherwise in front of `row` of `parent`.
  bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                       const QModelIndex& parent) const override;
  bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                    const QModelIndex& parent) override;
  // A drag of `node` begins: the data to carry. finishDrag() when the drag is over.
  QMimeData* startDrag(RecordNode* node);
  void finishDrag() { dragged_ = nullptr; }
  RecordNode* draggedItem() const { return dragged_; }
  bool isOwnDrag(const QMimeData* data) const;

  // Display settings of the filter strip; each repaints the tree.
  void setFilter(FilterKind kind, FilterCriterion criterion);
  FilterKind filterKind() const { return kind_; }
  FilterCriterion filterCriterion() const { return criterion_; }
  void setShowOutline(bool show);
  bool showOutline() const { return showOutline_; }
  QString displayText(const RecordNode& node) const;

  // Commands, each one step of the work file's history.
  RecordNode* newItem(RecordNode* focused);
  RecordNode* newChildItem(RecordNode* focused);
  void deleteItem(RecordNode* node);
  // The item detail panel accepted or the item properties dialog was confirmed.
  void setItemRecord(RecordNode* node, FieldList record, const std::string& stepName);
  // Clipboard data of the item with its sub-items.
  QMimeData* copyData(const RecordNode* node) const;
  // The item becomes the pending cut; the returned data goes onto the clipboard.
  QMimeData* cutData(RecordNode* node);
  // Inserts the clipboard's items: moves a pending cut, else copies from the payloads.
  // Returns the inserted (or moved) top items; none when nothing was pasted.
  std::vector<RecordNode*> paste(const QMimeData* data, PasteMode mode, RecordNode* focused);
  // Moves an item with its sub-items; false when the place lies inside its own subtree.
  bool moveItem(RecordNode* node, const TreePosition& pos);

  // The data was replaced (a file was read): the views start afresh.
  void reload();

  // The cut item leaves this window for a paste of its copy in another one.
  void giveAway(RecordNode* node);

 signals:
  // Before an item leaves the tree (deleted or moved to another window).
  void itemAboutToBeRemoved(orvela::RecordNode* node);
  // A subtree came into the tree (pasted or moved here); its expanded flags want showing.
  void subtreeInserted(const QModelIndex& index);
  // IDs were renumbered.
  void renumbered();
  // The filter, the outline box or the cut look changed: every shown item wants repainting.
  void appearanceChanged();

 private:
  QModelIndex parentIndex(const RecordNode* parent) const;
  // The structure's changes, as the editor tells them.
  void nodeAboutToBeInserted(DataTree tree, RecordNode& parent, std::size_t row) override;
  void nodeInserted(DataTree tree, RecordNode& node) override;
  void nodeAboutToBeRemoved(DataTree tree, RecordNode& node) override;
  void nodeRemoved(DataTree tree, RecordNode& parent, std::size_t row) override;
  void nodeAboutToBeMoved(DataTree tree, RecordNode& node, RecordNode& newParent, std::size_t row) override;
  void nodeMoved(DataTree tree, RecordNode& node, RecordNode& oldParent) override;
  void recordChanged(DataTree tree, RecordNode& node) override;
  void itemsRenumbered() override;
  // Runs a command; the node it leaves focused, null when it did nothing.
  RecordNode* run(std::unique_ptr<EditCommand> command);
  void repaintAll(const QList<int>& roles);
  std::optional<TreePosition> dropPosition(int row, const QModelIndex& parent) const;
  void parentImageMayChange(const RecordNode* parent);
  QPixmap decoration(int itemImage, bool reserveState, bool marked, bool faded, const ItemMarks& marks) const;
  void fieldChanged(DataField field) override;
  // The risk definitions as the marks compare them, read again when their text changed.
  const RiskScale& riskScale() const;
  platform::PendingCut& cut() const { return cut_; }

  WorkFileContext& context_;
  // Held apart from the context, which may go before this model does.
  platform::PendingCut& cut_;
  FilterKind kind_ = FilterKind::None;
  FilterCriterion criterion_ = FilterCriterion::None;
  bool showOutline_ = false;
  RecordNode* dragged_ = nullptr;
  bool moving_ = false;  // Qt took the move announced last
  QByteArray dragMark_;
  mutable QHash<quint64, QPixmap> decorations_;
  mutable RiskScale risks_;
};

}  // namespace orvela
