#pragma once
// Table model of the overdue findings on the overview tab (lvOverdueFindings): a view over
// the list the overview page counted last.
#include <QAbstractTableModel>
#include <vector>

#include "model/AuditOverview.h"

namespace orvela {

class OverdueFindingsModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  enum Column { Deadline, ItemId, Item, Finding, Risk, ColumnCount };

  OverdueFindingsModel(const std::vector<OverdueFinding>& rows, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // The owner replaces the rows between these two calls.
  void beginRebuild() { beginResetModel(); }
  void endRebuild() { endResetModel(); }

 private:
  const std::vector<OverdueFinding>& rows_;
};

}  // namespace orvela
