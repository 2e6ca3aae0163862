// The about dialog: captions, version, tabs, homepage link, help.
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <memory>

#include "dialogs/srcAbout.h"
#include "platform/ErrorReport.h"
#include "support/Doubles.h"
#include "support/TestServices.h"

using namespace orvela;
using orvela::test::TestEnvironment;

class AboutTest : public QObject {
  Q_OBJECT
  std::unique_ptr<TestEnvironment> env;
  std::unique_ptr<TdlgAbout> dialog;

  template <class T>
  T* child(const char* name) {
    return test::Control<T>(dialog.get(), name);
  }

 private slots:
  void init() {
    env = std::make_unique<TestEnvironment>();
    dialog = std::make_unique<TdlgAbout>(env->services);
    dialog->show();
    dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
  }
  void cleanup() {
    dialog.reset();
    env.reset();
  }

  void captionsAndVersion() {
    QCOMPARE(dialog->windowTitle(), QString("Information"));
    QVERIFY(dialog->width() >= 380 && dialog->height() >= 197);  // larger where the font needs it
    QCOMPARE(child<QLabel>("labelVersion")->text(), QString("1.10"));
    auto* title = child<QLabel>("labelTitle");
    QCOMPARE(title->text(), QString("Orvela WP (Working Papers)"));
    QCOMPARE(title->font().pixelSize(), 13);
    QCOMPARE(title->font().families().value(0), QString("Tahoma"));
    QCOMPARE(child<QLabel>("Image1")->pixmap().deviceIndependentSize().toSize(), QSize(32, 32));
    QCOMPARE(child<QPushButton>("pbOk")->text(), QString("Ok"));
  }

  void threeTabsVersionFirst() {
    auto* pages = child<QTabWidget>("PageControl1");
    // The tabs over the full height, the button in a strip of 83 pixels beside them.
    QCOMPARE(pages->width(), dialog->width() - 83);
    QCOMPARE(pages->height(), dialog->height());
    const QStringList captions{"Version", "Nutzungsbestimmungen", "Danksagung"};
    const QStringList names{"TabSheet1", "TabSheet2", "TabSheet3"};
    QCOMPARE(pages->count(), 3);
    for (int i = 0; i < 3; ++i) {
      QCOMPARE(pages->tabText(i), captions[i]);
      QCOMPARE(pages->widget(i)->objectName(), names[i]);
    }
    QCOMPARE(pages->currentIndex(), 0);
    for (const char* memo : {"memoLegal", "Memo2"}) {
      auto* m = child<QPlainTextEdit>(memo);
      QVERIFY2(m->isReadOnly() && !m->toPlainText().isEmpty(), memo);
      QCOMPARE(m->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    }
    const QString thanks = child<QPlainTextEdit>("Memo2")->toPlainText();
    for (const char* library : {"Qt 6", "LGPLv3", "OpenSSL", "Apache License, Version 2.0", "nlohmann/json", "MIT",
                                "CLI11", "BSD 3-Clause", "GoogleTest", "Google Benchmark"})
      QVERIFY2(thanks.contains(QString::fromUtf8(library)), library);
  }

  void homepageLinkOpensThroughTheDesktop() {
    auto* link = child<QLabel>("labelHomepage");
    QVERIFY(link->text().contains("https://orvela-wp.example.org"));
    QVERIFY(link->text().contains("color:#0000ff"));
    emit link->linkActivated(TdlgAbout::homepageAddress());
    QCOMPARE(env->shell.opened, QStringList{"https://orvela-wp.example.org"});
    QVERIFY(dialog->isVisible());
  }

  void okEnterAndF1() {
    QTest::keyClick(dialog.get(), Qt::Key_F1);
    QCOMPARE(env->help.contexts, QList<int>{120});
    QVERIFY(dialog->isVisible());
    QTest::keyClick(child<QTabWidget>("PageControl1"), Qt::Key_Return);
    QVERIFY(!dialog->isVisible());
    dialog->show();
    child<QPushButton>("pbOk")->click();
    QVERIFY(!dialog->isVisible());
  }
};

int main(int argc, char** argv) {
  platform::OrvelaApplication app(argc, argv);
  AboutTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "about_test.moc"
