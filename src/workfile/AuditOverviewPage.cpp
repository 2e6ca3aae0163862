#include "workfile/AuditOverviewPage.h"

#include <QDateTime>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include "platform/Cp1252Text.h"
#include "platform/Services.h"
#include "platform/WindowPlaces.h"
#include "platform/WindowSize.h"
#include "rtf/qt/PagedDocument.h"
#include "workfile/AuditOverviewChart.h"
#include "workfile/AuditOverviewPrint.h"
#include "workfile/OverdueFindingsModel.h"

namespace orvela {

AuditOverviewPage::AuditOverviewPage(WorkFileContext& context, std::function<CalendarDate()> today, QWidget* parent)
    : QWidget(parent),
      context_(context),
      today_(std::move(today)),
      recount_(new QTimer(this)),
      chart_(new AuditOverviewChart(overview_)),
      overdueModel_(new OverdueFindingsModel(overview_.overdue, this)),
      lvOverdueFindings_(new QTableView),
      labelOverdue_(new QLabel),
      labelOverviewDate_(new QLabel),
      sbPrintOverview_(new QPushButton(QStringLiteral("&Drucken..."))) {
  setObjectName(QStringLiteral("AuditOverviewPage"));
  // A burst of changes (a paste of many items, an undo of a long step) is counted once.
  recount_->setSingleShot(true);
  recount_->setInterval(0);
  connect(recount_, &QTimer::timeout, this, &AuditOverviewPage::refresh);

  labelOverviewDate_->setObjectName(QStringLiteral("labelOverviewDate"));
  sbPrintOverview_->setObjectName(QStringLiteral("sbPrintOverview"));
  sbPrintOverview_->setToolTip(QStringLiteral("Die Übersicht und die überfälligen Feststellungen drucken"));
  connect(sbPrintOverview_, &QPushButton::clicked, this, &AuditOverviewPage::printOverview);

  auto* scroll = new QScrollArea;
  scroll->setObjectName(QStringLiteral("scrollOverview"));
  scroll->setWidget(chart_);
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::StyledPanel);

  labelOverdue_->setObjectName(QStringLiteral("labelOverdue"));
  labelOverdue_->setBuddy(lvOverdueFindings_);
  labelOverdue_->setWordWrap(true);
  lvOverdueFindings_->setObjectName(QStringLiteral("lvOverdueFindings"));
  lvOverdueFindings_->setModel(overdueModel_);
  lvOverdueFindings_->setSelectionBehavior(QAbstractItemView::SelectRows);
  lvOverdueFindings_->setSelectionMode(QAbstractItemView::SingleSelection);
  lvOverdueFindings_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  lvOverdueFindings_->setWordWrap(false);
  lvOverdueFindings_->setTabKeyNavigation(false);
  lvOverdueFindings_->verticalHeader()->hide();
  lvOverdueFindings_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  lvOverdueFindings_->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  lvOverdueFindings_->horizontalHeader()->setHighlightSections(false);
  lvOverdueFindings_->horizontalHeader()->setStretchLastSection(true);
  static constexpr int kWidths[OverdueFindingsModel::ColumnCount] = {70, 60, 110, 140, 80};
  for (int column = 0; column < OverdueFindingsModel::ColumnCount; ++column)
    platform::SetSectionWidthAtLeast(lvOverdueFindings_->horizontalHeader(), column, kWidths[column],
                                     column == OverdueFindingsModel::Deadline ? QStringLiteral("00.00.0000") : QString());
  context_.services().places().followColumns(lvOverdueFindings_->horizontalHeader(), lvOverdueFindings_->objectName());
  lvOverdueFindings_->setToolTip(QStringLiteral("Ein Klick zeigt die Feststellung an ihrem Element"));
  // A click or Return leads to the finding's item; the arrow keys only move the selection.
  connect(lvOverdueFindings_, &QAbstractItemView::clicked, this, &AuditOverviewPage::openOverdue);
  connect(lvOverdueFindings_, &QAbstractItemView::activated, this, &AuditOverviewPage::openOverdue);

  auto* overduePane = new QWidget;
  auto* overdueLayout = new QVBoxLayout(overduePane);
  overdueLayout->setContentsMargins(0, 0, 0, 0);
  overdueLayout->addWidget(labelOverdue_);
  overdueLayout->addWidget(lvOverdueFindings_, 1);

  auto* splitter = new QSplitter(Qt::Horizontal);
  splitter->setObjectName(QStringLiteral("splitterOverview"));
  splitter->setChildrenCollapsible(false);
  splitter->addWidget(scroll);
  splitter->addWidget(overduePane);
  splitter->setStretchFactor(0, 3);
  splitter->setStretchFactor(1, 2);
  splitter->setSizes({600, 400});  // scaled to the width the splitter gets

  auto* strip = new QHBoxLayout;
  strip->setContentsMargins(4, 4, 4, 4);
  strip->addWidget(labelOverviewDate_);
  strip->addStretch(1);
  strip->addWidget(sbPrintOverview_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  layout->addLayout(strip);
  layout->addWidget(splitter, 1);

  context_.editor().addObserver(this);
}

AuditOverviewPage::~AuditOverviewPage() { context_.editor().removeObserver(this); }

void AuditOverviewPage::commandFinished(const EditCommand&, EditDirection) {
  // A hidden tab counts when it is shown again.
  if (isVisible()) recount_->start();
}

void AuditOverviewPage::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  refresh();
}

void AuditOverviewPage::refresh() {
  recount_->stop();
  countedOn_ = today_();
  overdueModel_->beginRebuild();
  overview_ = CountAuditOverview(context_.data(), countedOn_);
  overdueModel_->endRebuild();
  chart_->overviewChanged();

  labelOverviewDate_->setText(
      QStringLiteral("Stand: %1 (Termine gemessen an diesem Tag)").arg(QString::fromStdString(ShortDateText(countedOn_))));
  labelOverdue_->setText(overview_.overdue.empty()
                             ? QStringLiteral("Keine überfälligen Feststellungen")
                             : QStringLiteral("Ü&berfällige Feststellungen (%1):").arg(overview_.overdue.size()));
}

void AuditOverviewPage::openOverdue(const QModelIndex& index) {
  if (!index.isValid() || std::size_t(index.row()) >= overview_.overdue.size()) return;
  const std::string itemId = overview_.overdue[std::size_t(index.row())].itemId;  // a recount may replace the list
  emit itemRequested(itemId);
}

void AuditOverviewPage::printOverview() {
  refresh();  // what is printed is what the data holds now
  const std::string& fileName = context_.data().fileName;
  const QString title = QStringLiteral("Übersicht: ") +
                        (fileName.empty() ? QStringLiteral("unbenannt") : QFileInfo(QString::fromStdString(fileName)).fileName());
  const rtf::Document document = AuditOverviewDocument(overview_, countedOn_, title, chart_->font());
  const rtf::PagedDocument pages(document, QDateTime::currentDateTime());
  context_.services().printing().print(context_.window(), context_.printer(), pages, title);
}

}  // namespace orvela
