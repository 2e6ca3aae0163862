#include "workfile/FindingsOverviewModel.h"

#include "platform/Cp1252Text.h"

namespace orvela {

FindingsOverviewModel::FindingsOverviewModel(const std::vector<FindingRow>& rows, QObject* parent)
    : QAbstractTableModel(parent), rows_(rows) {}

int FindingsOverviewModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : int(rows_.size());
}

int FindingsOverviewModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : int(kFindingColumnCount);
}

QVariant FindingsOverviewModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || std::size_t(index.row()) >= rows_.size()) return {};
  const std::string& cell = rows_[std::size_t(index.row())][std::size_t(index.column())];
  switch (role) {
    case Qt::DisplayRole: {
      // A list row is one line high; line breaks of a description show as blanks there
      // and in full in the tooltip.
      QString text = platform::FromCp1252(cell);
      text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
      text.replace(QChar('\r'), QChar(' ')).replace(QChar('\n'), QChar(' '));
      return text;
    }
    case Qt::ToolTipRole:
      return cell.empty() ? QVariant() : QVariant(platform::FromCp1252(cell));
    case kRowRole:
      return index.row();
    default:
      return {};
  }
}

QVariant FindingsOverviewModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= int(kFindingColumnCount)) return {};
  if (role != Qt::DisplayRole) return {};
  const std::string_view caption = kFindingColumns[std::size_t(section)].caption;
  return QString::fromUtf8(caption.data(), qsizetype(caption.size()));
}

}  // namespace orvela
