#include "workfile/OverdueFindingsModel.h"

#include "platform/Cp1252Text.h"

namespace orvela {

OverdueFindingsModel::OverdueFindingsModel(const std::vector<OverdueFinding>& rows, QObject* parent)
    : QAbstractTableModel(parent), rows_(rows) {}

int OverdueFindingsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : int(rows_.size());
}

int OverdueFindingsModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant OverdueFindingsModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || std::size_t(index.row()) >= rows_.size()) return {};
  if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
  const OverdueFinding& row = rows_[std::size_t(index.row())];
  switch (index.column()) {
    case Deadline: return QString::fromStdString(ShortDateText(row.deadline));
    case ItemId: return platform::FromCp1252(row.itemId);
    case Item: return platform::FromCp1252(row.itemName);
    case Finding: return platform::FromCp1252(row.name);
    case Risk: return platform::FromCp1252(row.risk);
    default: return {};
  }
}

QVariant OverdueFindingsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  static const char* const kCaptions[ColumnCount] = {"Termin", "Objekt ID", "Element", "Feststellung", "Risiko"};
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount) return {};
  return QString::fromUtf8(kCaptions[section]);
}

}  // namespace orvela
