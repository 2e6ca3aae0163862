#pragma once
// The tab "Feststellungen": every finding of every structure item in one list,
// lvRepFindings. The rows are a snapshot of the item records, taken when the tab is
// entered and before every report; a double-click leads to the item on the structure tab.
#include <QWidget>
#include <vector>

#include "reports/engine/FindingsOverview.h"
#include "platform/WorkFileContext.h"

class QAction;
class QCheckBox;
class QComboBox;
class QPushButton;
class QTableView;

namespace orvela {

class FindingsOverviewModel;
class StructurePage;

class FindingsOverviewPage : public QWidget {
  Q_OBJECT
 public:
  FindingsOverviewPage(WorkFileContext& context, StructurePage& structure, QWidget* parent = nullptr);

  // Rebuilds the rows from the item records as they are now.
  void FillFindingsOverview();
  const std::vector<FindingRow>& rows() const { return rows_; }

  // Leads to the item of the selected row: opens its ancestors, centres, selects and
  // focuses it and asks for the structure tab. Nothing when no row is selected or its
  // item is gone.
  void lvRepFindingsDblClick();
  // The same for the item with ID `itemId` (an overdue finding chosen on the overview tab).
  void showItem(const std::string& itemId);

  // "Feststellungen exportieren...": the rows as the list shows them, as a CSV file for
  // spreadsheet programs, to a file the user chooses.
  void exportFindings();

  QTableView* list() const { return lvRepFindings_; }

  // Shows the rows the status choice and "nur überfällige" let through, hides the others
  // (the export takes the shown ones).
  void applyFilter();

 signals:
  void structureTabRequested();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  WorkFileContext& context_;
  StructurePage& structure_;
  std::vector<FindingRow> rows_;
  FindingsOverviewModel* model_;
  QTableView* lvRepFindings_;
  QAction* miExportFindings_;
  QPushButton* sbExportFindings_;
  QComboBox* cmbStatusFilter_;
  QCheckBox* cbOverdue_;
};

}  // namespace orvela
