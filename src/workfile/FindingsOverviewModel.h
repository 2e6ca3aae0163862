#pragma once
// Table model of the findings overview (lvRepFindings): a view over the rows the overview
// page holds. The rows are the page's snapshot; the model only reads them.
#include <QAbstractTableModel>
#include <vector>

#include "reports/engine/FindingsOverview.h"

namespace orvela {

class FindingsOverviewModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  // The position of a row in the page's rows, so that whoever shows the rows sorted or
  // filtered still finds the row behind each line.
  static constexpr int kRowRole = Qt::UserRole + 1;

  FindingsOverviewModel(const std::vector<FindingRow>& rows, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // The owner replaces the rows between these two calls.
  void beginRebuild() { beginResetModel(); }
  void endRebuild() { endResetModel(); }

 private:
  const std::vector<FindingRow>& rows_;
};

}  // namespace orvela
