#include "workfile/srcItemProperties.h"

#include <QDialogButtonBox>
#include <QShortcut>
#include <QVBoxLayout>

#include "model/Edits.h"
#include "model/ItemDetailRules.h"
#include "platform/DialogButtons.h"
#include "platform/Services.h"
#include "platform/WindowSize.h"
#include "workfile/ItemDetailForm.h"
#include "workfile/StructureModel.h"
#include "workfile/StructurePage.h"

namespace orvela {

TdlgItemProperties::TdlgItemProperties(WorkFileContext& context, const RecordNode& item, QWidget* parent)
    : QDialog(parent), form_(new ItemDetailForm(context, FindingsPage::Mode::Dialog, this)) {
  setObjectName(QStringLiteral("dlgItemProperties"));
  setWindowTitle(QStringLiteral("Elementeigenschaften"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(form_, 1);
  layout->addWidget(platform::OkCancelButtons(this, true));
  auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
  connect(help, &QShortcut::activated, this, [this, &services = context.services()] { services.help().showHelp(this, 230); });
  form_->load(LoadItemDetails(item.record, context.data()));
  platform::ShowWholeTabCaptions(form_);
  // Resizable: its findings list shows more with more room.
  platform::ResizeAtLeast(this, QSize(520, 380));
}

bool EditItemProperties(WorkFileContext& context, StructurePage& page, RecordNode* item) {
  if (!item) return false;
  TdlgItemProperties dialog(context, *item, context.window());
  if (context.services().runModal(dialog) != QDialog::Accepted) return false;
  FieldList record = item->record;
  WriteItemDetails(record, dialog.form()->current());
  page.model()->setItemRecord(item, std::move(record), edits::kItemPropertiesName);
  return true;
}

}  // namespace orvela
