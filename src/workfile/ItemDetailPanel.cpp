#include "workfile/ItemDetailPanel.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "model/Edits.h"
#include "model/ItemDetailRules.h"
#include "model/srcGlobalDef.h"
#include "workfile/ItemDetailForm.h"
#include "workfile/ItemDetailWidgets.h"
#include "workfile/StructureModel.h"
#include "workfile/StructurePage.h"
#include "workfile/StructureTreeView.h"
#include "workfile/srcItemProperties.h"

namespace orvela {

ItemDetailPanel::ItemDetailPanel(WorkFileContext& context, StructurePage& page)
    : context_(context), page_(page), form_(new ItemDetailForm(context, FindingsPage::Mode::Panel, this)) {
  setObjectName(QStringLiteral("panelDetail"));
  auto* panel4 = new QWidget(this);
  panel4->setObjectName(QStringLiteral("Panel4"));
  sbItemDetailOk_ = detail::GlyphButton(panel4, "sbItemDetailOk", "dialog-ok-apply", QStyle::SP_DialogApplyButton,
                                        QStringLiteral("Änderungen übernehmen"), QStringLiteral("Änderungen übernehmen"));
  sbItemDetailCancel_ =
      detail::GlyphButton(panel4, "sbItemDetailCancel", "dialog-cancel", QStyle::SP_DialogCancelButton,
                          QStringLiteral("Änderungen verwerfen"), QStringLiteral("Änderungen verwerfen"));
  auto* strip = new QHBoxLayout(panel4);
  strip->setContentsMargins(2, 2, 2, 2);
  strip->addWidget(sbItemDetailOk_);
  strip->addWidget(sbItemDetailCancel_);
  strip->addStretch();

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(form_, 1);
  layout->addWidget(panel4);

  connect(form_, &ItemDetailForm::changed, this, &ItemDetailPanel::acItemDetailsChanged);
  // In the panel a sign-off takes effect at once, together with the edits it signs.
  connect(form_, &ItemDetailForm::signedOff, this, [this](const QString& step) { accept(step.toStdString()); });
  connect(sbItemDetailOk_, &QToolButton::clicked, this, &ItemDetailPanel::acIDAcceptChanges);
  connect(sbItemDetailCancel_, &QToolButton::clicked, this, &ItemDetailPanel::acIDRejectChanges);
  connect(&page_, &StructurePage::focusedItemChanged, this, &ItemDetailPanel::acNodeFocusChanged);
  connect(&page_, &StructurePage::editItemRequested, this, &ItemDetailPanel::acEditItem);
  // Deleting and pasting number the items anew, the shown one included.
  connect(&page_, &StructurePage::structureRenumbered, this, [this] {
    if (item_) form_->showId(item_->record.value(key::ID));
  });

  // Enter in the one-line name field accepts, as the accept button does.
  if (auto* name = form_->findChild<QLineEdit*>(QStringLiteral("editName")))
    connect(name, &QLineEdit::returnPressed, this, [this] {
      if (changed_) acIDAcceptChanges();
    });

  page_.setDetailPanel(this);
  LoadItemDetails(page_.focusedItem());
  setChanged(false);
  context_.editor().addObserver(this);
}

ItemDetailPanel::~ItemDetailPanel() { context_.editor().removeObserver(this); }

void ItemDetailPanel::recordChanged(DataTree tree, RecordNode& node) {
  if (tree == DataTree::Structure) followData(&node);
}

void ItemDetailPanel::itemsRenumbered() { followData(item_); }

void ItemDetailPanel::followData(RecordNode* changed) {
  if (accepting_ || changed_ || !changed || changed != item_) return;
  LoadItemDetails(item_);
  setChanged(false);
}

void ItemDetailPanel::LoadItemDetails(RecordNode* item) {
  item_ = item;
  // Without an item there is nothing to edit; typing into the empty panel would only
  // leave edits that no item can take.
  setEnabled(item != nullptr);
  form_->load(item ? orvela::LoadItemDetails(item->record, context_.data()) : EmptyItemDetails());
}

void ItemDetailPanel::acNodeFocusChanged(RecordNode* item) {
  // Loading raises the controls' change notifications, so the state is set after it.
  LoadItemDetails(item);
  setChanged(false);
  page_.tree()->setFocus(Qt::OtherFocusReason);
}

void ItemDetailPanel::acItemDetailsChanged() { setChanged(true); }

void ItemDetailPanel::acIDAcceptChanges() { accept(edits::kAcceptPanelName); }

void ItemDetailPanel::accept(const std::string& stepName) {
  // The edits belong to the item they were loaded from. The tree has it selected in all
  // ordinary cases; should the selection have been cleared (Ctrl+click) while the item
  // kept the focus, the edits still go to the item the panel shows, never elsewhere and
  // never nowhere.
  if (!item_) return;
  FieldList record = item_->record;
  WriteItemDetails(record, form_->current());
  setChanged(false);
  accepting_ = true;
  page_.model()->setItemRecord(item_, std::move(record), stepName);
  accepting_ = false;
  form_->showSignOffsOf(orvela::LoadItemDetails(item_->record, context_.data()));
}

void ItemDetailPanel::acIDRejectChanges() {
  // Back to the record the edits were made on (see accept).
  LoadItemDetails(item_);
  setChanged(false);
}

void ItemDetailPanel::acEditItem(RecordNode* item) {
  if (!EditItemProperties(context_, page_, item)) return;
  // Unchanged, the panel shows what the dialog wrote, so that a later accept cannot
  // put the older values back.
  if (item == item_ && !changed_) {
    LoadItemDetails(item);
    setChanged(false);
  }
}

void ItemDetailPanel::setChanged(bool changed) {
  changed_ = changed;
  sbItemDetailOk_->setEnabled(changed);
  sbItemDetailCancel_->setEnabled(changed);
  page_.setTreeEnabled(!changed);
}

}  // namespace orvela
