// The frame's action list alMain, its menus and the toolbar tb2.
#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QStyle>
#include <QToolBar>

#include "app/ToolbarIcons.h"
#include "app/WindowArrangement.h"
#include "app/srcMain.h"
#include "workfile/srcWorkfile.h"

namespace orvela {
namespace {

struct CommandSpec {
  const char* name;
  const char* caption;
  const char* shortHint;
  const char* longHint;
};

// alMain, in its order. Captions carry their access keys; hints are tooltip and status text.
constexpr CommandSpec kCommands[] = {
    {"FileNew1", "&Neu", "Neu", "Neue Datei erstellen"},
    {"FileOpen1", "Öffnen...", "Öffnen", "Datei öffnen"},
    {"FileClose1", "Fenster schliessen", "Schließen", "Aktuelle Datei schließen"},
    {"FileExit1", "&Beenden", "Beenden", "Programm beenden"},
    {"WindowCascade1", "Ü&berlappend", "Überlappend", ""},
    {"WindowTileHorizontal1", "Hori&zontal anordnen", "Horizontal anordnen", ""},
    {"WindowTileVertical1", "&Vertikal anordnen", "Vertikal anordnen", ""},
    {"WindowMinimizeAll1", "&Alle verkleinern", "Alle verkleinern", ""},
    {"WindowArrangeAll1", "Alle an&ordnen", "Alle anordnen", ""},
    {"HelpAbout1", "&Info...", "Info", "Anzeige von Programminformationen, Versionsnummer und Copyright-Vermerk"},
};

// The items of the frame's own menus that are not alMain commands.
constexpr CommandSpec kMenuItems[] = {
    {"miFileNew", "&Neu", "Neu", "Neue Datei erstellen"},
    {"miFileOpen", "Öffnen...", "Öffnen", "Datei öffnen"},
    {"miFileExit", "&Beenden", "Beenden", "Programm beenden"},
    {"miGeneralSettings", "Allgemeine Einstellungen...", "", ""},
    {"OrvelaHilfe1", "Orvela Hilfe", "", ""},
    {"OrvelaHomepage1", "Orvela Homepage", "", ""},
    {"miAbout", "&Info...", "Info", "Anzeige von Programminformationen, Versionsnummer und Copyright-Vermerk"},
};

QAction* MakeAction(QObject* owner, const CommandSpec& command) {
  auto* action = new QAction(QString::fromUtf8(command.caption), owner);
  action->setObjectName(QString::fromLatin1(command.name));
  action->setToolTip(QString::fromUtf8(command.shortHint));
  action->setStatusTip(QString::fromUtf8(command.longHint));
  return action;
}

QMenu* MakeMenu(QWidget* owner, const char* name, const char* caption, const char* hint) {
  auto* menu = new QMenu(QString::fromUtf8(caption), owner);
  menu->setObjectName(QString::fromLatin1(name));
  menu->menuAction()->setObjectName(QString::fromLatin1(name));
  menu->menuAction()->setToolTip(QString::fromUtf8(hint));
  menu->menuAction()->setStatusTip(QString::fromUtf8(hint));
  // Hints of the items reach the frame's status bar, also while the menu is open.
  menu->setToolTipsVisible(false);
  return menu;
}

struct CommandKey {
  const char* name;
  QKeyCombination key;
};
const CommandKey kCommandKeys[] = {{"FileNew1", Qt::CTRL | Qt::Key_N},
                                   {"FileOpen1", Qt::CTRL | Qt::Key_O},
                                   {"FileClose1", Qt::CTRL | Qt::Key_W},
                                   {"FileExit1", Qt::CTRL | Qt::Key_Q}};
const CommandKey kMenuItemKeys[] = {
    {"miFileNew", Qt::CTRL | Qt::Key_N}, {"miFileOpen", Qt::CTRL | Qt::Key_O}, {"miFileExit", Qt::CTRL | Qt::Key_Q}};

}  // namespace

void TfrmMain::createActions() {
  alMain_ = new QObject(this);
  alMain_->setObjectName(QStringLiteral("alMain"));
  for (const CommandSpec& command : kCommands) MakeAction(alMain_, command);
  // The frame's keys live on its commands, which the toolbar and the work-file windows'
  // menus share, so they work whichever menu bar is showing.
  for (const auto& [name, key] : kCommandKeys) {
    command(QString::fromLatin1(name))->setShortcut(QKeySequence(key));
    addAction(command(QString::fromLatin1(name)));
  }

  connect(command("FileNew1"), &QAction::triggered, this, &TfrmMain::acFileNew);
  connect(command("FileOpen1"), &QAction::triggered, this, &TfrmMain::acFileOpen);
  connect(command("FileClose1"), &QAction::triggered, this, &TfrmMain::acFileClose);
  connect(command("FileExit1"), &QAction::triggered, this, &QWidget::close);
  connect(command("WindowCascade1"), &QAction::triggered, mdiArea_, &QMdiArea::cascadeSubWindows);
  connect(command("WindowTileHorizontal1"), &QAction::triggered, this,
          [this] { TileSubWindows(mdiArea_, Qt::Horizontal); });
  connect(command("WindowTileVertical1"), &QAction::triggered, this,
          [this] { TileSubWindows(mdiArea_, Qt::Vertical); });
  connect(command("WindowMinimizeAll1"), &QAction::triggered, this, [this] { MinimizeAllSubWindows(mdiArea_); });
  connect(command("WindowArrangeAll1"), &QAction::triggered, this,
          [this] { ArrangeMinimizedSubWindows(mdiArea_); });
  connect(command("HelpAbout1"), &QAction::triggered, this, &TfrmMain::acHelpAbout);

  command("WindowCascade1")->setIcon(ArrangeIcon(ArrangeGlyph::Cascade));
  command("WindowTileHorizontal1")->setIcon(ArrangeIcon(ArrangeGlyph::TileHorizontal));
  command("WindowTileVertical1")->setIcon(ArrangeIcon(ArrangeGlyph::TileVertical));
  command("FileNew1")->setIcon(style()->standardIcon(QStyle::SP_FileIcon));
  command("FileOpen1")->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
  updateWindowCommands();
}

QAction* TfrmMain::command(const QString& name) const {
  return alMain_->findChild<QAction*>(name, Qt::FindDirectChildrenOnly);
}

void TfrmMain::createMenus() {
  QHash<QString, QAction*> items;
  for (const CommandSpec& command : kMenuItems) items.insert(QString::fromLatin1(command.name), MakeAction(this, command));
  // Shown in the menu; the keys themselves are the commands', so an item reacts to its key
  // only while its menu is open and the two never compete.
  for (const auto& [name, key] : kMenuItemKeys) {
    items[QString::fromLatin1(name)]->setShortcut(QKeySequence(key));
    items[QString::fromLatin1(name)]->setShortcutContext(Qt::WidgetShortcut);
  }

  QMenu* file = MakeMenu(this, "miFile", "Datei", "Dateibefehle");
  file->addAction(items["miFileNew"]);
  file->addAction(items["miFileOpen"]);
  miReopen_ = MakeMenu(this, "miReopen", "Neu öffnen", "");
  file->addMenu(miReopen_);
  file->addSeparator();
  file->addAction(items["miFileExit"]);
  connect(file, &QMenu::aboutToShow, this, [this] { BuildReopenMenu(miReopen_); });

  QMenu* options = MakeMenu(this, "miOptions", "Optionen", "");
  options->addAction(items["miGeneralSettings"]);

  QMenu* help = MakeMenu(this, "miHelp", "Hilfe", "Hilfethemen");
  help->addAction(items["OrvelaHilfe1"]);
  help->addAction(items["OrvelaHomepage1"]);
  help->addSeparator();
  help->addAction(items["miAbout"]);

  connect(items["miFileNew"], &QAction::triggered, this, &TfrmMain::acFileNew);
  connect(items["miFileOpen"], &QAction::triggered, this, &TfrmMain::acFileOpen);
  connect(items["miFileExit"], &QAction::triggered, this, &QWidget::close);
  connect(items["miGeneralSettings"], &QAction::triggered, this, &TfrmMain::acGeneralSettings);
  connect(items["OrvelaHilfe1"], &QAction::triggered, this, &TfrmMain::acHelpContents);
  connect(items["OrvelaHomepage1"], &QAction::triggered, this, &TfrmMain::acHelpOVHomepage);
  connect(items["miAbout"], &QAction::triggered, this, &TfrmMain::acHelpAbout);

  frameMenus_ = {file, options, help};
  menuBar()->setObjectName(QStringLiteral("menuMain"));
  showMenusOf(nullptr);
  // The menu captions carry no access letters, so F10 leads into the menu bar.
  auto* toMenu = new QShortcut(QKeySequence(Qt::Key_F10), this);
  connect(toMenu, &QShortcut::activated, this, [this] {
    if (!menuBar()->actions().isEmpty()) menuBar()->setActiveAction(menuBar()->actions().constFirst());
  });
}

void TfrmMain::createToolBar() {
  tb2_ = new QToolBar(QStringLiteral("Werkzeuge"), this);
  tb2_->setObjectName(QStringLiteral("tb2"));
  tb2_->setMovable(false);
  tb2_->setFloatable(false);
  tb2_->setIconSize(QSize(16, 16));
  addToolBar(Qt::TopToolBarArea, tb2_);

  sbFileSave_ = new QAction(style()->standardIcon(QStyle::SP_DialogSaveButton), QStringLiteral("Save"), this);
  sbFileSave_->setObjectName(QStringLiteral("sbFileSave"));
  sbFileSave_->setToolTip(QStringLiteral("Speichern"));
  sbFileSave_->setStatusTip(QStringLiteral("Aktuelle Datei speichern"));
  sbFileSave_->setEnabled(false);
  connect(sbFileSave_, &QAction::triggered, this, &TfrmMain::sbFileSaveClick);

  // Undo and redo of the active work-file window, named after its next step.
  struct HistoryButton {
    QAction** action;
    const char* name;
    const char* caption;
    const char* theme;
    QStyle::StandardPixmap fallback;
    void (TfrmWorkFile::*run)();
  };
  const HistoryButton history[] = {
      {&tbUndo_, "tbUndo", "Rückgängig", "edit-undo", QStyle::SP_ArrowBack, &TfrmWorkFile::acUndo},
      {&tbRedo_, "tbRedo", "Wiederholen", "edit-redo", QStyle::SP_ArrowForward, &TfrmWorkFile::acRedo},
  };
  for (const HistoryButton& b : history) {
    *b.action = new QAction(QIcon::fromTheme(QString::fromLatin1(b.theme), style()->standardIcon(b.fallback)),
                            QString::fromUtf8(b.caption), this);
    (*b.action)->setObjectName(QString::fromLatin1(b.name));
    (*b.action)->setEnabled(false);
    connect(*b.action, &QAction::triggered, this, [this, run = b.run] {
      if (TfrmWorkFile* w = activeWorkFile()) (w->*run)();
    });
  }

  auto* tbHelp = new QAction(HelpIcon(), QStringLiteral("Hilfe"), this);
  tbHelp->setObjectName(QStringLiteral("tbHelp"));
  tbHelp->setToolTip(QStringLiteral("Hilfe"));
  tbHelp->setStatusTip(QStringLiteral("Orvela Hilfe anzeigen"));
  connect(tbHelp, &QAction::triggered, this, &TfrmMain::acHelpContents);

  tb2_->addAction(command("FileNew1"));
  tb2_->addAction(command("FileOpen1"));
  tb2_->addAction(sbFileSave_);
  tb2_->addSeparator();
  tb2_->addAction(tbUndo_);
  tb2_->addAction(tbRedo_);
  tb2_->addSeparator();
  tb2_->addAction(command("WindowCascade1"));
  tb2_->addAction(command("WindowTileHorizontal1"));
  tb2_->addAction(command("WindowTileVertical1"));
  tb2_->addSeparator();
  tb2_->addAction(tbHelp);
}

void TfrmMain::updateUndoButtons() {
  TfrmWorkFile* w = activeWorkFile();
  const std::pair<QAction*, const char*> buttons[] = {{tbUndo_, "miEditUndo"}, {tbRedo_, "miEditRedo"}};
  for (const auto& [button, name] : buttons) {
    const QAction* source = w ? w->findChild<QAction*>(QString::fromLatin1(name)) : nullptr;
    button->setEnabled(source && source->isEnabled());
    if (source) {
      button->setToolTip(source->text());
      button->setStatusTip(source->text());
    }
  }
}

void TfrmMain::updateWindowCommands() {
  const bool any = !mdiArea_->subWindowList().isEmpty();
  for (const char* name : {"FileClose1", "WindowCascade1", "WindowTileHorizontal1", "WindowTileVertical1",
                           "WindowMinimizeAll1", "WindowArrangeAll1"})
    command(QString::fromLatin1(name))->setEnabled(any);
}

}  // namespace orvela
