#include "workfile/FindingsOverviewPage.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QTableView>
#include <QVBoxLayout>

#include "platform/Services.h"
#include "workfile/FindingsOverviewModel.h"
#include "workfile/StructurePage.h"
#include "workfile/StructureTreeView.h"

namespace orvela {

FindingsOverviewPage::FindingsOverviewPage(WorkFileContext& context, StructurePage& structure, QWidget* parent)
    : QWidget(parent),
      context_(context),
      structure_(structure),
      model_(new FindingsOverviewModel(rows_, this)),
      lvRepFindings_(new QTableView(this)) {
  setObjectName(QStringLiteral("FindingsOverviewPage"));
  lvRepFindings_->setObjectName(QStringLiteral("lvRepFindings"));
  lvRepFindings_->setModel(model_);
  lvRepFindings_->setSelectionBehavior(QAbstractItemView::SelectRows);
  lvRepFindings_->setSelectionMode(QAbstractItemView::SingleSelection);
  lvRepFindings_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  lvRepFindings_->setShowGrid(true);
  lvRepFindings_->setSortingEnabled(false);
  lvRepFindings_->setWordWrap(false);
  lvRepFindings_->setTabKeyNavigation(false);
  lvRepFindings_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  lvRepFindings_->verticalHeader()->hide();
  lvRepFindings_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  lvRepFindings_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  QHeaderView* header = lvRepFindings_->horizontalHeader();
  header->setHighlightSections(false);
  header->setSectionsMovable(false);
  header->setStretchLastSection(false);
  header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  for (std::size_t column = 0; column < kFindingColumnCount; ++column)
    header->resizeSection(int(column), kFindingColumns[column].width);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(lvRepFindings_);

  connect(lvRepFindings_, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
    // The row under the mouse is the selected one by the time of the double-click.
    if (index.isValid()) lvRepFindingsDblClick();
  });
  lvRepFindings_->installEventFilter(this);
}

bool FindingsOverviewPage::eventFilter(QObject* watched, QEvent* event) {
  // Return on a row does what the double-click does.
  if (watched == lvRepFindings_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      lvRepFindingsDblClick();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void FindingsOverviewPage::FillFindingsOverview() {
  model_->beginRebuild();
  rows_ = orvela::FillFindingsOverview(context_.data());
  model_->endRebuild();
}

void FindingsOverviewPage::lvRepFindingsDblClick() {
  const QModelIndexList selected = lvRepFindings_->selectionModel()->selectedRows();
  if (selected.isEmpty()) return;
  const FindingRow& row = rows_[std::size_t(selected.first().row())];
  RecordNode* item = const_cast<RecordNode*>(FindItemById(context_.data().structure, row[kFindingItemId]));
  if (!item) return;  // the structure changed since the rows were taken

  // Focusing another item reloads the detail panel, which would throw away edits the user
  // has not accepted yet (the tree takes no input exactly while there are any). The
  // structure tab is shown with them instead, and the user is told why.
  const bool pendingEdits = !structure_.tree()->isEnabled() && structure_.focusedItem() != item;
  emit structureTabRequested();
  if (pendingEdits) {
    platform::ShowMessage(context_.window(), platform::MessageKind::Information,
                          QStringLiteral("Die Änderungen am aktuellen Element sind noch nicht übernommen. "
                                         "Bitte übernehmen oder verwerfen Sie sie, bevor Sie zu einem anderen "
                                         "Element wechseln."));
    return;
  }
  // An item that already has the focus keeps its panel as it is (no reload).
  structure_.focusItem(item);
}

}  // namespace orvela
