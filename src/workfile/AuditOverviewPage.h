#pragma once
// The tab "Übersicht": the audit's progress drawn (AuditOverviewChart), the overdue
// findings listed (lvOverdueFindings) and a button that prints both. It follows every
// change of the work file: the figures are counted afresh once a burst of changes is over,
// and only while the tab is shown (entering it counts them too).
#include <QWidget>
#include <functional>
#include <string>

#include "model/AuditOverview.h"
#include "model/EditObserver.h"
#include "platform/WorkFileContext.h"

class QLabel;
class QPushButton;
class QTableView;
class QTimer;

namespace orvela {

class AuditOverviewChart;
class OverdueFindingsModel;

class AuditOverviewPage : public QWidget, private EditObserver {
  Q_OBJECT
 public:
  // `today` tells the day the deadlines are measured against.
  AuditOverviewPage(WorkFileContext& context, std::function<CalendarDate()> today, QWidget* parent = nullptr);
  ~AuditOverviewPage() override;

  // Counts the figures from the data as it is now.
  void refresh();
  const AuditOverview& overview() const { return overview_; }

  // "Drucken...": the drawing and the overdue findings through the print dialog.
  void printOverview();

  AuditOverviewChart* chart() const { return chart_; }
  QTableView* overdueList() const { return lvOverdueFindings_; }

 signals:
  // An overdue finding was chosen: its item should be shown.
  void itemRequested(const std::string& itemId);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void commandFinished(const EditCommand& command, EditDirection direction) override;
  void openOverdue(const QModelIndex& index);

  WorkFileContext& context_;
  std::function<CalendarDate()> today_;
  AuditOverview overview_;
  CalendarDate countedOn_;
  QTimer* recount_;
  AuditOverviewChart* chart_;
  OverdueFindingsModel* overdueModel_;
  QTableView* lvOverdueFindings_;
  QLabel* labelOverdue_;
  QLabel* labelOverviewDate_;
  QPushButton* sbPrintOverview_;
};

}  // namespace orvela
