#include "workfile/StructurePage.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenu>
#include <QSplitter>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/Services.h"
#include "platform/WindowPlaces.h"
#include "workfile/StructureClipboard.h"
#include "workfile/StructureModel.h"
#include "workfile/StructureTreeView.h"

namespace orvela {

namespace {
constexpr int kInitialTreeWidth = 309;
constexpr int kMinimumTreeWidth = 150;
// The margins of the panel and the frame of its tab widget around the tab bar.
constexpr int kPanelFrames = 16;
constexpr int kStripHeight = 30;
}  // namespace

StructurePage::StructurePage(WorkFileContext& context, QWidget* parent)
    : QWidget(parent),
      context_(context),
      model_(new StructureModel(context, this)),
      tree_(new StructureTreeView),
      splitter_(new QSplitter(Qt::Horizontal)),
      panelDetail_(new QWidget),
      menuStructure_(new QMenu(this)) {
  setObjectName(QStringLiteral("structurePage"));
  tree_->setStructureModel(model_);
  panelDetail_->setObjectName(QStringLiteral("panelDetail"));

  splitter_->setObjectName(QStringLiteral("splitterStructure"));
  splitter_->addWidget(tree_);
  splitter_->addWidget(panelDetail_);
  splitter_->setStretchFactor(0, 0);
  splitter_->setStretchFactor(1, 1);
  splitter_->setChildrenCollapsible(false);
  connect(splitter_, &QSplitter::splitterMoved, this, [this] {
    treeWidth_ = splitter_->sizes().constFirst();
    context_.services().places().values().treeWidth = treeWidth_;
  });

  auto* strip = new QWidget;
  strip->setObjectName(QStringLiteral("panelSelect"));
  strip->setFixedHeight(kStripHeight);
  buildStrip(strip);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(splitter_, 1);
  layout->addWidget(strip);

  menuStructure_->setObjectName(QStringLiteral("menuStructure"));
  menuStructure_->setToolTipsVisible(true);
  buildMenu(menuStructure_, true, contextActions_);
  connect(menuStructure_, &QMenu::aboutToShow, this, &StructurePage::menuStructurePopup);
  connect(tree_, &StructureTreeView::contextMenuWanted, this, [this](const QPoint& global) {
    menuStructure_->popup(global);
  });

  connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) { emit focusedItemChanged(StructureModel::nodeOf(current)); });
  connect(tree_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &StructurePage::updateCommandStates);
  connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &StructurePage::updateCommandStates);
  // The expanded flag of each item follows the view, so it is saved with the file.
  connect(tree_, &QTreeView::expanded, this, [](const QModelIndex& i) { StructureModel::nodeOf(i)->expanded = true; });
  connect(tree_, &QTreeView::collapsed, this, [](const QModelIndex& i) { StructureModel::nodeOf(i)->expanded = false; });
  connect(model_, &StructureModel::subtreeInserted, this,
          [this](const QModelIndex& i) { restoreExpansion(StructureModel::nodeOf(i)); });
  connect(model_, &StructureModel::itemAboutToBeRemoved, this, &StructurePage::itemAboutToBeRemoved);
  connect(model_, &StructureModel::renumbered, this, &StructurePage::structureRenumbered);

  updateCommandStates();
  restoreExpansion(nullptr);
  context_.editor().addObserver(this);
}

StructurePage::~StructurePage() { context_.editor().removeObserver(this); }

void StructurePage::commandFinished(const EditCommand& command, EditDirection direction) {
  const EditFocus& focus = command.focus();
  if (direction == EditDirection::Do || focus.tree != DataTree::Structure) return;
  RecordNode* item = direction == EditDirection::Undo ? focus.afterRevert : focus.afterApply;
  if (item && item->isWithin(&model_->tree().root())) focusItem(item);
}

void StructurePage::buildStrip(QWidget* strip) {
  laSelectItems_ = new QLabel(QStringLiteral("Auswahl:"));
  laSelectItems_->setObjectName(QStringLiteral("laSelectItems"));

  cmbKindSelect_ = new QComboBox;
  cmbKindSelect_->setObjectName(QStringLiteral("cmbKindSelect"));
  cmbKindSelect_->addItems({QStringLiteral("<keine Auswahl>"), QStringLiteral("markieren"), QStringLiteral("verbergen")});

  cmbSelect_ = new QComboBox;
  cmbSelect_->setObjectName(QStringLiteral("cmbSelect"));
  cmbSelect_->addItems({QStringLiteral("<keine Auswahl>"), QStringLiteral("Bearbeitungsstatus undefiniert"),
                        QStringLiteral("nicht vollständig bearbeitet"), QStringLiteral("vollständig bearbeitet"),
                        QStringLiteral("mit Feststellungen"), QStringLiteral("ohne Feststellungen"),
                        QStringLiteral("nicht abgezeichnet"), QStringLiteral("nicht geprüft"),
                        QStringLiteral("nach Prüfung geändert")});
  cmbSelect_->setSizeAdjustPolicy(QComboBox::AdjustToContents);

  cmbShowLevel_ = new QCheckBox(QStringLiteral("Gliederung anzeigen"));
  cmbShowLevel_->setObjectName(QStringLiteral("cmbShowLevel"));

  sbAuditProperties_ = new QToolButton;
  sbAuditProperties_->setObjectName(QStringLiteral("sbAuditProperties"));
  sbAuditProperties_->setToolTip(QStringLiteral("Eigenschaften bearbeiten"));
  sbAuditProperties_->setStatusTip(QStringLiteral("Eigenschaften bearbeiten"));
  sbAuditProperties_->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
  sbAuditProperties_->setAutoRaise(true);
  sbAuditProperties_->setFocusPolicy(Qt::StrongFocus);

  auto* row = new QHBoxLayout(strip);
  row->setContentsMargins(4, 2, 4, 2);
  row->addWidget(laSelectItems_);
  row->addWidget(cmbKindSelect_);
  row->addWidget(cmbSelect_);
  row->addWidget(cmbShowLevel_);
  row->addWidget(sbAuditProperties_);
  row->addStretch(1);

  // cmbKindSelectChange, cmbSelectChange, cmbShowLevelClick: the tree repaints.
  connect(cmbKindSelect_, &QComboBox::currentIndexChanged, this, &StructurePage::applyFilter);
  connect(cmbSelect_, &QComboBox::currentIndexChanged, this, &StructurePage::applyFilter);
  connect(cmbShowLevel_, &QCheckBox::toggled, model_, &StructureModel::setShowOutline);
  // The window answers with the project properties dialog.
  connect(sbAuditProperties_, &QToolButton::clicked, this, &StructurePage::auditPropertiesRequested);
}

void StructurePage::applyFilter() {
  model_->setFilter(static_cast<FilterKind>(std::max(0, cmbKindSelect_->currentIndex())),
                    static_cast<FilterCriterion>(std::max(0, cmbSelect_->currentIndex())));
}

void StructurePage::resetFilters() {
  cmbKindSelect_->setCurrentIndex(0);
  cmbSelect_->setCurrentIndex(0);
  cmbShowLevel_->setChecked(false);
}

void StructurePage::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (sized_) return;
  sized_ = true;
  // The tree at its design width, narrower where the detail panel needs the room to show
  // its tab captions whole with the font in use.
  int panelNeeds = 0;
  if (const auto* tabs = panelDetail_ ? panelDetail_->findChild<QTabWidget*>() : nullptr)
    panelNeeds = tabs->tabBar()->sizeHint().width() + kPanelFrames;
  const int room = splitter_->width() - splitter_->handleWidth();
  // The width the user gave the tree last, as far as the tab has room for it.
  const std::optional<int> remembered = context_.services().places().values().treeWidth;
  const int tree = remembered ? std::clamp(*remembered, 1, std::max(1, room - 1))
                              : std::clamp(room - panelNeeds, kMinimumTreeWidth, kInitialTreeWidth);
  treeWidth_ = tree;
  keepTreeWidth();
}

void StructurePage::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  // The splitter has spread the change over both sides; the tree keeps its width and the
  // panel takes the change, so a remembered width stays what it was.
  if (treeWidth_ > 0) keepTreeWidth();
}

void StructurePage::keepTreeWidth() {
  const int room = splitter_->width() - splitter_->handleWidth();
  const int tree = std::clamp(treeWidth_, 1, std::max(1, room - 1));
  splitter_->setSizes({tree, std::max(0, room - tree)});
}

RecordNode* StructurePage::focusedItem() const { return StructureModel::nodeOf(tree_->currentIndex()); }

RecordNode* StructurePage::selectedItem() const {
  const QModelIndexList selected = tree_->selectionModel()->selectedIndexes();
  return selected.isEmpty() ? nullptr : StructureModel::nodeOf(selected.first());
}

void StructurePage::focusItem(RecordNode* item) {
  if (!item) return;
  for (const RecordNode* p = item->parent(); p && !p->isRoot(); p = p->parent()) tree_->expand(model_->indexOf(p));
  const QModelIndex idx = model_->indexOf(item);
  tree_->scrollTo(idx, QAbstractItemView::PositionAtCenter);
  tree_->setCurrentIndex(idx);
  tree_->setFocus(Qt::OtherFocusReason);
}

void StructurePage::setTreeEnabled(bool enabled) { tree_->setEnabled(enabled); }

void StructurePage::setDetailPanel(QWidget* panel) {
  if (!panel || panel == panelDetail_) return;
  if (panel->objectName().isEmpty()) panel->setObjectName(QStringLiteral("panelDetail"));
  const QList<int> sizes = splitter_->sizes();
  QWidget* old = splitter_->replaceWidget(1, panel);
  splitter_->setSizes(sizes);
  panelDetail_ = panel;
  delete old;
}

QWidget* StructurePage::detailPanel() const { return panelDetail_; }

void StructurePage::reloadFromData() {
  model_->reload();
  restoreExpansion(nullptr);
  const QModelIndex first = model_->index(0, 0);
  if (first.isValid())
    tree_->setCurrentIndex(first);
  else
    emit focusedItemChanged(nullptr);
  tree_->setFocus(Qt::OtherFocusReason);
  updateCommandStates();
}

void StructurePage::restoreExpansion(const RecordNode* top) {
  // One walk over the items concerned; the view only records the flags until it lays out.
  const RecordNode* start = top ? top : &model_->tree().root();
  std::vector<const RecordNode*> pending{start};
  while (!pending.empty()) {
    const RecordNode* node = pending.back();
    pending.pop_back();
    if (!node->childCount()) continue;
    if (node != &model_->tree().root() && node->expanded) tree_->setExpanded(model_->indexOf(node), true);
    for (std::size_t i = 0; i < node->childCount(); ++i) pending.push_back(node->child(i));
  }
}

void StructurePage::itemAboutToBeRemoved(RecordNode* node) {
  // The focus never stays on an item that is going: the detail panel would show it.
  RecordNode* focused = focusedItem();
  if (!focused || !focused->isWithin(node)) return;
  if (RecordNode* next = FocusAfterRemoval(*node)) {
    tree_->setCurrentIndex(model_->indexOf(next));
  } else {
    tree_->selectionModel()->clearSelection();
    tree_->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::Clear);
  }
}

void StructurePage::acEditItem() {
  if (RecordNode* item = selectedItem()) emit editItemRequested(item);
}

void StructurePage::caNewNode() { focusItem(model_->newItem(focusedItem())); }

void StructurePage::caNewChildNode() { focusItem(model_->newChildItem(focusedItem())); }

void StructurePage::caDeleteNode() {
  if (RecordNode* item = focusedItem()) model_->deleteItem(item);
}

void StructurePage::caCopyNode() {
  if (RecordNode* item = selectedItem()) QGuiApplication::clipboard()->setMimeData(model_->copyData(item));
}

void StructurePage::caCutNode() {
  if (RecordNode* item = selectedItem()) QGuiApplication::clipboard()->setMimeData(model_->cutData(item));
}

void StructurePage::caPasteNodeAsChild() {
  RecordNode* focused = focusedItem();
  pasted(model_->paste(QGuiApplication::clipboard()->mimeData(), StructureModel::PasteMode::AsChild, focused),
         focused, true);
}

void StructurePage::caPasteNodeAsSibling() {
  RecordNode* focused = focusedItem();
  pasted(model_->paste(QGuiApplication::clipboard()->mimeData(), StructureModel::PasteMode::AsSibling, focused),
         focused, false);
}

void StructurePage::pasted(const std::vector<RecordNode*>& items, RecordNode* focused, bool asChild) {
  if (items.empty()) return;
  // The pasted items come into sight; focus and selection stay where they were.
  if (asChild && focused) tree_->expand(model_->indexOf(focused));
  tree_->scrollTo(model_->indexOf(items.front()));
}

}  // namespace orvela
