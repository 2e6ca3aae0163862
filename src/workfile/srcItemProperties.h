#pragma once
// The item properties dialog ("Elementeigenschaften"): the same tabs as the item detail
// panel, filled and written by the same rules, confirmed with "OK".
#include <QDialog>

namespace orvela {

class ItemDetailForm;
class RecordNode;
class StructurePage;
class WorkFileContext;

class TdlgItemProperties : public QDialog {
  Q_OBJECT
 public:
  TdlgItemProperties(WorkFileContext& context, const RecordNode& item, QWidget* parent = nullptr);
  ItemDetailForm* form() const { return form_; }

 private:
  ItemDetailForm* form_;
};

// Shows the dialog for the item; on "OK" writes the record, repaints the item's line and
// marks the work file as modified. Returns whether "OK" was chosen; nothing for no item.
bool EditItemProperties(WorkFileContext& context, StructurePage& page, RecordNode* item);

}  // namespace orvela
