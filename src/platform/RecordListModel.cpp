#include "platform/RecordListModel.h"

#include "model/srcGlobalProc.h"
#include "platform/Cp1252Text.h"

namespace orvela::platform {

RecordColumn RecordColumn::position(int width, QString caption) {
  RecordColumn c;
  c.kind = Kind::Position;
  c.caption = std::move(caption);
  c.width = width;
  return c;
}

RecordColumn RecordColumn::field(QString caption, int width, std::string key, bool editable) {
  RecordColumn c;
  c.caption = std::move(caption);
  c.width = width;
  c.key = std::move(key);
  c.editable = editable;
  return c;
}

RecordListModel::RecordListModel(std::vector<FieldList>& rows, std::vector<RecordColumn> columns, QObject* parent)
    : QAbstractTableModel(parent), rows_(rows), columns_(std::move(columns)) {}

int RecordListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int RecordListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant RecordListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) return {};
  if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
  const RecordColumn& column = columns_[static_cast<std::size_t>(index.column())];
  if (column.kind == RecordColumn::Kind::Position) return QString::number(index.row() + 1);
  const FieldList& rec = record(index.row());
  // The editor starts from the stored value, also where the grid shows a computed text.
  if (role == Qt::EditRole || !column.text) return FromCp1252(rec.value(column.key));
  return FromCp1252(column.text(rec));
}

QVariant RecordListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
  const RecordColumn& column = columns_[static_cast<std::size_t>(section)];
  // No size hint: the header measures its captions with the font in use. The initial
  // widths are the views' to set (columns()).
  return role == Qt::DisplayRole ? QVariant(column.caption) : QVariant();
}

Qt::ItemFlags RecordListModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
  const RecordColumn& column = columns_[static_cast<std::size_t>(index.column())];
  if (column.kind == RecordColumn::Kind::Field && column.editable) f |= Qt::ItemIsEditable;
  return f;
}

bool RecordListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable)) return false;
  const auto bytes = ToCp1252(value.toString());
  if (!bytes) return false;
  setField(index.row(), columns_[static_cast<std::size_t>(index.column())].key, *bytes);
  return true;
}

void RecordListModel::setField(int row, std::string_view key, std::string_view value) {
  if (row < 0 || row >= rowCount()) return;
  rows_[static_cast<std::size_t>(row)].setValue(key, value);
  // A computed column may depend on any field, so the whole row is told.
  emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

int RecordListModel::addDefEntry(std::optional<int> focused) {
  Focus focus;
  if (focused && *focused >= 0 && *focused < rowCount()) focus = static_cast<std::size_t>(*focused);
  const int row = focus ? static_cast<int>(*focus) + 1 : rowCount();
  beginInsertRows({}, row, row);
  AddDefEntry(rows_, focus);
  endInsertRows();
  positionsChangedFrom(row + 1);
  return static_cast<int>(*focus);
}

std::optional<int> RecordListModel::moveUp(std::optional<int> focused) {
  if (!focused || *focused < 0 || *focused >= rowCount()) return focused;
  const int row = *focused;
  if (row == 0) return row;
  Focus focus = static_cast<std::size_t>(row);
  beginMoveRows({}, row, row, {}, row - 1);
  MoveEntryUp(rows_, focus);
  endMoveRows();
  positionsChangedFrom(row - 1);
  return static_cast<int>(*focus);
}

std::optional<int> RecordListModel::moveDown(std::optional<int> focused) {
  if (!focused || *focused < 0 || *focused >= rowCount()) return focused;
  const int row = *focused;
  const bool wraps = row + 1 == rowCount();
  if (wraps && row == 0) return row;  // a single row has nowhere to go
  Focus focus = static_cast<std::size_t>(row);
  // Qt names the destination as the row before which the moved row lands.
  if (wraps)
    beginMoveRows({}, row, row, {}, 0);
  else
    beginMoveRows({}, row, row, {}, row + 2);
  MoveEntryDown(rows_, focus);
  endMoveRows();
  positionsChangedFrom(wraps ? 0 : row);
  return static_cast<int>(*focus);
}

int RecordListModel::insertRecord(std::optional<int> focused, FieldList record) {
  const int row = focused && *focused >= 0 && *focused < rowCount() ? *focused + 1 : rowCount();
  beginInsertRows({}, row, row);
  rows_.insert(rows_.begin() + row, std::move(record));
  endInsertRows();
  positionsChangedFrom(row + 1);
  return row;
}

void RecordListModel::setRecord(int row, FieldList record) {
  if (row < 0 || row >= rowCount()) return;
  rows_[static_cast<std::size_t>(row)] = std::move(record);
  emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

bool RecordListModel::removeRecord(int row) {
  if (row < 0 || row >= rowCount()) return false;
  beginRemoveRows({}, row, row);
  rows_.erase(rows_.begin() + row);
  endRemoveRows();
  positionsChangedFrom(row);
  return true;
}

void RecordListModel::reset() {
  beginResetModel();
  endResetModel();
}

void RecordListModel::positionsChangedFrom(int row) {
  // The "#" texts of the rows from `row` on are new although their records are not.
  if (row >= rowCount()) return;
  for (int c = 0; c < columnCount(); ++c) {
    if (columns_[static_cast<std::size_t>(c)].kind == RecordColumn::Kind::Position)
      emit dataChanged(index(row, c), index(rowCount() - 1, c), {Qt::DisplayRole});
  }
}

}  // namespace orvela::platform
