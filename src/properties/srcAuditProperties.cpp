#include "properties/srcAuditProperties.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyle>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "model/DelimitedText.h"
#include "model/srcGlobalDef.h"
#include "platform/DialogButtons.h"
#include "platform/RecordGridDelegate.h"
#include "platform/RecordListModel.h"
#include "platform/Services.h"
#include "platform/WindowPlaces.h"
#include "platform/WindowSize.h"
#include "properties/srcEditBaseVals.h"
#include "model/Edits.h"
#include "platform/WorkFileContext.h"

namespace orvela {

namespace {

constexpr int kHelpContext = 200;

// What tells the four lists apart; everything else is the same for all of them.
struct ListDef {
  const char* tabName;
  const char* tabCaption;
  const char* gridName;
  const char* itemCaption;
  int itemWidth;
  const char* valueCaption;
  int valueWidth;
  std::string WorkFileData::*field;
  bool tabShown;
  const char* newBtn;
  const char* delBtn;
  const char* upBtn;
  const char* downBtn;
  const char* editBtn;  // nullptr: no edit button and no entry dialog
  const char* newHint;
  const char* upHint;
  const char* editHint;  // nullptr: the edit button has no hint
};

constexpr const char* kNewHint = "neuen Eintrag hinzufügen";
constexpr const char* kDelHint = "markierten Eintrag löschen";
constexpr const char* kUpHint = "markierten Eintrag nach oben schieben";
constexpr const char* kDownHint = "markierten Eintrag nach unten schieben";

const ListDef kLists[4] = {
    {"tsGeneral", "Allgemein", "vtGeneral", "Eigenschaft", 120, "Einstellung", 160, &WorkFileData::generalDefs, true,
     "sbNewDoc", "sbDelDoc", "sbUpGen", "sbDownGen", "sbEditValGen", kNewHint, kUpHint,
     "markierten Eintrag bearbeiten"},
    {"tsRisk", "Risikodefinition", "vtRisk", "Wert", 80, "Beschreibung", 160, &WorkFileData::riskDefs, true,
     "sbNewRisk", "sbDelRisk", "sbUpRisk", "sbDownRisk", "sbEditValRisk", kNewHint,
     "markierten Eintrag nach oben schiebe", nullptr},
    {"tsOU", "Organisationseinheiten", "vtOU", "Kurzbezeichnung", 100, "Bezeichnung", 160, &WorkFileData::ouDefs,
     true, "sbNewOU", "sbDelOU", "sbUpOU", "sbDownOU", "sbEditValOU", "neues Element hinzufügen", kUpHint, nullptr},
    // Nothing else in the program edits the staff list; its tab stays hidden and the entries
    // pass through unchanged.
    {"tsStaff", "Mitarbeiter", "vtStaff", "ID / Kurzname", 120, "Name", 160, &WorkFileData::staffDefs, false,
     "sbNewStaff", "sbDelStaff", "sbUpStaff", "sbDownStaff", nullptr, kNewHint, kUpHint, nullptr},
};

QToolButton* GlyphButton(QWidget* parent, const char* name, const char* themeIcon, QStyle::StandardPixmap fallback,
                         const char* hint, const char* accessibleName) {
  auto* b = new QToolButton(parent);
  b->setObjectName(QLatin1String(name));
  b->setIcon(QIcon::fromTheme(QLatin1String(themeIcon), parent->style()->standardIcon(fallback)));
  b->setAutoRaise(true);
  b->setFocusPolicy(Qt::TabFocus);
  if (hint) b->setToolTip(QString::fromUtf8(hint));
  b->setAccessibleName(QString::fromUtf8(accessibleName));
  return b;
}

}  // namespace

bool ShowAuditProperties(WorkFileContext& context) {
  TdlgAuditProperties dialog(context, context.window());
  return context.services().runModal(dialog) == QDialog::Accepted;
}

TdlgAuditProperties::TdlgAuditProperties(WorkFileContext& context, QWidget* parent)
    : QDialog(parent), context_(context), pc1_(new QTabWidget(this)) {
  setObjectName(QStringLiteral("dlgAuditProperties"));
  setWindowTitle(QStringLiteral("Projekteigenschaften"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  pc1_->setObjectName(QStringLiteral("pc1"));
  platform::ShowWholeTabCaptions(pc1_);

  for (int i = 0; i < 4; ++i) buildPage(static_cast<ListIndex>(i));

  // "OK" must not be the default button: Enter in the lists does not confirm the dialog.
  QDialogButtonBox* buttons = platform::OkCancelButtons(this, false, Qt::Vertical);
  // Clicking them leaves the focus where it is, so that accept() still finds an open
  // in-place editor and can keep the dialog open for a text the file cannot hold.
  for (QAbstractButton* b : buttons->buttons()) b->setFocusPolicy(Qt::TabFocus);

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(4, 4, 6, 4);
  layout->addWidget(pc1_, 1);
  layout->addWidget(buttons, 0, Qt::AlignTop);
  // Resizable, so that long entries can be seen whole.
  platform::ResizeAtLeast(this, QSize(427, 211));
  pc1_->setCurrentIndex(0);
}

TdlgAuditProperties::~TdlgAuditProperties() = default;

void TdlgAuditProperties::buildPage(ListIndex list) {
  const ListDef& def = kLists[list];
  Page& page = pages_[list];
  page.rows = TextToList(context_.data().*def.field);

  auto* tab = new QWidget;
  tab->setObjectName(QLatin1String(def.tabName));
  page.newBtn = GlyphButton(tab, def.newBtn, "list-add", QStyle::SP_FileIcon, def.newHint, kNewHint);
  page.delBtn = GlyphButton(tab, def.delBtn, "list-remove", QStyle::SP_TrashIcon, kDelHint, kDelHint);
  page.upBtn = GlyphButton(tab, def.upBtn, "go-up", QStyle::SP_ArrowUp, def.upHint, kUpHint);
  page.downBtn = GlyphButton(tab, def.downBtn, "go-down", QStyle::SP_ArrowDown, kDownHint, kDownHint);
  if (def.editBtn)
    page.editBtn = GlyphButton(tab, def.editBtn, "document-edit", QStyle::SP_FileDialogDetailedView, def.editHint,
                               "markierten Eintrag bearbeiten");

  page.model = new platform::RecordListModel(
      page.rows,
      {platform::RecordColumn::position(38),
       platform::RecordColumn::field(QString::fromUtf8(def.itemCaption), def.itemWidth, std::string(key::ITEM), true),
       platform::RecordColumn::field(QString::fromUtf8(def.valueCaption), def.valueWidth, std::string(key::VALUE),
                                     true)},
      this);
  page.grid = new QTableView(tab);
  QTableView* grid = page.grid;
  grid->setObjectName(QLatin1String(def.gridName));
  grid->setModel(page.model);
  grid->setItemDelegate(new platform::RecordGridDelegate(grid));
  grid->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid->setSelectionMode(QAbstractItemView::SingleSelection);
  grid->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
  grid->setShowGrid(true);
  grid->setWordWrap(false);
  grid->verticalHeader()->hide();
  grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
  grid->horizontalHeader()->setHighlightSections(false);
  grid->horizontalHeader()->setStretchLastSection(false);
  // The columns start at their design widths, wider where a caption or an entry needs it.
  for (int c = 0; c < page.model->columnCount(); ++c) {
    grid->resizeColumnToContents(c);
    grid->setColumnWidth(c, std::max(grid->columnWidth(c), page.model->columns()[c].width));
  }
  context_.services().places().followColumns(grid->horizontalHeader(), grid->objectName());

  auto* glyphs = new QVBoxLayout;
  glyphs->setSpacing(1);
  for (QToolButton* b : {page.newBtn, page.delBtn, page.upBtn, page.downBtn, page.editBtn})
    if (b) glyphs->addWidget(b);
  glyphs->addStretch();
  auto* row = new QHBoxLayout(tab);
  row->setContentsMargins(2, 2, 2, 2);
  row->setSpacing(2);
  row->addLayout(glyphs);
  row->addWidget(grid, 1);

  connect(page.newBtn, &QToolButton::clicked, this, [this, &page] { newEntry(page); });
  connect(page.delBtn, &QToolButton::clicked, this, [this, &page] { deleteEntry(page); });
  connect(page.upBtn, &QToolButton::clicked, this, [this, &page] { moveEntry(page, true); });
  connect(page.downBtn, &QToolButton::clicked, this, [this, &page] { moveEntry(page, false); });
  if (page.editBtn) {
    connect(page.editBtn, &QToolButton::clicked, this, [this, grid] { EditDefinitionEntry(grid); });
    connect(grid, &QTableView::doubleClicked, this, [this, grid] { EditDefinitionEntry(grid); });
  }

  const auto update = [this, &page] { updateButtons(page); };
  connect(grid->selectionModel(), &QItemSelectionModel::selectionChanged, this, update);
  connect(page.model, &QAbstractItemModel::rowsRemoved, this, update);
  connect(page.model, &QAbstractItemModel::rowsInserted, this, update);
  connect(page.model, &QAbstractItemModel::modelReset, this, update);
  updateButtons(page);

  const int index = pc1_->addTab(tab, QString::fromUtf8(def.tabCaption));
  // A hidden tab alone is still reached by Ctrl+Tab; a disabled one is passed over by every
  // path (keys, tab bar, wheel).
  pc1_->setTabVisible(index, def.tabShown);
  pc1_->setTabEnabled(index, def.tabShown);
}

QTableView* TdlgAuditProperties::grid(ListIndex list) const { return pages_[list].grid; }

const std::vector<FieldList>& TdlgAuditProperties::entries(ListIndex list) const { return pages_[list].rows; }

namespace {

std::optional<int> CurrentRow(const QTableView* grid) {
  const QModelIndex current = grid->currentIndex();
  return current.isValid() ? std::optional<int>(current.row()) : std::nullopt;
}

std::optional<int> SelectedRow(const QTableView* grid) {
  const QModelIndexList rows = grid->selectionModel()->selectedRows();
  return rows.isEmpty() ? std::nullopt : std::optional<int>(rows.first().row());
}

// Focus and select a whole row, keeping the column the user was in (an editable one when
// there was none, so that F2 edits at once).
void FocusRow(QTableView* grid, int row) {
  const int column = grid->currentIndex().isValid() ? grid->currentIndex().column() : 1;
  grid->selectionModel()->setCurrentIndex(grid->model()->index(row, column),
                                          QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

}  // namespace

void TdlgAuditProperties::updateButtons(Page& page) {
  const bool selected = SelectedRow(page.grid).has_value();
  for (QToolButton* b : {page.delBtn, page.upBtn, page.downBtn, page.editBtn})
    if (b) b->setEnabled(selected);
}

void TdlgAuditProperties::newEntry(Page& page) {
  const int row = page.model->addDefEntry(CurrentRow(page.grid));
  FocusRow(page.grid, row);
  page.grid->scrollTo(page.model->index(row, 0));
}

void TdlgAuditProperties::deleteEntry(Page& page) {
  if (const auto row = SelectedRow(page.grid)) page.model->removeRecord(*row);
  updateButtons(page);
}

void TdlgAuditProperties::moveEntry(Page& page, bool up) {
  const auto from = CurrentRow(page.grid);
  const auto to = up ? page.model->moveUp(from) : page.model->moveDown(from);
  // The selection and the focus travel with the moved row; keep it in sight.
  if (to) page.grid->scrollTo(page.model->index(*to, 0));
}

TdlgEditBaseVals* TdlgAuditProperties::EditDefinitionEntry(QTableView* grid) {
  Page* page = nullptr;
  for (Page& p : pages_)
    if (p.grid == grid) page = &p;
  const auto row = page && page->editBtn ? SelectedRow(grid) : std::nullopt;
  if (!row) return nullptr;

  auto* dialog = new TdlgEditBaseVals(context_.services(), this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->setEntry(page->model->record(*row));
  // The row is tracked so that the texts reach the entry that was opened.
  const QPersistentModelIndex entry(page->model->index(*row, 0));
  connect(dialog, &QDialog::accepted, this, [page, dialog, entry] {
    if (!entry.isValid()) return;
    FieldList edited = page->model->record(entry.row());
    dialog->applyTo(edited);
    page->model->setField(entry.row(), key::ITEM, edited.value(key::ITEM));
    page->model->setField(entry.row(), key::VALUE, edited.value(key::VALUE));
  });
  dialog->open();
  return dialog;
}

bool TdlgAuditProperties::commitOpenEditor() {
  QWidget* editor = QApplication::focusWidget();
  if (!editor) return true;
  for (Page& page : pages_) {
    if (!page.grid->isAncestorOf(editor)) continue;
    auto* delegate = qobject_cast<platform::RecordGridDelegate*>(page.grid->itemDelegate());
    if (delegate && !delegate->acceptsEditorText(editor)) return false;
    // Taking the focus away commits the text and closes the editor.
    editor->clearFocus();
  }
  return true;
}

void TdlgAuditProperties::accept() {
  if (!commitOpenEditor()) return;
  std::array<std::string, 4> lists;
  for (std::size_t i = 0; i < lists.size(); ++i) lists[i] = ListToText(pages_[i].rows);
  context_.editor().execute(edits::SetDefinitionLists(lists));
  QDialog::accept();
}

void TdlgAuditProperties::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
    context_.services().help().showHelp(this, kHelpContext);
    return;
  }
  // A focused button is pressed with Enter, as on other desktops; elsewhere Enter does
  // nothing since the dialog has no default button.
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
    if (auto* button = qobject_cast<QAbstractButton*>(QApplication::focusWidget()); button && isAncestorOf(button)) {
      button->click();
      return;
    }
  }
  QDialog::keyPressEvent(event);
}

}  // namespace orvela
