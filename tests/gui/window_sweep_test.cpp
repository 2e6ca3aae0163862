// Every window and dialog of the program, each at its opening size with the platform's
// default font, looked at as drawn (support/DrawnChecks): pictures on the text-less buttons,
// texts shown whole, headers with room, hidden tabs out of reach. A picture of each is left
// in <build>/screens/ for a reviewer.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QMdiSubWindow>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTextBrowser>
#include <functional>
#include <memory>

#include "dialogs/srcAbout.h"
#include "dialogs/srcGeneralSettings.h"
#include "platform/HelpWindow.h"
#include "properties/srcAuditProperties.h"
#include "properties/srcEditBaseVals.h"
#include "support/DrawnChecks.h"
#include "support/FrameFixture.h"
#include "workfile/DocumentsPage.h"
#include "workfile/StructurePage.h"
#include "workfile/srcEditDoc.h"
#include "workfile/srcFindingProperties.h"
#include "workfile/srcItemProperties.h"
#include "workfile/srcWorkfile.h"

using namespace orvela;
using namespace orvela::test;

class WindowSweepTest : public QObject {
  Q_OBJECT
  FrameFixture fixture;
  QStringList faults;

  TfrmWorkFile* workFile() { return fixture.frame->activeWorkFile(); }

  // Checks the window as it is drawn now and keeps its picture.
  void look(QWidget* window, const QString& screen) {
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCoreApplication::processEvents();
    faults << CheckDrawn(window);
    QVERIFY2(!SaveScreen(window, screen).isEmpty(), qPrintable(screen));
  }

  // Looks at every page of a tab widget in turn, as the user would click through them.
  void lookAtEachTab(QWidget* window, QTabWidget* tabs, const QString& screen) {
    for (int i = 0; i < tabs->count(); ++i) {
      if (!tabs->isTabVisible(i)) continue;
      tabs->setCurrentIndex(i);
      look(window, screen + "-" + tabs->widget(i)->objectName());
    }
    tabs->setCurrentIndex(0);
  }

  // A dialog the program runs modally, taken while it is open.
  void lookAtModal(const QString& screen, const std::function<void()>& open, const char* tabs = nullptr) {
    bool shown = false;
    fixture.env->modals.handler = [&](QDialog& dialog) {
      dialog.show();
      if (tabs)
        lookAtEachTab(&dialog, dialog.findChild<QTabWidget*>(tabs), screen);
      else
        look(&dialog, screen);
      shown = true;
      return int(QDialog::Rejected);
    };
    open();
    fixture.env->modals.handler = nullptr;
    QVERIFY2(shown, qPrintable(screen + " did not open"));
  }

  void expectNoFaults() {
    const QStringList found = faults;
    faults.clear();
    QVERIFY2(found.isEmpty(), qPrintable("\n" + found.join('\n')));
  }

 private slots:
  void initTestCase() {
    fixture.start();
    QVERIFY(QTest::qWaitForWindowExposed(fixture.frame.get()));
    const QString path = fixture.env->workPath("Musterpruefung.owp");
    QVERIFY(QFile::copy(ORVELA_SOURCE_DIR "/examples/Musterpruefung.owp", path));
    fixture.frame->OpenFromCommandLine(path);
    QVERIFY(workFile());
    workFile()->parentWidget()->showMaximized();  // the way an auditor works in it
  }
  void cleanupTestCase() { fixture.stop(); }
  void cleanup() { faults.clear(); }

  void frameWithoutWorkFile() {
    TfrmMain empty(fixture.env->services);
    empty.show();
    look(&empty, "frame-empty");
    expectNoFaults();
  }

  void workFileWindowTabs() {
    TfrmMain* frame = fixture.frame.get();
    QTabWidget* workspace = workFile()->workspace();
    for (int i = 0; i < workspace->count(); ++i) {
      workspace->setCurrentIndex(i);
      workFile()->pcWorkspaceChange(i);
      look(frame, "workfile-" + workspace->widget(i)->objectName());
    }
    workspace->setCurrentIndex(TfrmWorkFile::Structure);
    expectNoFaults();
  }

  // The reports tab with each example report run: the note on page, header and footer
  // above the preview shows whole.
  void reportsTabWithAReport() {
    fixture.frame->setReportDir(ORVELA_SOURCE_DIR "/examples/reports");
    QTabWidget* workspace = workFile()->workspace();
    workspace->setCurrentIndex(TfrmWorkFile::Reports);
    auto* combo = workFile()->findChild<QComboBox*>("cmbReport");
    auto* run = workFile()->findChild<QAbstractButton*>("sbExecReport");
    QVERIFY(combo && run);
    for (const char* name : {"Pruefbericht", "Feststellungsliste", "Dokumentenverzeichnis"}) {
      combo->setEditText(QString::fromLatin1(name) + ".rtf");
      run->click();
      QVERIFY2(workFile()->findChild<QWidget*>("labelReportPage")->isVisible(), name);
      look(fixture.frame.get(), QString("workfile-report-") + name);
    }
    workspace->setCurrentIndex(TfrmWorkFile::Structure);
    expectNoFaults();
  }

  void itemDetailPanelTabs() {
    workFile()->workspace()->setCurrentIndex(TfrmWorkFile::Structure);
    auto* panel = workFile()->findChild<QWidget*>("panelDetail");
    QVERIFY(panel);
    lookAtEachTab(fixture.frame.get(), panel->findChild<QTabWidget*>("PageControl1"), "panel");
    expectNoFaults();
  }

  void itemProperties() {
    workFile()->workspace()->setCurrentIndex(TfrmWorkFile::Structure);
    lookAtModal("item-properties", [this] { QVERIFY(TriggerAction(workFile(), "miStructEdit1")); }, "PageControl1");
    expectNoFaults();
  }

  void findingProperties() {
    workFile()->workspace()->setCurrentIndex(TfrmWorkFile::Structure);
    // The first item with findings, its first finding selected in the panel.
    StructurePage* page = workFile()->structurePage();
    RecordNode* withFindings = nullptr;
    std::function<void(RecordNode&)> find = [&](RecordNode& node) {
      for (std::size_t i = 0; i < node.childCount() && !withFindings; ++i) {
        if (!node.child(i)->record.value("FINDINGS").empty()) withFindings = node.child(i);
        find(*node.child(i));
      }
    };
    find(workFile()->data().structure.root());
    QVERIFY2(withFindings, "the example work file has findings");
    page->focusItem(withFindings);
    auto* panel = workFile()->findChild<QWidget*>("panelDetail");
    auto* list = panel->findChild<QTableView*>("vtFindings");
    list->selectionModel()->setCurrentIndex(list->model()->index(0, 1),
                                            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    lookAtModal("finding-properties", [panel] { panel->findChild<QAbstractButton*>("sbEditFinding")->click(); },
                "PageControl1");
    expectNoFaults();
  }

  void documentDialog() {
    const RecordNode* first = workFile()->data().documents.root().child(0);
    QVERIFY2(first, "the example work file has documents");
    TdlgEditDoc dialog(fixture.env->services, first->record, fixture.frame.get());
    dialog.show();
    look(&dialog, "document");
    expectNoFaults();
  }

  void projectPropertiesAndEntryDialog() {
    TdlgAuditProperties dialog(workFile()->context(), fixture.frame.get());
    dialog.show();
    lookAtEachTab(&dialog, dialog.pageControl(), "project-properties");
    // The definitions are short texts: each is seen whole when the dialog opens.
    for (int i = 0; i < dialog.pageControl()->count(); ++i) {
      dialog.pageControl()->setCurrentIndex(i);
      faults << CheckValuesFit(&dialog, {"vtGeneral", "vtRisk", "vtOU"});
    }
    QTableView* general = dialog.grid(TdlgAuditProperties::General);
    general->selectRow(0);
    TdlgEditBaseVals* entry = dialog.EditDefinitionEntry(general);
    QVERIFY(entry);
    look(entry, "definition-entry");
    entry->reject();
    expectNoFaults();
  }

  void generalSettings() {
    TdlgGeneralSettings dialog(fixture.env->services, fixture.frame->settings(), fixture.frame.get());
    dialog.show();
    look(&dialog, "general-settings");
    expectNoFaults();
  }

  void about() {
    TdlgAbout dialog(fixture.env->services, fixture.frame.get());
    dialog.show();
    lookAtEachTab(&dialog, dialog.findChild<QTabWidget*>("PageControl1"), "about");
    expectNoFaults();
  }

  // The dialogs grow with the font in use: with one half as large again, every text of
  // them still shows whole, and none is smaller than its design size.
  void dialogsGrowWithALargerFont() {
    const QFont original = QApplication::font();
    QFont larger = original;
    larger.setPointSizeF(original.pointSizeF() * 1.5);
    QApplication::setFont(larger);
    QWidget* parent = fixture.frame.get();
    platform::Services& services = fixture.env->services;
    const RecordNode* item = workFile()->data().structure.root().child(0);
    const RecordNode* document = workFile()->data().documents.root().child(0);
    struct Dialog {
      const char* screen;
      std::function<QDialog*()> make;
      QSize design;
    };
    const Dialog dialogs[] = {
        {"general-settings", [&] { return new TdlgGeneralSettings(services, fixture.frame->settings(), parent); }, {378, 160}},
        {"about", [&] { return new TdlgAbout(services, parent); }, {380, 197}},
        {"project-properties", [&] { return new TdlgAuditProperties(workFile()->context(), parent); }, {427, 211}},
        {"definition-entry", [&] { return new TdlgEditBaseVals(services, parent); }, {340, 110}},
        {"item-properties", [&] { return new TdlgItemProperties(workFile()->context(), *item, parent); }, {520, 380}},
        {"finding-properties", [&] { return new TdlgFindingProperties(services, parent); }, {360, 330}},
        {"document", [&] { return new TdlgEditDoc(services, document->record, parent); }, {0, 0}},
    };
    for (const Dialog& d : dialogs) {
      std::unique_ptr<QDialog> dialog(d.make());
      dialog->show();
      look(dialog.get(), QString(d.screen) + "-larger-font");
      QVERIFY2(dialog->width() >= d.design.width() && dialog->height() >= d.design.height(), d.screen);
    }
    QApplication::setFont(original);
    expectNoFaults();
  }

  void help() {
    platform::HelpWindow* window = platform::HelpWindow::showContext(300);
    look(window, "help");
    window->close();
    expectNoFaults();
  }
};

QTEST_MAIN(WindowSweepTest)
#include "window_sweep_test.moc"
