#pragma once
// The item model of the documents register: a view over WorkFileData::documents. Each
// index carries its RecordNode; nothing is copied. The changes below run as edits of the
// work file's editor (model/Edits.h); the model hears of every change of the register,
// undo and redo included, and sends the matching notifications.
#include <QAbstractItemModel>
#include <QHash>
#include <vector>

#include "model/DocumentsRegister.h"
#include "model/EditObserver.h"

namespace orvela {

class WorkFileContext;

class DocumentsModel : public QAbstractItemModel, private EditObserver {
  Q_OBJECT
 public:
  enum Column { PositionColumn, NameColumn, TypeColumn, ReferenceColumn, IdColumn, ColumnCount };
  // Initial widths of the columns; 0 leaves the header's default.
  static int columnWidth(int column);
  // The drag payload, understood only by the model that made it.
  static QString mimeType();

  explicit DocumentsModel(WorkFileContext& context, QObject* parent = nullptr);
  ~DocumentsModel() override;

  QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
  QModelIndex parent(const QModelIndex& index) const override;
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // The name column only. False, with nothing changed, for a text that Windows-1252
  // cannot hold.
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

  Qt::DropActions supportedDragActions() const override;
  Qt::DropActions supportedDropActions() const override;
  QStringList mimeTypes() const override;
  QMimeData* mimeData(const QModelIndexList& indexes) const override;
  // A row of -1 with a valid parent is a drop onto that document; with an invalid parent,
  // a drop on the empty space below the rows.
  bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                       const QModelIndex& parent) const override;
  bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                    const QModelIndex& parent) override;

  RecordNode* node(const QModelIndex& index) const;
  QModelIndex indexOf(const RecordNode* node, int column = 0) const;
  // True when some document has documents nested in it.
  bool hasNesting() const;

  // A new document after `focused` (at the end of the top level when invalid); its index.
  QModelIndex addDocument(const QModelIndex& focused);
  void deleteDocument(const QModelIndex& index);
  void applyEdit(const QModelIndex& index, const DocumentEdit& edit);
  MoveResult moveDocument(const QModelIndex& document, const DocumentPlace& place);
  // After the register was replaced behind the model's back (a file was loaded).
  void reload();

 private:
  void nodeAboutToBeInserted(DataTree tree, RecordNode& parent, std::size_t row) override;
  void nodeInserted(DataTree tree, RecordNode& node) override;
  void nodeAboutToBeRemoved(DataTree tree, RecordNode& node) override;
  void nodeRemoved(DataTree tree, RecordNode& parent, std::size_t row) override;
  void nodeAboutToBeMoved(DataTree tree, RecordNode& node, RecordNode& newParent, std::size_t row) override;
  void nodeMoved(DataTree tree, RecordNode& node, RecordNode& oldParent) override;
  void recordChanged(DataTree tree, RecordNode& node) override;
  // Runs a command; the document it leaves focused, null when it did nothing.
  RecordNode* run(std::unique_ptr<EditCommand> command);

  RecordTree& documents() const;
  RecordNode* nodeOrRoot(const QModelIndex& index) const;
  RecordNode* draggedNode(const QMimeData* data) const;
  DocumentPlace placeFor(int row, const QModelIndex& parent) const;
  int position(const RecordNode* node) const;
  void invalidatePositions();

  WorkFileContext& context_;
  // Register-order positions, rebuilt on demand after a structural change.
  mutable QHash<const RecordNode*, int> positions_;
  mutable bool positionsValid_ = false;
  bool moving_ = false;  // Qt took the move announced last
};

}  // namespace orvela
