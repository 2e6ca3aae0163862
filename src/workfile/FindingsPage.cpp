#include "workfile/FindingsPage.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QStyle>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include "model/EvidenceFields.h"
#include "model/srcGlobalDef.h"
#include "platform/RecordGridDelegate.h"
#include "platform/RecordListModel.h"
#include "platform/Services.h"
#include "platform/WindowPlaces.h"
#include "platform/WindowSize.h"
#include "workfile/ItemDetailWidgets.h"
#include "workfile/srcFindingProperties.h"

namespace orvela {
namespace {

constexpr int kButtonStrip = 28;
constexpr int kDeadlineColumn = 7;

// The follow-up state in words; an unknown stored value shows as "offen".
platform::RecordColumn StatusColumn() {
  platform::RecordColumn status = platform::RecordColumn::field(QStringLiteral("Status"), 80, std::string(key::STATUS));
  status.text = [](const FieldList& finding) { return FindingStatusDisplayText(finding.value(key::STATUS)); };
  return status;
}

std::vector<platform::RecordColumn> FindingColumns(bool inPlace) {
  using platform::RecordColumn;
  return {RecordColumn::position(38),
          RecordColumn::field(QStringLiteral("Name"), 120, std::string(key::NAME), inPlace),
          RecordColumn::field(QStringLiteral("Typ"), 40, std::string(key::TYPE)),
          RecordColumn::field(QStringLiteral("Risiko"), 80, std::string(key::RISK)),
          RecordColumn::field(QStringLiteral("OE"), 80, std::string(key::OU)),
          RecordColumn::field(QStringLiteral("Nachweis"), 100, std::string(key::EVIDENCE)),
          RecordColumn::field(QStringLiteral("Description"), 100, std::string(key::DESCRIPTION), inPlace),
          RecordColumn::field(QStringLiteral("Deadline"), 60, std::string(key::DEADLINE)),
          StatusColumn(),
          RecordColumn::field(QStringLiteral("Verantwortlich"), 100, std::string(key::RESPONSIBLE))};
}

}  // namespace

FindingsPage::FindingsPage(platform::Services& services, Mode mode, std::function<Sources()> sources,
                           std::function<std::string()> riskDefs, QWidget* parent)
    : QWidget(parent), services_(services), mode_(mode), sources_(std::move(sources)), riskDefs_(std::move(riskDefs)) {
  const bool panel = mode_ == Mode::Panel;
  model_ = new platform::RecordListModel(rows_, FindingColumns(!panel), this);
  vtFindings_ = new QTableView(this);
  vtFindings_->setObjectName(QStringLiteral("vtFindings"));
  vtFindings_->setModel(model_);
  vtFindings_->setItemDelegate(new platform::RecordGridDelegate(vtFindings_));
  vtFindings_->setSelectionBehavior(QAbstractItemView::SelectRows);
  vtFindings_->setSelectionMode(QAbstractItemView::SingleSelection);
  vtFindings_->setEditTriggers(panel ? QAbstractItemView::EditTriggers(QAbstractItemView::NoEditTriggers)
                                     : QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
  vtFindings_->setShowGrid(true);
  vtFindings_->setWordWrap(false);
  vtFindings_->setSortingEnabled(false);
  vtFindings_->verticalHeader()->hide();
  vtFindings_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  vtFindings_->verticalHeader()->setDefaultSectionSize(vtFindings_->fontMetrics().height() + 6);
  vtFindings_->horizontalHeader()->setSectionsMovable(false);
  vtFindings_->horizontalHeader()->setHighlightSections(false);
  vtFindings_->horizontalHeader()->setStretchLastSection(false);
  for (int c = 0; c < model_->columnCount(); ++c)
    platform::SetSectionWidthAtLeast(vtFindings_->horizontalHeader(), c, model_->columns()[c].width,
                                     c == kDeadlineColumn ? QStringLiteral("00.00.0000") : QString());
  // The panel and the dialog show different columns, so each keeps its own widths.
  services_.places().followColumns(vtFindings_->horizontalHeader(),
                                   panel ? QStringLiteral("vtFindings") : QStringLiteral("vtFindingsDialog"));

  auto* strip = new QWidget(this);
  strip->setFixedWidth(kButtonStrip);
  newBtn_ = detail::GlyphButton(strip, panel ? "SpeedButton1" : "sbNewDoc", "list-add", QStyle::SP_FileIcon,
                                QStringLiteral("neuen Eintrag hinzufügen"), QStringLiteral("neuen Eintrag hinzufügen"));
  delBtn_ = detail::GlyphButton(strip, panel ? "SpeedButton2" : "sbDelDoc", "list-remove", QStyle::SP_TrashIcon,
                                QStringLiteral("markierten Eintrag löschen"), QStringLiteral("markierten Eintrag löschen"));
  upBtn_ = detail::GlyphButton(strip, "sbUpGen", "go-up", QStyle::SP_ArrowUp,
                               QStringLiteral("markierten Eintrag nach oben schieben"),
                               QStringLiteral("markierten Eintrag nach oben schieben"));
  downBtn_ = detail::GlyphButton(strip, "sbDownGen", "go-down", QStyle::SP_ArrowDown,
                                 QStringLiteral("markierten Eintrag nach unten schieben"),
                                 QStringLiteral("markierten Eintrag nach unten schieben"));
  editBtn_ = detail::GlyphButton(strip, "sbEditFinding", "document-edit", QStyle::SP_FileDialogDetailedView, QString(),
                                 QStringLiteral("markierten Eintrag bearbeiten"));
  auto* buttons = new QVBoxLayout(strip);
  buttons->setContentsMargins(1, 0, 1, 0);
  buttons->setSpacing(1);
  for (QToolButton* b : {newBtn_, delBtn_, upBtn_, downBtn_, editBtn_}) buttons->addWidget(b);
  buttons->addStretch();

  // The list takes the whole tab but for the button strip on its left.
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);
  row->addWidget(strip);
  row->addWidget(vtFindings_, 1);

  connect(newBtn_, &QToolButton::clicked, this, &FindingsPage::acNewFindItem);
  connect(delBtn_, &QToolButton::clicked, this, &FindingsPage::acDelFindItem);
  connect(upBtn_, &QToolButton::clicked, this, &FindingsPage::acFindUp);
  connect(downBtn_, &QToolButton::clicked, this, &FindingsPage::acFindDown);
  connect(editBtn_, &QToolButton::clicked, this, &FindingsPage::acEditFinding);
  // The press of the double click has selected the row; in the dialog it also ends any
  // in-place edit the first click was about to start.
  connect(vtFindings_, &QAbstractItemView::doubleClicked, this, &FindingsPage::acEditFinding);
  connect(vtFindings_->selectionModel(), &QItemSelectionModel::selectionChanged, this, &FindingsPage::updateButtons);
  connect(model_, &QAbstractItemModel::modelReset, this, &FindingsPage::updateButtons);
  connect(model_, &QAbstractItemModel::rowsRemoved, this, &FindingsPage::updateButtons);
  updateButtons();
}

void FindingsPage::setFindings(std::vector<FieldList> findings) {
  rows_ = std::move(findings);
  model_->reset();
  vtFindings_->selectionModel()->clear();
}

std::optional<int> FindingsPage::focusedRow() const {
  const QModelIndex current = vtFindings_->currentIndex();
  return current.isValid() ? std::optional<int>(current.row()) : std::nullopt;
}

std::optional<int> FindingsPage::selectedRow() const {
  const QModelIndexList rows = vtFindings_->selectionModel()->selectedRows();
  return rows.isEmpty() ? std::nullopt : std::optional<int>(rows.first().row());
}

void FindingsPage::focusRow(int row) {
  const int column = vtFindings_->currentIndex().isValid() ? vtFindings_->currentIndex().column() : 1;
  vtFindings_->selectionModel()->setCurrentIndex(model_->index(row, column),
                                                 QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  vtFindings_->scrollTo(model_->index(row, 0));
}

void FindingsPage::updateButtons() {
  // The panel leaves its buttons enabled; the dialog's follow the selection.
  const bool enabled = mode_ == Mode::Panel || selectedRow().has_value();
  for (QToolButton* b : {delBtn_, upBtn_, downBtn_, editBtn_}) b->setEnabled(enabled);
}

void FindingsPage::notify() {
  if (mode_ == Mode::Panel) emit changed();
}

void FindingsPage::acNewFindItem() {
  FieldList record = mode_ == Mode::Panel ? NewPanelFindingRecord() : NewDialogFindingRecord();
  focusRow(model_->insertRecord(focusedRow(), std::move(record)));
  notify();
}

void FindingsPage::acDelFindItem() {
  if (const auto row = selectedRow()) model_->removeRecord(*row);
  notify();
}

void FindingsPage::acFindUp() {
  if (const auto row = model_->moveUp(focusedRow())) focusRow(*row);
  notify();
}

void FindingsPage::acFindDown() {
  if (const auto row = model_->moveDown(focusedRow())) focusRow(*row);
  notify();
}

void FindingsPage::acEditFinding() {
  const auto row = selectedRow();
  if (!row) return;
  const Sources sources = sources_ ? sources_() : Sources{};
  // The dialog works on a copy; the copy comes back also on cancel, since opening the
  // dialog normalises TYPE and DEADLINE.
  FieldList record = rows_[static_cast<std::size_t>(*row)];
  const std::string riskDefs = riskDefs_ ? riskDefs_() : std::string();
  const bool ok = EditFinding(services_, record, sources.units, sources.documents, riskDefs, this);
  model_->setRecord(*row, std::move(record));
  if (ok) notify();
}

}  // namespace orvela
