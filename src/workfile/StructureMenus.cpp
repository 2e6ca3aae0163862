// The commands of the structure tree in the context menu menuStructure and in the
// window's menu "Bearbeiten", built from one table.
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeySequence>
#include <QMenu>

#include "workfile/StructureClipboard.h"
#include "workfile/StructurePage.h"
#include "workfile/StructureTreeView.h"

namespace orvela {

namespace {

enum class Enabling { Always, Selection, Paste };

struct Command {
  const char* contextName;  // in menuStructure; null for a separator
  const char* editName;     // in "Bearbeiten"
  const char* caption;
  const char* hint;
  void (StructurePage::*run)();  // null: the "Einfügen" submenu, filled by the entries after it
  Enabling enabling;
  const char* shortcut;  // only in the tree, where it cannot reach other tabs' editors
  bool inPasteMenu;
};

const Command kCommands[] = {
    {"miStructEdit", "miStructEdit1", "Eigenschaften", "Eigenschaften des aktuell selektierten Elements bearbeiten",
     &StructurePage::acEditItem, Enabling::Selection, nullptr, false},
    {nullptr, nullptr, nullptr, nullptr, nullptr, Enabling::Always, nullptr, false},
    {"New1", "Neu1", "Neu", "neues Element hinzufügen (unter aktuell selektiertem Element)", &StructurePage::caNewNode,
     Enabling::Always, "Ins", false},
    {"NewChild1", "NeuesUnterelement1", "Neues Unterelement", "neues Unterelement zum selektierten Element hinzufügen",
     &StructurePage::caNewChildNode, Enabling::Always, "Alt+Ins", false},
    {nullptr, nullptr, nullptr, nullptr, nullptr, Enabling::Always, nullptr, false},
    {"miStructCut", "miStructCut1", "Ausschneiden",
     "selektiertes Element ausschneiden und in die Zwischenablage kopieren", &StructurePage::caCutNode,
     Enabling::Selection, "Ctrl+X", false},
    {"miStructCopy", "miStructCopy1", "Kopieren", "seletiertes Element in Zwischenablage kopieren",
     &StructurePage::caCopyNode, Enabling::Selection, "Ctrl+C", false},
    {"miStructPaste", "miStructPaste1", "Einfügen", "", nullptr, Enabling::Paste, nullptr, false},
    {"asChild1", "alsUnterelement1", "... als Unterelement",
     "Element in der Zwischenablage als Unterelement zum aktuell selektierten Element einfügen",
     &StructurePage::caPasteNodeAsChild, Enabling::Paste, "Ctrl+Shift+V", true},
    {"asSibling1", "aufgleicherEbene1", "... auf gleicher Ebene",
     "Element in der Zwischenablage einfügen (unter dem aktuell selektierten Element)",
     &StructurePage::caPasteNodeAsSibling, Enabling::Paste, "Ctrl+V", true},
    {"miStructDel", "miStructDel1", "Löschen", "selektiertes Element löschen", &StructurePage::caDeleteNode,
     Enabling::Selection, "Del", false},
};

}  // namespace

void StructurePage::buildMenu(QMenu* menu, bool contextMenu, CommandActions& actions) {
  QMenu* pasteMenu = nullptr;
  for (const Command& c : kCommands) {
    if (!c.contextName) {
      menu->addSeparator();
      continue;
    }
    const QString caption = QString::fromUtf8(c.caption);
    const QString hint = QString::fromUtf8(c.hint);
    const QString name = QString::fromLatin1(contextMenu ? c.contextName : c.editName);
    QAction* action = nullptr;
    if (!c.run) {
      // Owned by the page, so the window's menu may go first.
      pasteMenu = new QMenu(caption, this);
      pasteMenu->setToolTipsVisible(true);
      action = pasteMenu->menuAction();
      menu->addMenu(pasteMenu);
    } else {
      action = new QAction(caption, this);
      connect(action, &QAction::triggered, this, c.run);
      (c.inPasteMenu && pasteMenu ? pasteMenu : menu)->addAction(action);
    }
    action->setObjectName(name);
    if (!hint.isEmpty()) {
      action->setStatusTip(hint);
      action->setToolTip(hint);
    }
    if (contextMenu && c.shortcut) {
      action->setShortcut(QKeySequence(QString::fromLatin1(c.shortcut)));
      action->setShortcutContext(Qt::WidgetShortcut);
      tree_->addAction(action);
    }
    if (c.enabling == Enabling::Selection) actions.needSelection << action;
    if (c.enabling == Enabling::Paste) actions.paste << action;
  }
  // The context menu's "Eigenschaften" is never shown there; the menu bar has it.
  if (contextMenu) actions.needSelection.first()->setVisible(false);
}

void StructurePage::populateEditMenu(QMenu* menu) {
  if (!menu) return;
  menu->setToolTipsVisible(true);
  editActions_ = {};
  buildMenu(menu, false, editActions_);
  connect(menu, &QMenu::aboutToShow, this, &StructurePage::miEditStructClick);
  updateCommandStates();
}

void StructurePage::menuStructurePopup() { updateCommandStates(); }

void StructurePage::miEditStructClick() { updateCommandStates(); }

void StructurePage::updateCommandStates() {
  // Evaluated as a menu opens, and also when selection or clipboard change, so that the
  // tree's shortcuts follow the same rules.
  const bool selected = selectedItem() != nullptr;
  const bool canPaste = HasStructureData(QGuiApplication::clipboard()->mimeData());
  for (CommandActions* set : {&contextActions_, &editActions_}) {
    for (QAction* a : set->needSelection) a->setEnabled(selected);
    for (QAction* a : set->paste) a->setEnabled(canPaste);
  }
}

}  // namespace orvela
