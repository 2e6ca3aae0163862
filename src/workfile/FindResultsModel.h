#pragma once
// The list lvFindResults of the find bar: one row per hit, "Fundstelle" (where the hit is,
// said as the user knows the place) and "Text" (the text around it). A view over the hits
// of the last search; it reads the places from the work-file data as it paints.
#include <QAbstractTableModel>

#include "model/WorkFileSearch.h"

namespace orvela {

class StructureModel;

class FindResultsModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  enum Column { Place = 0, Text = 1 };
  // The text column: where the hit stands in the shown text, as QPoint(start, length).
  static constexpr int HitRangeRole = Qt::UserRole + 1;
  // Items the filter greys out say so; the structure model knows the filter.
  explicit FindResultsModel(const StructureModel& structure, QObject* parent = nullptr);

  // The hits of a search for a text of `length` characters.
  void setResult(FindResult result, std::size_t length);
  const FindResult& result() const { return result_; }
  const FindHit* hit(int row) const;
  // True when the hit lies in an item (or an item's finding) that the filter greys out.
  bool filteredOut(const FindHit& hit) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

  // The filter changed: the place column says anew what is greyed out.
  void filterChanged();

 private:
  QString placeText(const FindHit& hit) const;

  const StructureModel& structure_;
  FindResult result_;
  std::size_t length_ = 0;
};

// "1.2 Planung", the outline number and name of an item as the results list names it.
QString FindItemText(const RecordNode& item);

}  // namespace orvela
