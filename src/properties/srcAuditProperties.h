#pragma once
// The project properties dialog: edits the four definition lists of a work file (general,
// risk, organisational units, staff) on copies, and hands all four back on "OK".
#include <QDialog>
#include <array>
#include <string>
#include <vector>

#include "model/FieldList.h"

class QTabWidget;
class QTableView;
class QToolButton;
class QPushButton;

namespace orvela {

class WorkFileContext;
class TdlgEditBaseVals;
namespace platform {
class RecordListModel;
}

// Runs the dialog modally over the work file of `context`; true when confirmed with "OK".
bool ShowAuditProperties(WorkFileContext& context);

class TdlgAuditProperties : public QDialog {
  Q_OBJECT
 public:
  enum ListIndex { General = 0, Risk = 1, OrgUnits = 2, Staff = 3 };

  explicit TdlgAuditProperties(WorkFileContext& context, QWidget* parent = nullptr);
  ~TdlgAuditProperties() override;

  QTabWidget* pageControl() const { return pc1_; }
  QTableView* grid(ListIndex list) const;
  // The dialog's working copy of one list.
  const std::vector<FieldList>& entries(ListIndex list) const;

  // The entry dialog for the selected entry of `grid` (one of the four), opened window-modal;
  // the entry takes its texts when it is confirmed. Nothing when no entry is selected.
  TdlgEditBaseVals* EditDefinitionEntry(QTableView* grid);

  // Writes all four lists back as list text and marks the work file modified, whether or
  // not anything was changed. An in-place editor still open is committed first; one that
  // holds a character the work file cannot hold keeps the dialog open.
  void accept() override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  struct Page {
    std::vector<FieldList> rows;
    platform::RecordListModel* model = nullptr;
    QTableView* grid = nullptr;
    QToolButton* newBtn = nullptr;
    QToolButton* delBtn = nullptr;
    QToolButton* upBtn = nullptr;
    QToolButton* downBtn = nullptr;
    QToolButton* editBtn = nullptr;  // none for the staff list
  };

  void buildPage(ListIndex list);
  void updateButtons(Page& page);
  void newEntry(Page& page);
  void deleteEntry(Page& page);
  void moveEntry(Page& page, bool up);
  bool commitOpenEditor();

  WorkFileContext& context_;
  QTabWidget* pc1_;
  std::array<Page, 4> pages_;
};

}  // namespace orvela
