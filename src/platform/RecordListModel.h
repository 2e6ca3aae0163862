#pragma once
// The item model behind every flat record grid of the program (definition lists, findings
// lists): a view over a std::vector<orvela::FieldList> that the window or dialog owns and
// that outlives the model. Each row is one record, in vector order; nothing is copied.
//
// The columns come from a table given at construction. A position column shows the row's
// position counted from 1 (the grids' "#" column); a field column shows one field of the
// record (or a text computed from the record) and may be edited in place. Texts are
// converted between the records' Windows-1252 bytes and Qt through model/Cp1252.h; an edit
// holding a character that Windows-1252 cannot hold is refused (setData returns false and
// the record stays as it was), never stored with the character dropped.
//
// Structural changes made by the GUI go through the methods below, which call the list
// operations of model/srcGlobalProc.h and send the matching begin/end notifications, so
// attached views stay consistent without resets. Code that changes the vector behind the
// model's back must call reset() afterwards.
#include <QAbstractTableModel>
#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "model/FieldList.h"

namespace orvela::platform {

struct RecordColumn {
  enum class Kind { Position, Field };

  Kind kind = Kind::Field;
  QString caption;
  int width = 100;         // initial width in pixels; the view sets it on its header
  std::string key;         // Field: the record key shown and edited
  bool editable = false;   // Field: in-place editing writes the text to `key`
  // Field, optional: the shown text computed from the record (Windows-1252) instead of
  // the plain value of `key`; editing still writes `key`.
  std::function<std::string(const FieldList&)> text;

  static RecordColumn position(int width, QString caption = QStringLiteral("#"));
  static RecordColumn field(QString caption, int width, std::string key, bool editable = false);
};

class RecordListModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  RecordListModel(std::vector<FieldList>& rows, std::vector<RecordColumn> columns,
                  QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // EditRole on an editable field column. False, with nothing changed, for a text that
  // Windows-1252 cannot hold.
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

  const std::vector<RecordColumn>& columns() const { return columns_; }
  const FieldList& record(int row) const { return rows_.at(static_cast<std::size_t>(row)); }
  // Writes one field of a row's record (Windows-1252 value; empty removes the line) and
  // tells the views.
  void setField(int row, std::string_view key, std::string_view value);

  // The list commands. `focused` is the row that has the focus, if any; each returns the
  // row that has the focus afterwards.
  // A new ITEM=/VALUE= entry directly after the focused row, or at the end.
  int addDefEntry(std::optional<int> focused);
  // The first row stays where it is.
  std::optional<int> moveUp(std::optional<int> focused);
  // The last row moves to the top.
  std::optional<int> moveDown(std::optional<int> focused);
  // Inserts `record` directly after the focused row, or at the end; returns its row.
  int insertRecord(std::optional<int> focused, FieldList record);
  // Replaces a row's whole record (a dialog edited a copy of it) and tells the views.
  void setRecord(int row, FieldList record);
  // Removes one row with its record; false for a row that does not exist.
  bool removeRecord(int row);

  // After the vector was changed without going through this model.
  void reset();

 private:
  void positionsChangedFrom(int row);

  std::vector<FieldList>& rows_;
  std::vector<RecordColumn> columns_;
};

}  // namespace orvela::platform
