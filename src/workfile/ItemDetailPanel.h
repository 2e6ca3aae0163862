#pragma once
// The item detail panel (panelDetail) to the right of the structure tree: the tabs of the
// focused item and the strip Panel4 with the accept and reject buttons. Edits stay in the
// controls until accepted; while there are any, the tree takes no input.
#include <QWidget>
#include <string>

#include "model/EditObserver.h"

class QToolButton;

namespace orvela {

class ItemDetailForm;
class RecordNode;
class StructurePage;
class WorkFileContext;

class ItemDetailPanel : public QWidget, private EditObserver {
  Q_OBJECT
 public:
  // Builds the panel, puts it into the page and follows the page's focused item.
  ItemDetailPanel(WorkFileContext& context, StructurePage& page);
  ~ItemDetailPanel() override;

  ItemDetailForm* form() const { return form_; }
  RecordNode* item() const { return item_; }
  bool isChanged() const { return changed_; }

  // Fills the controls from the item (empties them for none); leaves the state alone.
  void LoadItemDetails(RecordNode* item);
  void acNodeFocusChanged(RecordNode* item);
  void acItemDetailsChanged();
  void acIDAcceptChanges();
  void acIDRejectChanges();

 private:
  // An undo or redo changed the item shown: without pending edits the panel follows.
  void recordChanged(DataTree tree, RecordNode& node) override;
  void itemsRenumbered() override;
  void followData(RecordNode* changed);
  void setChanged(bool changed);
  // Writes the controls into the item as one edit named `stepName`.
  void accept(const std::string& stepName);
  void acEditItem(RecordNode* item);

  WorkFileContext& context_;
  StructurePage& page_;
  ItemDetailForm* form_;
  QToolButton* sbItemDetailOk_;
  QToolButton* sbItemDetailCancel_;
  RecordNode* item_ = nullptr;
  bool changed_ = false;
  bool accepting_ = false;  // the panel's own accept: the controls already show the values
};

}  // namespace orvela
