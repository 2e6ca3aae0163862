// The checks of what a window draws (support/DrawnChecks): each must find the fault it is
// made for, and stay quiet on a window without it.
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QFile>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/RecordListModel.h"
#include "support/DrawnChecks.h"

using namespace orvela;
using namespace orvela::test;

namespace {

// The header answer the record grids once gave: the column width with no height.
class ZeroHeightHeader : public QIdentityProxyModel {
 public:
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (role == Qt::SizeHintRole) return QSize(100, 0);
    return QIdentityProxyModel::headerData(section, orientation, role);
  }
};

QIcon OneColour(QColor colour) {
  QPixmap pixmap(16, 16);
  pixmap.fill(colour);
  return QIcon(pixmap);
}

QIcon Drawn() {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.fillRect(4, 4, 8, 8, Qt::black);
  return QIcon(pixmap);
}

bool Mentions(const QStringList& faults, const QString& window, const QString& widget, const QString& what) {
  for (const QString& f : faults)
    if (f.startsWith(window + ": " + widget + ": ") && f.contains(what)) return true;
  return false;
}

// A tab widget with a path to its hidden tab: Ctrl+Tab goes to the last tab.
class LeakyTabs : public QTabWidget {
 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_Tab && (event->modifiers() & Qt::ControlModifier)) {
      setCurrentIndex(count() - 1);
      return;
    }
    QTabWidget::keyPressEvent(event);
  }
};

}  // namespace

// Q_INIT_RESOURCE and Q_CLEANUP_RESOURCE must be called outside any namespace.
static void UnregisterDescriptionIcons() { Q_CLEANUP_RESOURCE(description_icons); }
static void RegisterDescriptionIcons() { Q_INIT_RESOURCE(description_icons); }

class DrawnChecksTest : public QObject {
  Q_OBJECT

  std::unique_ptr<QDialog> window;

  QDialog* newWindow() {
    window = std::make_unique<QDialog>();
    window->setObjectName("dlgProbe");
    return window.get();
  }
  void show() {
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
  }

 private slots:
  void cleanup() { window.reset(); }

  void headerWithoutHeightIsFound() {
    std::vector<FieldList> rows{FieldList({"ITEM=a", "VALUE=b"})};
    platform::RecordListModel model(rows, {platform::RecordColumn::position(38),
                                           platform::RecordColumn::field("Eigenschaft", 120, "ITEM")});
    ZeroHeightHeader zero;
    zero.setSourceModel(&model);
    struct Case {
      const char* name;
      QAbstractItemModel* model;
      bool fault;
    };
    const Case cases[] = {{"the grid model", &model, false}, {"a header of height 0", &zero, true}};
    for (const Case& c : cases) {
      auto* view = new QTableView(newWindow());
      view->setObjectName("vtProbe");
      view->setModel(c.model);
      (new QVBoxLayout(window.get()))->addWidget(view);
      show();
      const QStringList faults = CheckHeaders(window.get());
      QVERIFY2(Mentions(faults, "dlgProbe", "vtProbe", "header has no room") == c.fault,
               qPrintable(c.name + (": " + faults.join('\n'))));
    }
  }

  void missingOrBlankIconsAreFound() {
    RegisterDescriptionIcons();
    const QString bold = ":/icons/description/bold.png";
    struct Case {
      const char* name;
      std::function<QIcon()> icon;
      QString text;
      const char* fault;  // nullptr: none
    };
    const Case cases[] = {
        {"a registered picture", [&] { return QIcon(bold); }, QString(), nullptr},
        {"a drawn picture", Drawn, QString(), nullptr},
        {"a picture of one colour", [] { return OneColour(Qt::white); }, QString(), "icon is blank"},
        {"a transparent picture", [] { return OneColour(Qt::transparent); }, QString(), "icon is blank"},
        {"no picture", [] { return QIcon(); }, QString(), "shows no icon"},
        {"no picture but a caption", [] { return QIcon(); }, QString("..."), nullptr},
        {"a resource that is not registered",
         [&] {
           UnregisterDescriptionIcons();
           QIcon icon(bold);
           icon.pixmap(16, 16);  // looked up while the resource is gone
           RegisterDescriptionIcons();
           return icon;
         },
         QString(), "shows no icon"},
    };
    for (const Case& c : cases) {
      newWindow();
      for (bool enabled : {true, false}) {
        auto* button = new QToolButton(window.get());
        button->setObjectName(enabled ? "tbProbe" : "tbDisabled");
        button->setIcon(c.icon());
        button->setText(c.text);
        button->setEnabled(enabled);
        button->move(enabled ? 0 : 40, 0);
      }
      show();
      const QStringList faults = CheckIcons(window.get());
      for (const char* name : {"tbProbe", "tbDisabled"}) {
        const bool found = c.fault && Mentions(faults, "dlgProbe", name, c.fault);
        QVERIFY2(c.fault ? found : faults.isEmpty(), qPrintable(QString(c.name) + ": " + faults.join('\n')));
      }
    }
    QVERIFY(!QIcon(bold).pixmap(16, 16).isNull());  // registered again for the rest of the program
  }

  void textsLongerThanTheirSpaceAreFound() {
    const QString longCaption = "neue Projektdatei beim Programmstart";
    struct Case {
      const char* name;
      std::function<void(QWidget*)> build;  // puts one widget named "wProbe" into the window
      const char* fault;                    // nullptr: none
    };
    const Case cases[] = {
        {"a label with room", [&](QWidget* w) { (new QLabel(longCaption, w))->adjustSize(); }, nullptr},
        {"a label narrower than its text",
         [&](QWidget* w) { (new QLabel(longCaption, w))->resize(80, 20); }, "text cut off"},
        {"a label beyond its parent's edge",
         [&](QWidget* w) {
           auto* label = new QLabel(longCaption, w);
           label->adjustSize();
           label->move(w->width() - 20, 0);
         },
         "cut off by the edge of dlgProbe"},
        {"a word-wrapped label too low",
         [&](QWidget* w) {
           auto* label = new QLabel(longCaption + " " + longCaption, w);
           label->setWordWrap(true);
           label->resize(90, 10);
         },
         "text cut off"},
        {"a check box narrower than its text",
         [&](QWidget* w) { (new QCheckBox(longCaption, w))->resize(120, 20); }, "caption \"neue Projektdatei beim Programmstart\" cut off"},
        {"a check box with room", [&](QWidget* w) { (new QCheckBox(longCaption, w))->adjustSize(); }, nullptr},
        {"tab captions wider than the tab widget",
         [&](QWidget* w) {
           auto* tabs = new QTabWidget(w);
           for (const char* t : {"Allgemein", "Risikodefinition", "Organisationseinheiten"}) tabs->addTab(new QWidget, t);
           tabs->resize(150, 100);
         },
         "tab \"Organisationseinheiten\" cut off"},
        {"a header caption wider than its column",
         [&](QWidget* w) {
           auto* model = new QStandardItemModel(1, 2, w);
           model->setHorizontalHeaderLabels({"#", "Organisationseinheiten"});
           auto* view = new QTableView(w);
           view->setModel(model);
           view->setColumnWidth(1, 40);
           view->resize(300, 100);
         },
         "header caption \"Organisationseinheiten\" cut off"},
    };
    for (const Case& c : cases) {
      newWindow()->resize(300, 200);
      c.build(window.get());
      for (QWidget* w : window->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) w->setObjectName("wProbe");
      show();
      const QStringList faults = CheckTextsFit(window.get());
      const bool found = c.fault && Mentions(faults, "dlgProbe", "wProbe", QString::fromUtf8(c.fault));
      QVERIFY2(c.fault ? found : faults.isEmpty(), qPrintable(QString(c.name) + ": " + faults.join('\n')));
    }
  }

  void gridValuesWiderThanTheirColumnAreFound() {
    for (int width : {50, 250}) {
      auto* model = new QStandardItemModel(1, 1, newWindow());
      model->setItem(0, 0, new QStandardItem("Prüfungsdurchführung"));
      auto* view = new QTableView(window.get());
      view->setObjectName("vtProbe");
      view->setModel(model);
      view->setColumnWidth(0, width);
      view->resize(300, 100);
      show();
      const QStringList faults = CheckValuesFit(window.get(), {"vtProbe"});
      QCOMPARE(Mentions(faults, "dlgProbe", "vtProbe", "value \"Prüfungsdurchführung\" in row 1, column 0 cut off"),
               width == 50);
      QCOMPARE(faults.size(), width == 50 ? 1 : 0);
    }
  }

  void hiddenTabsReachedAreFound() {
    struct Case {
      const char* name;
      bool leaky;
      bool fault;
    };
    const Case cases[] = {{"a hidden, disabled tab", false, false},
                          {"a tab widget whose Ctrl+Tab goes to the last tab", true, true}};
    for (const Case& c : cases) {
      QTabWidget* tabs = c.leaky ? new LeakyTabs : new QTabWidget;
      tabs->setParent(newWindow());
      tabs->setObjectName("pcProbe");
      for (const char* t : {"Allgemein", "Risiko", "Mitarbeiter"}) {
        auto* page = new QWidget;
        page->setObjectName(QString("ts") + t);
        tabs->addTab(page, t);
      }
      tabs->setTabVisible(2, false);
      tabs->setTabEnabled(2, false);
      (new QVBoxLayout(window.get()))->addWidget(tabs);
      show();
      const QStringList faults = CheckHiddenTabsUnreachable(window.get());
      const bool found =
          Mentions(faults, "dlgProbe", "pcProbe", "hidden tab \"Mitarbeiter\" (tsMitarbeiter) reached by Ctrl+Tab");
      QVERIFY2(c.fault ? found : faults.isEmpty(), qPrintable(QString(c.name) + ": " + faults.join('\n')));
      QCOMPARE(tabs->currentIndex(), 0);  // left as it was
    }
  }

  void screensAreWritten() {
    newWindow()->resize(120, 80);
    show();
    const QString path = SaveScreen(window.get(), "probe");
    QVERIFY(!path.isEmpty());
    QCOMPARE(QImage(path).size(), window->grab().size());
    QFile::remove(path);
  }
};

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  DrawnChecksTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "drawn_checks_test.moc"
