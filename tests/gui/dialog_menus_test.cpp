// Every dialog of the program opened from its menu entry, run through the services the frame
// hands out and answered there: cancelled, nothing changes; confirmed, the dialog's work
// reaches the frame or the work file.
#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTreeView>
#include <memory>

#include "app/srcMain.h"
#include "support/Doubles.h"
#include "support/FrameFixture.h"
#include "support/TestServices.h"
#include "support/WorkFiles.h"
#include "model/srcGlobalDef.h"
#include "workfile/StructurePage.h"
#include "workfile/StructureTreeView.h"
#include "workfile/srcWorkfile.h"

using namespace orvela;
using namespace orvela::test;

namespace {

enum class Scope { Frame, Window };

// An entry of the menus, at any depth, by objectName.
QAction* MenuEntry(const QList<QAction*>& entries, const QString& name) {
  for (QAction* entry : entries) {
    if (entry->objectName() == name) return entry;
    if (QMenu* sub = entry->menu())
      if (QAction* found = MenuEntry(sub->actions(), name)) return found;
  }
  return nullptr;
}

}  // namespace

Q_DECLARE_METATYPE(Scope)

class DialogMenusTest : public QObject {
  Q_OBJECT
  FrameFixture fixture;
  std::unique_ptr<TestEnvironment>& env = fixture.env;
  std::unique_ptr<TfrmMain>& frame = fixture.frame;

  // A window over a work file with one item, that item selected.
  TfrmWorkFile* openWindow() {
    const QString path = env->workPath("Akte.owp");
    WriteSampleWorkFile(path, "Planung");
    TfrmWorkFile* w = frame->CreateWorkFileWindow();
    if (w->LoadWorkFile(path) != TfrmWorkFile::LoadOutcome::Loaded) qFatal("cannot load the sample");
    QTreeView* tree = w->structurePage()->tree();
    tree->setCurrentIndex(tree->model()->index(0, 0));
    return w;
  }
  // Chooses the entry in the menu bar as it stands: the frame's own menus without a window,
  // the window's menus with one.
  void choose(const QString& name) {
    QList<QAction*> bar;
    for (QAction* menu : frame->menuBar()->actions()) bar.append(menu);
    QAction* entry = MenuEntry(bar, name);
    QVERIFY2(entry, qPrintable(name + " is not in the menus"));
    QVERIFY2(entry->isEnabled(), qPrintable(name + " is disabled"));
    entry->trigger();
  }

 private slots:
  void init() { fixture.start(); }
  void cleanup() { fixture.stop(); }

  void eachEntryOpensItsDialog_data() {
    QTest::addColumn<Scope>("scope");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("dialog");
    QTest::newRow("frame: settings") << Scope::Frame << "miGeneralSettings" << "dlgGeneralSettings";
    QTest::newRow("frame: about") << Scope::Frame << "miAbout" << "dlgAbout";
    QTest::newRow("window: settings") << Scope::Window << "miGeneralSettings" << "dlgGeneralSettings";
    QTest::newRow("window: project properties") << Scope::Window << "miAuditProperties" << "dlgAuditProperties";
    QTest::newRow("window: item properties") << Scope::Window << "miStructEdit1" << "dlgItemProperties";
    QTest::newRow("window: about") << Scope::Window << "HelpAbout1" << "dlgAbout";
  }
  void eachEntryOpensItsDialog() {
    QFETCH(Scope, scope);
    QFETCH(QString, entry);
    QFETCH(QString, dialog);
    TfrmWorkFile* w = scope == Scope::Window ? openWindow() : nullptr;
    const QString settingsBefore = env->readSettings();
    const std::vector<std::string> itemBefore = w ? w->data().structure.root().child(0)->record.lines()
                                                  : std::vector<std::string>{};
    bool visibleControls = false;
    env->modals.handler = [&visibleControls](QDialog& shown) {
      // The dialog is complete when it is run: its controls are there to be filled.
      visibleControls = !shown.findChildren<QWidget*>().isEmpty();
      return int(QDialog::Rejected);
    };
    choose(entry);
    QCOMPARE(env->modals.opened, QStringList{dialog});
    QVERIFY(visibleControls);
    // Cancelled: no message, no change anywhere.
    QCOMPARE(env->messages.texts(), QStringList());
    QCOMPARE(env->readSettings(), settingsBefore);
    if (w) {
      QVERIFY(!w->isModified());
      QCOMPARE(w->data().structure.root().child(0)->record.lines(), itemBefore);
    }
  }

  void confirmedSettingsAreWrittenAndAdopted() {
    env->modals.handler = [](QDialog& shown) {
      Control<QLineEdit>(&shown, "editWorkingDir")->setText("/akten/2026");
      shown.accept();
      return shown.result();
    };
    choose("miGeneralSettings");
    QCOMPARE(frame->settings().workingDir, QString("/akten/2026"));
    QVERIFY(env->readSettings().contains("WorkingDir=/akten/2026"));
  }

  void confirmedWindowDialogsChangeTheWorkFile_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("itemName");  // what the item is called afterwards
    QTest::newRow("project properties") << "miAuditProperties" << "Planung";
    QTest::newRow("item properties") << "miStructEdit1" << "Abschluss";
  }
  void confirmedWindowDialogsChangeTheWorkFile() {
    QFETCH(QString, entry);
    QFETCH(QString, itemName);
    TfrmWorkFile* w = openWindow();
    env->modals.handler = [](QDialog& shown) {
      if (auto* name = shown.findChild<QLineEdit*>("editName")) name->setText("Abschluss");
      shown.accept();
      return shown.result();
    };
    choose(entry);
    QVERIFY(w->isModified());
    QCOMPARE(w->data().structure.root().child(0)->record.value(key::NAME), itemName.toStdString());
  }
};

QTEST_MAIN(DialogMenusTest)
#include "dialog_menus_test.moc"
