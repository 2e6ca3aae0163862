#include "workfile/FindingsOverviewPage.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "model/Cp1252.h"
#include "model/EvidenceFields.h"
#include "platform/Services.h"
#include "platform/WindowPlaces.h"
#include "platform/WindowSize.h"
#include "reports/engine/FindingsOverviewCsv.h"
#include "storage/SafeFileWriter.h"
#include "workfile/FindingsOverviewModel.h"
#include "workfile/StructurePage.h"
#include "workfile/StructureTreeView.h"

namespace orvela {

FindingsOverviewPage::FindingsOverviewPage(WorkFileContext& context, StructurePage& structure, QWidget* parent)
    : QWidget(parent),
      context_(context),
      structure_(structure),
      model_(new FindingsOverviewModel(rows_, this)),
      lvRepFindings_(new QTableView(this)),
      miExportFindings_(new QAction(QStringLiteral("Feststellungen exportieren..."), this)),
      sbExportFindings_(new QPushButton(QStringLiteral("Feststellungen &exportieren..."), this)),
      cmbStatusFilter_(new QComboBox(this)),
      cbOverdue_(new QCheckBox(QStringLiteral("nur &überfällige"), this)) {
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
    platform::SetSectionWidthAtLeast(header, int(column), kFindingColumns[column].width,
                                     column == kFindingDeadline ? QStringLiteral("00.00.0000") : QString());
  context_.services().places().followColumns(header, lvRepFindings_->objectName());

  // The export: a button above the list and the list's context menu, enabled while there
  // are rows to export.
  miExportFindings_->setObjectName(QStringLiteral("miExportFindings"));
  miExportFindings_->setStatusTip(QStringLiteral("Die angezeigten Feststellungen als CSV-Datei speichern"));
  sbExportFindings_->setObjectName(QStringLiteral("sbExportFindings"));
  sbExportFindings_->setToolTip(miExportFindings_->statusTip());
  lvRepFindings_->setContextMenuPolicy(Qt::ActionsContextMenu);
  lvRepFindings_->addAction(miExportFindings_);
  connect(miExportFindings_, &QAction::triggered, this, &FindingsOverviewPage::exportFindings);
  connect(sbExportFindings_, &QPushButton::clicked, this, &FindingsOverviewPage::exportFindings);
  auto updateExport = [this] {
    const bool any = lvRepFindings_->model()->rowCount() > 0;
    miExportFindings_->setEnabled(any);
    sbExportFindings_->setEnabled(any);
  };
  connect(model_, &QAbstractItemModel::modelReset, this, updateExport);
  updateExport();

  // Which findings are shown: by follow-up status, and those whose deadline has passed
  // without their being done.
  cmbStatusFilter_->setObjectName(QStringLiteral("cmbStatusFilter"));
  cmbStatusFilter_->addItem(QStringLiteral("alle"));
  for (int i = 0; i < kFindingStatusCount; ++i) cmbStatusFilter_->addItem(QString::fromStdString(Cp1252ToUtf8(FindingStatusText(i))));
  cbOverdue_->setObjectName(QStringLiteral("cbOverdue"));
  cbOverdue_->setToolTip(QStringLiteral("Termin überschritten und noch nicht umgesetzt"));
  auto* statusLabel = new QLabel(QStringLiteral("&Status:"), this);
  statusLabel->setBuddy(cmbStatusFilter_);
  connect(cmbStatusFilter_, &QComboBox::currentIndexChanged, this, &FindingsOverviewPage::applyFilter);
  connect(cbOverdue_, &QCheckBox::toggled, this, &FindingsOverviewPage::applyFilter);

  auto* strip = new QHBoxLayout;
  strip->setContentsMargins(4, 4, 4, 4);
  strip->addWidget(sbExportFindings_);
  strip->addSpacing(16);
  strip->addWidget(statusLabel);
  strip->addWidget(cmbStatusFilter_);
  strip->addWidget(cbOverdue_);
  strip->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addLayout(strip);
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
  applyFilter();
}

void FindingsOverviewPage::applyFilter() {
  const QDate now = QDate::currentDate();
  const CalendarDate today{now.year(), now.month(), now.day()};
  const int status = cmbStatusFilter_->currentIndex() - 1;  // "alle" first
  const QAbstractItemModel* model = lvRepFindings_->model();
  for (int r = 0; r < model->rowCount(); ++r) {
    const FindingRow& row = rows_[std::size_t(model->index(r, 0).data(FindingsOverviewModel::kRowRole).toInt())];
    lvRepFindings_->setRowHidden(r, !FindingRowShown(row, status, cbOverdue_->isChecked(), today));
  }
}

void FindingsOverviewPage::lvRepFindingsDblClick() {
  const QModelIndexList selected = lvRepFindings_->selectionModel()->selectedRows();
  if (selected.isEmpty()) return;
  showItem(rows_[std::size_t(selected.first().row())][kFindingItemId]);
}

void FindingsOverviewPage::showItem(const std::string& itemId) {
  RecordNode* item = const_cast<RecordNode*>(FindItemById(context_.data().structure, itemId));
  if (!item) return;  // the structure changed since the rows were taken

  // Focusing another item reloads the detail panel, which would throw away edits the user
  // has not accepted yet (the tree takes no input exactly while there are any). The
  // structure tab is shown with them instead, and the user is told why.
  const bool pendingEdits = !structure_.tree()->isEnabled() && structure_.focusedItem() != item;
  emit structureTabRequested();
  if (pendingEdits) {
    context_.services().showMessage(context_.window(), platform::MessageKind::Information,
                          QStringLiteral("Die Änderungen am aktuellen Element sind noch nicht übernommen. "
                                         "Bitte übernehmen oder verwerfen Sie sie, bevor Sie zu einem anderen "
                                         "Element wechseln."));
    return;
  }
  // An item that already has the focus keeps its panel as it is (no reload).
  structure_.focusItem(item);
}

void FindingsOverviewPage::exportFindings() {
  std::vector<const FindingRow*> shown;
  const QAbstractItemModel* model = lvRepFindings_->model();
  for (int r = 0; r < model->rowCount(); ++r) {
    if (lvRepFindings_->isRowHidden(r)) continue;
    shown.push_back(&rows_[std::size_t(model->index(r, 0).data(FindingsOverviewModel::kRowRole).toInt())]);
  }

  const QFileInfo workFile(QString::fromStdString(context_.data().fileName));
  platform::FileDialogRequest request;
  request.title = QStringLiteral("Feststellungen exportieren");
  request.filter = QStringLiteral("CSV-Datei (*.csv)");
  request.defaultSuffix = QStringLiteral("csv");
  request.directory = context_.data().fileName.empty() ? QString() : workFile.absolutePath();
  request.selectedFile = (context_.data().fileName.empty() ? QStringLiteral("Feststellungen")
                                                           : workFile.completeBaseName() + QStringLiteral(" - Feststellungen")) +
                         QStringLiteral(".csv");
  const QString path = context_.services().fileDialogs().saveFile(context_.window(), request);
  if (path.isEmpty()) return;
  try {
    WriteFileSafely(path.toStdString(), FindingsOverviewCsv(shown));
  } catch (const std::exception& e) {
    context_.services().showMessage(context_.window(), platform::MessageKind::Error, QString::fromUtf8(e.what()));
  }
}

}  // namespace orvela
