#pragma once
// The findings of one item as the tab "Feststellungen" shows them: the list vtFindings
// and its five buttons. The panel and the item properties dialog each hold one; they
// differ in the new record, the button names, the enabling of the buttons, in-place
// editing, and in that the panel reports every change (its pending edits).
#include <QWidget>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "model/FieldList.h"

class QTableView;
class QToolButton;

namespace orvela {

namespace platform {
class RecordListModel;
class Services;
}

class FindingsPage : public QWidget {
  Q_OBJECT
 public:
  enum class Mode { Panel, Dialog };
  // The source lists of the finding dialog: the item's unit and document list entries.
  struct Sources {
    std::vector<std::string> units, documents;
  };

  FindingsPage(platform::Services& services, Mode mode, std::function<Sources()> sources,
               std::function<std::string()> riskDefs, QWidget* parent = nullptr);

  // The list starts afresh with these findings; nothing selected or focused.
  void setFindings(std::vector<FieldList> findings);
  const std::vector<FieldList>& findings() const { return rows_; }
  QTableView* view() const { return vtFindings_; }

  void acNewFindItem();
  void acDelFindItem();
  void acFindUp();
  void acFindDown();
  void acEditFinding();

 signals:
  // Panel only: the list changed (also when an operation found nothing to do).
  void changed();

 private:
  std::optional<int> focusedRow() const;
  std::optional<int> selectedRow() const;
  void focusRow(int row);
  void updateButtons();
  void notify();

  platform::Services& services_;
  Mode mode_;
  std::function<Sources()> sources_;
  std::function<std::string()> riskDefs_;
  std::vector<FieldList> rows_;
  platform::RecordListModel* model_;
  QTableView* vtFindings_;
  QToolButton* newBtn_;
  QToolButton* delBtn_;
  QToolButton* upBtn_;
  QToolButton* downBtn_;
  QToolButton* editBtn_;
};

}  // namespace orvela
