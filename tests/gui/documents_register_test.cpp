// The documents tab: the register grid, its buttons, the document dialog, in-place name
// editing and moving documents by drag and drop.
#include <QComboBox>
#include <QDropEvent>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QToolTip>
#include <memory>

#include "model/srcGlobalDef.h"
#include "storage/WorkFileXml.h"
#include "support/TestServices.h"
#include "support/Doubles.h"
#include "workfile/DocumentsModel.h"
#include "workfile/DocumentsPage.h"
#include "workfile/DocumentsView.h"
#include "platform/WorkFileContext.h"
#include "workfile/srcEditDoc.h"

using namespace orvela;
using orvela::test::TestEnvironment;

namespace {

// The work-file window as far as the page sees it.
struct WindowDouble : test::ContextDouble {
  explicit WindowDouble(platform::Services& services) : ContextDouble(services) { parentWindow = &window_; }
  QWidget window_;
};

// Appends a document with the given values; an empty text leaves the initial value.
RecordNode* AddDocument(WorkFileData& data, const std::string& name, const std::string& id,
                        RecordNode* parent = nullptr) {
  FieldList record = NewDocumentRecord();
  record.setValue(key::NAME, name);
  record.setValue(key::ID, id);
  return data.documents.append(parent, std::move(record));
}

}  // namespace

class DocumentsRegisterTest : public QObject {
  Q_OBJECT
  std::unique_ptr<TestEnvironment> env;
  std::unique_ptr<WindowDouble> window;
  DocumentsPage* page = nullptr;

  DocumentsModel* model() const { return page->model(); }
  QTreeView* view() const { return page->findChild<QTreeView*>("vtDocuments"); }
  QToolButton* button(const char* name) const { return page->findChild<QToolButton*>(name); }
  std::string field(const QModelIndex& index, std::string_view key) const {
    return model()->node(index)->record.value(key);
  }
  QString cell(int row, int column, const QModelIndex& parent = {}) const {
    return model()->index(row, column, parent).data().toString();
  }
  // Fills the register with A, B, C (IDs 1 to 3) and shows it.
  void fillThree() {
    for (const char* name : {"A", "B", "C"}) AddDocument(window->data_, name, std::to_string(name[0] - 'A' + 1));
    page->reloadFromData();
  }
  void select(int row, const QModelIndex& parent = {}) {
    view()->setCurrentIndex(model()->index(row, DocumentsModel::NameColumn, parent));
  }
  // Presses the button and returns the document dialog it opened.
  TdlgEditDoc* openDialog() {
    QTest::mouseClick(button("sbEditDoc"), Qt::LeftButton);
    auto* dialog = window->window_.findChild<TdlgEditDoc*>();
    return dialog && dialog->isVisible() ? dialog : nullptr;
  }
  // The open in-place editor of the grid.
  QLineEdit* editor() const {
    for (auto* line : view()->viewport()->findChildren<QLineEdit*>()) {
      if (line->isVisible()) return line;
    }
    return nullptr;
  }
  static void press(TdlgEditDoc* dialog, const char* button) {
    QTest::mouseClick(dialog->findChild<QPushButton*>(button), Qt::LeftButton);
  }

 private slots:
  void init() {
    env = std::make_unique<TestEnvironment>();
    window = std::make_unique<WindowDouble>(env->services);
    page = new DocumentsPage(*window, &window->window_);
    window->window_.resize(700, 400);
    page->resize(700, 400);
    window->window_.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window->window_));
  }
  void cleanup() {
    window.reset();
    env.reset();
  }

  void gridAndButtons() {
    QTreeView* grid = view();
    QVERIFY(grid);
    const QStringList titles{"#", "Name", "Typ", "Referenz", "ID"};
    const int widths[] = {38, 250, 100, 150};
    for (int c = 0; c < titles.size(); ++c) QCOMPARE(model()->headerData(c, Qt::Horizontal).toString(), titles[c]);
    for (int c = 0; c < 4; ++c) QCOMPARE(grid->header()->sectionSize(c), widths[c]);
    QVERIFY(grid->header()->sectionsMovable());
    QCOMPARE(grid->selectionMode(), QAbstractItemView::SingleSelection);
    QCOMPARE(grid->selectionBehavior(), QAbstractItemView::SelectRows);
    QVERIFY(page->findChild<QWidget*>("Panel2"));

    const struct {
      const char* name;
      const char* hint;
    } hints[] = {
        {"sbNewDoc", "neues Dokument einfügen"},
        {"sbDelDoc", "markiertes Dokument löschen"},
        {"sbEditDoc", "Dokumenteigenschaften bearbeiten"},
        {"sbOpenDoc", "markiertes Dokument in zugeordneter Anwendung öffnen"},
    };
    for (const auto& h : hints) {
      QVERIFY2(button(h.name), h.name);
      QCOMPARE(button(h.name)->toolTip(), QString::fromUtf8(h.hint));
    }
  }

  void buttonsFollowTheSelection() {
    const auto enabled = [this] {
      return QList<bool>{button("sbNewDoc")->isEnabled(), button("sbDelDoc")->isEnabled(),
                         button("sbEditDoc")->isEnabled(), button("sbOpenDoc")->isEnabled()};
    };
    const QList<bool> none{true, false, false, false};
    const QList<bool> all{true, true, true, true};
    QCOMPARE(enabled(), none);
    fillThree();
    QCOMPARE(enabled(), none);
    select(1);
    QCOMPARE(enabled(), all);
    view()->clearSelection();
    QCOMPARE(enabled(), none);
    // Deleting moves the selection to a neighbour; the buttons go with it.
    select(2);
    QTest::mouseClick(button("sbDelDoc"), Qt::LeftButton);
    QCOMPARE(enabled(), view()->selectionModel()->hasSelection() ? all : none);
    view()->clearSelection();
    QCOMPARE(enabled(), none);
    select(0);
    page->reloadFromData();  // a file loaded in the meantime
    QCOMPARE(enabled(), none);
  }

  void firstNewDocument() {
    QTest::mouseClick(button("sbNewDoc"), Qt::LeftButton);
    QCOMPARE(model()->rowCount(), 1);
    QCOMPARE((QStringList{cell(0, 0), cell(0, 1), cell(0, 2), cell(0, 3), cell(0, 4)}),
             (QStringList{"1", "New Document", "nicht definiert", "<nicht definiert>", "1"}));
    QCOMPARE(window->marks, 1);
    QCOMPARE(view()->currentIndex().row(), 0);
    QVERIFY(view()->selectionModel()->isRowSelected(0, {}));
  }

  void newDocumentAfterTheFocusedOne() {
    fillThree();
    select(1);
    QTest::mouseClick(button("sbNewDoc"), Qt::LeftButton);
    QCOMPARE(model()->rowCount(), 4);
    QCOMPARE(cell(2, DocumentsModel::NameColumn), QString("New Document"));
    QCOMPARE(cell(2, DocumentsModel::IdColumn), QString("4"));
    QCOMPARE(cell(3, DocumentsModel::NameColumn), QString("C"));
    QCOMPARE(cell(3, DocumentsModel::PositionColumn), QString("4"));
    QCOMPARE(view()->currentIndex().row(), 2);
    QVERIFY(view()->selectionModel()->isRowSelected(2, {}));

    // Without a focused document the new one goes to the end.
    view()->setCurrentIndex({});
    QTest::mouseClick(button("sbNewDoc"), Qt::LeftButton);
    QCOMPARE(cell(4, DocumentsModel::IdColumn), QString("5"));
    QCOMPARE(window->marks, 2);
  }

  void deleteTakesNestedDocuments() {
    fillThree();
    AddDocument(window->data_, "A1", "7", window->data_.documents.root().child(0));
    page->reloadFromData();
    QVERIFY(view()->rootIsDecorated());
    select(0);
    QTest::mouseClick(button("sbDelDoc"), Qt::LeftButton);
    QCOMPARE(window->data_.documents.count(), 2u);
    QCOMPARE((QStringList{cell(0, 1), cell(0, 0), cell(1, 1), cell(1, 0)}), (QStringList{"B", "1", "C", "2"}));
    QVERIFY(!view()->rootIsDecorated());
    QCOMPARE(window->marks, 1);
    // The next new document gets the largest identifier + 1.
    QTest::mouseClick(button("sbNewDoc"), Qt::LeftButton);
    QCOMPARE(view()->currentIndex().siblingAtColumn(DocumentsModel::IdColumn).data().toString(), QString("4"));
  }

  void dialogShowsAndWritesTheDocument() {
    RecordNode* doc = AddDocument(window->data_, "Vertrag", "1");
    doc->record.setValue(key::TYPE, "Brief");  // not one of the four types
    doc->record.setValue(key::REFERENCE, "/akten/vertrag.pdf");
    doc->record.setValue(key::DESCRIPTION, "Zeile 1\r\nZeile 2");
    page->reloadFromData();
    QCOMPARE(cell(0, DocumentsModel::TypeColumn), QString("nicht definiert"));
    select(0);

    TdlgEditDoc* dialog = openDialog();
    QVERIFY(dialog);
    QCOMPARE(dialog->windowTitle(), QString("Dokumenteigenschaften"));
    auto* type = dialog->findChild<QComboBox*>("cmbType");
    QCOMPARE(dialog->findChild<QLineEdit*>("editName")->text(), QString("Vertrag"));
    QCOMPARE(type->count(), 4);
    QCOMPARE(type->itemText(2), QString("Beschreibung"));
    QCOMPARE(type->currentIndex(), 0);
    QCOMPARE(dialog->findChild<QLineEdit*>("editLink")->text(), QString("/akten/vertrag.pdf"));
    QCOMPARE(dialog->findChild<QPlainTextEdit*>("memoDescription")->toPlainText(), QString("Zeile 1\nZeile 2"));

    // Confirming without touching the type stores the type the list shows.
    dialog->findChild<QLineEdit*>("editName")->clear();
    dialog->findChild<QPlainTextEdit*>("memoDescription")->setPlainText("eins\nzwei\ndrei");
    QPointer<TdlgEditDoc> guard(dialog);
    press(dialog, "btnOK");
    QTRY_VERIFY(guard.isNull());
    const FieldList& record = doc->record;
    QVERIFY(!record.hasKey(key::NAME));
    QCOMPARE(record.value(key::TYPE), std::string("<nicht definiert>"));
    QCOMPARE(record.value(key::DESCRIPTION), std::string("eins\r\nzwei\r\ndrei"));
    QCOMPARE(record.value(key::ID), std::string("1"));
    QCOMPARE(cell(0, DocumentsModel::NameColumn), QString());
    QCOMPARE(window->marks, 1);
  }

  void dialogTypeChoices_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("shownIndex");
    QTest::addColumn<QString>("typed");  // empty: choose `choose` from the list
    QTest::addColumn<int>("choose");
    QTest::addColumn<QString>("result");
    QTest::newRow("link chosen") << "Document" << 1 << "" << 3 << "Link";
    QTest::newRow("own text keeps the stored type") << "Description" << 2 << "Notiz" << -1 << "Description";
    QTest::newRow("own text keeps an unexpected type") << "Brief" << 0 << "Notiz" << -1 << "Brief";
    QTest::newRow("typed entry counts as chosen") << "Link" << 3 << "Dokument" << -1 << "Document";
  }
  void dialogTypeChoices() {
    QFETCH(QString, stored);
    RecordNode* doc = AddDocument(window->data_, "D", "1");
    doc->record.setValue(key::TYPE, stored.toStdString());
    page->reloadFromData();
    select(0);
    TdlgEditDoc* dialog = openDialog();
    QVERIFY(dialog);
    auto* type = dialog->findChild<QComboBox*>("cmbType");
    QTEST(type->currentIndex(), "shownIndex");
    QFETCH(QString, typed);
    QFETCH(int, choose);
    if (typed.isEmpty()) {
      type->setCurrentIndex(choose);
    } else {
      type->lineEdit()->selectAll();
      QTest::keyClicks(type->lineEdit(), typed);
    }
    press(dialog, "btnOK");
    QTEST(QString::fromStdString(doc->record.value(key::TYPE)), "result");
  }

  void dialogCancelWritesNothing() {
    fillThree();
    select(1);
    const FieldList before = window->data_.documents.root().child(1)->record;
    TdlgEditDoc* dialog = openDialog();
    QVERIFY(dialog);
    dialog->findChild<QLineEdit*>("editName")->setText("geändert");
    dialog->findChild<QComboBox*>("cmbType")->setCurrentIndex(3);
    QPointer<TdlgEditDoc> guard(dialog);
    press(dialog, "btnCancel");
    QTRY_VERIFY(guard.isNull());
    QCOMPARE(window->data_.documents.root().child(1)->record, before);
    QCOMPARE(window->marks, 0);

    // Esc closes it the same way.
    dialog = openDialog();
    QVERIFY(dialog);
    guard = dialog;
    dialog->findChild<QLineEdit*>("editName")->setText("geändert");
    QTest::keyClick(dialog->findChild<QLineEdit*>("editName"), Qt::Key_Escape);
    QTRY_VERIFY(guard.isNull());
    QCOMPARE(window->data_.documents.root().child(1)->record, before);
  }

  void dialogOpensByDoubleClickAndEnter() {
    fillThree();
    const QRect row = view()->visualRect(model()->index(2, DocumentsModel::TypeColumn));
    QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, row.center());
    QTest::mouseDClick(view()->viewport(), Qt::LeftButton, {}, row.center());
    auto* dialog = window->window_.findChild<TdlgEditDoc*>();
    QVERIFY(dialog);
    QCOMPARE(dialog->findChild<QLineEdit*>("editName")->text(), QString("C"));
    QPointer<TdlgEditDoc> guard(dialog);
    press(dialog, "btnCancel");
    QTRY_VERIFY(guard.isNull());

    select(0);
    QTest::keyClick(view(), Qt::Key_Return);
    dialog = window->window_.findChild<TdlgEditDoc*>();
    QVERIFY(dialog);
    QCOMPARE(dialog->findChild<QLineEdit*>("editName")->text(), QString("A"));
    press(dialog, "btnCancel");
  }

  void dialogHelpAndFilePicker() {
    fillThree();
    select(0);
    TdlgEditDoc* dialog = openDialog();
    QVERIFY(dialog);
    QTest::keyClick(dialog->findChild<QLineEdit*>("editName"), Qt::Key_F1);
    QCOMPARE(env->help.contexts, QList<int>{180});

    auto* link = dialog->findChild<QLineEdit*>("editLink");
    auto* picker = dialog->findChild<QToolButton*>("sbLink");
    QCOMPARE(picker->text(), QString("..."));
    env->fileDialogs.answer("/home/pruefer/Belege/rechnung 4711.pdf");
    QTest::mouseClick(picker, Qt::LeftButton);
    QCOMPARE(env->fileDialogs.calls.size(), 1);
    QCOMPARE(env->fileDialogs.calls[0].kind, test::FileDialogCall::Open);
    QVERIFY(env->fileDialogs.calls[0].request.filter.isEmpty());
    QCOMPARE(link->text(), QString("/home/pruefer/Belege/rechnung 4711.pdf"));
    QTest::mouseClick(picker, Qt::LeftButton);  // cancelled
    QCOMPARE(link->text(), QString("/home/pruefer/Belege/rechnung 4711.pdf"));

    press(dialog, "btnOK");
    QCOMPARE(window->data_.documents.root().child(0)->record.value(key::REFERENCE),
             std::string("/home/pruefer/Belege/rechnung 4711.pdf"));
  }

  void dialogLinkToolTipOnlyWhenCut() {
    fillThree();
    select(0);
    TdlgEditDoc* dialog = openDialog();
    QVERIFY(dialog);
    auto* link = dialog->findChild<QLineEdit*>("editLink");
    link->setText("kurz.pdf");
    QVERIFY(dialog->linkToolTip().isEmpty());
    const QString longLink = "/daten/" + QString("sehr-langer-ordnername/").repeated(12) + "akte.pdf";
    link->setText(longLink);
    QCOMPARE(dialog->linkToolTip(), longLink);
    const auto hover = [link] {
      QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), link->mapToGlobal(QPoint(5, 5)));
      QApplication::sendEvent(link, &help);
    };
    hover();
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), longLink);
    link->setText("kurz.pdf");
    hover();
    QTRY_VERIFY(!QToolTip::isVisible());
    press(dialog, "btnCancel");
  }

  void dialogRefusesTextTheFileCannotHold() {
    fillThree();
    select(0);
    TdlgEditDoc* dialog = openDialog();
    QVERIFY(dialog);
    dialog->findChild<QLineEdit*>("editName")->setText(QString::fromUtf8("Ωmega"));
    press(dialog, "btnOK");
    QCOMPARE(env->messages.shown.size(), 1);
    QCOMPARE(env->messages.shown[0].kind, platform::MessageKind::Warning);
    QVERIFY(env->messages.shown[0].text.contains(QString::fromUtf8("„Ω“")));
    QVERIFY(dialog->isVisible());
    QCOMPARE(window->data_.documents.root().child(0)->record.value(key::NAME), std::string("A"));
    QCOMPARE(window->marks, 0);

    // Characters of the work file's character set go through, umlauts and € included.
    dialog->findChild<QLineEdit*>("editName")->setText(QString::fromUtf8("Prüfung 100 €"));
    press(dialog, "btnOK");
    QCOMPARE(window->data_.documents.root().child(0)->record.value(key::NAME), std::string("Pr\xFC" "fung 100 \x80"));
  }

  void openHandsTheReferenceToTheDesktop() {
    fillThree();
    window->data_.documents.root().child(0)->record.setValue(key::REFERENCE, "%HOME%/akte.pdf");
    select(0);
    QTest::mouseClick(button("sbOpenDoc"), Qt::LeftButton);
    select(1);  // "<nicht definiert>": handed over, nothing shown, nothing changed
    QTest::mouseClick(button("sbOpenDoc"), Qt::LeftButton);
    QCOMPARE(env->shell.opened, (QStringList{"%HOME%/akte.pdf", "<nicht definiert>"}));
    QVERIFY(env->messages.shown.isEmpty());
    QCOMPARE(window->marks, 0);
  }

  void inPlaceEditOfTheNameOnly() {
    fillThree();
    for (int column = 0; column < DocumentsModel::ColumnCount; ++column) {
      QCOMPARE(bool(model()->flags(model()->index(0, column)) & Qt::ItemIsEditable),
               column == DocumentsModel::NameColumn);
    }
    // F2 on another cell of the row edits the name.
    view()->setCurrentIndex(model()->index(1, DocumentsModel::ReferenceColumn));
    QTest::keyClick(view(), Qt::Key_F2);
    QLineEdit* editor = this->editor();
    QVERIFY(editor);
    QCOMPARE(editor->text(), QString("B"));
    editor->selectAll();
    QTest::keyClicks(editor, QString::fromUtf8("Jahresabschluß"));
    QTest::keyClick(editor, Qt::Key_Return);
    // The delegate commits after the editor has seen the key.
    QTRY_COMPARE(window->data_.documents.root().child(1)->record.value(key::NAME), std::string("Jahresabschlu\xDF"));
    QCOMPARE(window->marks, 1);

    // Clearing the name removes the field.
    view()->edit(model()->index(1, DocumentsModel::NameColumn));
    editor = this->editor();
    QVERIFY(editor);
    editor->clear();
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_VERIFY(!window->data_.documents.root().child(1)->record.hasKey(key::NAME));
    QCOMPARE(window->marks, 2);
  }

  void inPlaceEditRefusesCharactersTheFileCannotHold() {
    fillThree();
    view()->edit(model()->index(0, DocumentsModel::NameColumn));
    QLineEdit* editor = this->editor();
    QVERIFY(editor);
    editor->setText(QString::fromUtf8("Akte ☺"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    QCOMPARE(window->data_.documents.root().child(0)->record.value(key::NAME), std::string("A"));
    QCOMPARE(window->marks, 0);
    QVERIFY(editor->isVisible());  // still open with the text as typed
    QCOMPARE(editor->text(), QString::fromUtf8("Akte ☺"));
    // The model refuses such a text from any other way, too.
    QVERIFY(!model()->setData(model()->index(0, DocumentsModel::NameColumn), QString::fromUtf8("☺")));
    QCOMPARE(window->data_.documents.root().child(0)->record.value(key::NAME), std::string("A"));
  }

  void dropPositions() {
    fillThree();
    const auto drag = [this](int row, const QModelIndex& parent = {}) {
      return std::unique_ptr<QMimeData>(model()->mimeData({model()->index(row, 1, parent)}));
    };
    const QModelIndex a = model()->index(0, 0);
    // C onto A: nested as A's last document, A expanded, tree lines shown.
    auto data = drag(2);
    QVERIFY(model()->canDropMimeData(data.get(), Qt::MoveAction, -1, -1, a));
    QVERIFY(model()->dropMimeData(data.get(), Qt::MoveAction, -1, -1, a));
    QCOMPARE(model()->rowCount(), 2);
    QCOMPARE(cell(0, DocumentsModel::NameColumn, a), QString("C"));
    QCOMPARE(cell(0, DocumentsModel::PositionColumn, a), QString("2"));
    QCOMPARE(cell(1, DocumentsModel::PositionColumn), QString("3"));
    QVERIFY(view()->isExpanded(a));
    QVERIFY(view()->rootIsDecorated());
    QCOMPARE(window->marks, 1);

    // A into its own nesting: refused, register intact.
    data = drag(0);
    const QModelIndex c = model()->index(0, 0, a);
    for (const int row : {-1, 0, 1}) {
      QVERIFY(!model()->canDropMimeData(data.get(), Qt::MoveAction, row, -1, c));
      QVERIFY(!model()->dropMimeData(data.get(), Qt::MoveAction, row, -1, c));
    }
    QVERIFY(!model()->dropMimeData(data.get(), Qt::MoveAction, -1, -1, a));
    QCOMPARE(window->data_.documents.count(), 3u);
    QCOMPARE(window->marks, 1);

    // B to the empty space below the rows: first place of the top level; IDs unchanged.
    data = drag(1);
    QVERIFY(model()->dropMimeData(data.get(), Qt::MoveAction, -1, -1, {}));
    QCOMPARE((QStringList{cell(0, 1), cell(0, 4), cell(1, 1), cell(1, 4)}), (QStringList{"B", "2", "A", "1"}));
    // C out of its nesting to just after B (lower edge of B).
    data = drag(0, model()->index(1, 0));
    QVERIFY(model()->dropMimeData(data.get(), Qt::MoveAction, 1, -1, {}));
    QCOMPARE((QStringList{cell(0, 1), cell(1, 1), cell(2, 1)}), (QStringList{"B", "C", "A"}));
    QVERIFY(!view()->rootIsDecorated());
    QCOMPARE(window->marks, 3);
  }

  void dropsFromElsewhereAreRefused() {
    fillThree();
    // A drag from another work file's register.
    WindowDouble other(env->services);
    AddDocument(other.data_, "X", "1");
    DocumentsModel otherModel(other);
    std::unique_ptr<QMimeData> foreign(otherModel.mimeData({otherModel.index(0, 1)}));
    QVERIFY(!model()->canDropMimeData(foreign.get(), Qt::MoveAction, -1, -1, model()->index(0, 0)));
    QVERIFY(!model()->dropMimeData(foreign.get(), Qt::MoveAction, -1, -1, model()->index(0, 0)));

    // A drop that does not come from the grid itself (no drag source in this program).
    std::unique_ptr<QMimeData> own(model()->mimeData({model()->index(2, 1)}));
    const QPoint onA = view()->visualRect(model()->index(0, 1)).center();
    QDragMoveEvent move(onA, Qt::MoveAction, own.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view()->viewport(), &move);
    QVERIFY(!move.isAccepted());
    QDropEvent drop(QPointF(onA), Qt::MoveAction, own.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view()->viewport(), &drop);
    QVERIFY(!drop.isAccepted());
    QCOMPARE(model()->rowCount(), 3);
    QCOMPARE(model()->rowCount(model()->index(0, 0)), 0);
    QCOMPARE(window->marks, 0);
  }

  void nestingIsFlattenedBySavingAndReopening() {
    for (const char* name : {"A", "B", "C", "D"}) AddDocument(window->data_, name, std::to_string(name[0] - 'A' + 1));
    page->reloadFromData();
    std::unique_ptr<QMimeData> b(model()->mimeData({model()->index(1, 1)}));
    QVERIFY(model()->dropMimeData(b.get(), Qt::MoveAction, -1, -1, model()->index(2, 0)));  // B onto C
    std::unique_ptr<QMimeData> d(model()->mimeData({model()->index(2, 1)}));
    QVERIFY(model()->dropMimeData(d.get(), Qt::MoveAction, -1, -1, model()->index(0, 0)));  // D onto A
    QCOMPARE(model()->rowCount(), 2);

    WindowDouble reopened(env->services);
    ParseWorkFileXml(reopened.data_, BuildWorkFileXml(window->data_), {});
    DocumentsPage reopenedPage(reopened);
    DocumentsModel* m = reopenedPage.model();
    QCOMPARE(m->rowCount(), 4);
    QStringList order;
    for (int row = 0; row < 4; ++row) {
      QCOMPARE(m->rowCount(m->index(row, 0)), 0);
      order << m->index(row, 1).data().toString() + m->index(row, 4).data().toString();
    }
    QCOMPARE(order, (QStringList{"A1", "D4", "C3", "B2"}));
  }
};

QTEST_MAIN(DocumentsRegisterTest)
#include "documents_register_test.moc"
