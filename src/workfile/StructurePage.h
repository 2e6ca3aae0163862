#pragma once
// The structure tab of the work-file window: the tree vtStructure, the item detail panel
// to its right behind a splitter, and the filter strip along the bottom. The page carries
// the tree's commands (context menu menuStructure and the window's menu "Bearbeiten").
#include <QList>
#include <QWidget>

#include "model/EditObserver.h"
#include "model/RecordTree.h"
#include "platform/WorkFileContext.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QMenu;
class QSplitter;
class QToolButton;

namespace orvela {

class StructureModel;
class StructureTreeView;

class StructurePage : public QWidget, private EditObserver {
  Q_OBJECT
 public:
  explicit StructurePage(WorkFileContext& context, QWidget* parent = nullptr);
  ~StructurePage() override;

  // Adds the structure commands to the window's menu "Bearbeiten" (miEditStruct); their
  // enabling is evaluated each time that menu opens.
  void populateEditMenu(QMenu* menu);

  // The item with the keyboard focus (the detail panel shows it) and the selected one.
  RecordNode* focusedItem() const;
  RecordNode* selectedItem() const;
  // Opens the item's ancestors, centres it, selects and focuses it.
  void focusItem(RecordNode* item);
  // While the detail panel holds unaccepted edits the tree takes no input; the commands
  // of "Bearbeiten" stay available.
  void setTreeEnabled(bool enabled);
  // Puts the item detail panel in place of the placeholder (or of an earlier panel).
  void setDetailPanel(QWidget* panel);
  QWidget* detailPanel() const;
  // After the data was filled from a file: the tree shows it afresh, opens the items whose
  // expanded flag is set and focuses the first top-level item.
  void reloadFromData();
  // Both filter boxes on their first entry, outline box cleared.
  void resetFilters();

  StructureModel* model() const { return model_; }
  StructureTreeView* tree() const { return tree_; }
  QMenu* contextMenu() const { return menuStructure_; }

 public slots:
  void acEditItem();
  void caNewNode();
  void caNewChildNode();
  void caDeleteNode();
  void caCutNode();
  void caCopyNode();
  void caPasteNodeAsChild();
  void caPasteNodeAsSibling();
  // Enable the commands as the context menu or the menu "Bearbeiten" opens.
  void menuStructurePopup();
  void miEditStructClick();

 signals:
  void focusedItemChanged(orvela::RecordNode* item);  // acNodeFocusChanged
  void editItemRequested(orvela::RecordNode* item);   // acEditItem: item properties dialog
  void auditPropertiesRequested();
  void structureRenumbered();

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  // After an undo or redo the tree shows the item the step was about.
  void commandFinished(const EditCommand& command, EditDirection direction) override;
  struct CommandActions {
    QList<QAction*> needSelection;  // Eigenschaften, Ausschneiden, Kopieren, Löschen
    QList<QAction*> paste;          // Einfügen and its two entries
  };
  void buildStrip(QWidget* strip);
  void buildMenu(QMenu* menu, bool contextMenu, CommandActions& actions);
  void updateCommandStates();
  void applyFilter();
  void restoreExpansion(const RecordNode* top);
  void itemAboutToBeRemoved(RecordNode* node);
  void pasted(const std::vector<RecordNode*>& items, RecordNode* focused, bool asChild);

  WorkFileContext& context_;
  StructureModel* model_;
  StructureTreeView* tree_;
  QSplitter* splitter_;
  QWidget* panelDetail_;
  QLabel* laSelectItems_;
  QComboBox* cmbKindSelect_;
  QComboBox* cmbSelect_;
  QCheckBox* cmbShowLevel_;
  QToolButton* sbAuditProperties_;
  QMenu* menuStructure_;
  CommandActions contextActions_;
  CommandActions editActions_;
  bool sized_ = false;
  // The tree's width, kept while the page changes its size; 0 until the page is first shown.
  int treeWidth_ = 0;
  void keepTreeWidth();
};

}  // namespace orvela
