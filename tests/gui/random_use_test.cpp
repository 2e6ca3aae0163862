// A work-file window driven by long random sequences of what a user does: structure
// commands, drag and drop, panel edits, findings, documents, project properties, filters,
// the clipboard between two windows, undo and redo, saving and reopening. After every step
// the item IDs are unique (1..n in tree order after every renumbering), the tree and the findings
// overview show the data as it is and the detail panel shows an item of the tree; after every save the file reads
// back as the data the window holds; at the end, undoing every step gives back the file as
// it was opened.
//
// ORVELA_RANDOM_SEED and ORVELA_RANDOM_STEPS choose the run (a fixed seed and a few hundred
// steps by default); ORVELA_RANDOM_MINUTES runs steps until that time is up instead. A
// failing check prints the seed and the steps so far; the steps of the current run are also
// written, step by step, to random_use_steps.txt in the working folder, so that a crash
// leaves them behind too.
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScopeGuard>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>
#include <random>

#include <nlohmann/json.hpp>

#include "cli/JsonForm.h"
#include "model/DelimitedText.h"
#include "model/srcGlobalDef.h"
#include "reports/engine/FindingsOverview.h"
#include "support/Doubles.h"
#include "support/FrameFixture.h"
#include "workfile/DescriptionEditor.h"
#include "workfile/DescriptionPage.h"
#include "workfile/DocumentsModel.h"
#include "workfile/DocumentsPage.h"
#include "workfile/DocumentsView.h"
#include "workfile/FindPanel.h"
#include "workfile/FindingsOverviewPage.h"
#include "workfile/FindingsPage.h"
#include "workfile/ItemDetailForm.h"
#include "workfile/ItemDetailPanel.h"
#include "workfile/StructureModel.h"
#include "workfile/StructurePage.h"
#include "workfile/StructureTreeView.h"
#include "workfile/srcWorkfile.h"

using namespace orvela;
using namespace orvela::test;

namespace {

constexpr quint32 kDefaultSeed = 20261211;
constexpr int kDefaultSteps = 300;

// Planung(Kasse(Bargeld), Lager), Bericht with findings, documents and definition lists:
// enough of everything for each command to find something to work on.
void FillProject(WorkFileData& d) {
  RecordNode* first = d.structure.root().child(0);
  const auto item = [&d](RecordNode* parent, const char* name) {
    FieldList r = NewStructureItemRecord(d.lastItemId);
    r.setValue(key::NAME, name);
    return d.structure.append(parent, r);
  };
  RecordNode* kasse = item(first, "Kasse");
  item(kasse, "Bargeld");
  item(first, "Lager");
  RecordNode* bericht = item(nullptr, "Bericht");
  bericht->record.setValue(key::FINDINGS, std::string("NAME=Abweichung,TYPE=0,RISK=hoch") + char(17) +
                                              "NAME=Mangel,DESCRIPTION=fehlt");
  for (const char* name : {"Vertrag", "Protokoll", "Inventurliste"}) {
    FieldList doc = NewDocumentRecord();
    doc.setValue(key::NAME, name);
    doc.setValue(key::ID, std::to_string(d.documents.count() + 1));
    d.documents.append(nullptr, doc);
  }
  d.generalDefs = "ITEM=Prüfer,VALUE=Muster";
  d.riskDefs = "hoch,mittel,niedrig";
  d.ouDefs = "Einkauf,Vertrieb";
  d.staffDefs = "Muster,Beispiel";
}

// A second project for the clipboard between windows.
void FillOther(WorkFileData& d) {
  FieldList r = NewStructureItemRecord(d.lastItemId);
  r.setValue(key::NAME, "Fremdes Unterelement");
  d.structure.append(d.structure.root().child(0), r);
}

// A record as a set of fields: the lines sorted, empty values left out, each finding of the
// FINDINGS list likewise. Editing appends a field that the file writes in its fixed place,
// so a record read back holds the same fields in another order.
bool EmptyValue(const std::string& line) { return line.empty() || line.find('=') + 1 == line.size(); }

nlohmann::json CanonicalRecord(const nlohmann::json& lines) {
  const auto fields = [](FieldList record) {
    std::vector<std::string> kept;
    for (const std::string& line : record.lines()) {
      if (EmptyValue(line)) continue;
      if (line.rfind("FINDINGS=", 0) == 0) {
        // A finding without any value does not come back from the file (noted, left alone).
        std::string findings;
        for (const std::string& entry : SplitListText(line.substr(9))) {
          std::vector<std::string> parts = FieldList::fromCommaText(entry).lines();
          std::erase_if(parts, EmptyValue);
          if (parts.empty()) continue;
          std::sort(parts.begin(), parts.end());
          findings += (findings.empty() ? "" : "\x11") + FieldList(parts).commaText();
        }
        if (!findings.empty()) kept.push_back("FINDINGS=" + findings);
      } else {
        kept.push_back(line);
      }
    }
    std::sort(kept.begin(), kept.end());
    return kept;
  };
  return fields(FieldList(lines.get<std::vector<std::string>>()));
}

// The items with the IDs that reading gives them: their places in tree order.
void CanonicalItems(nlohmann::json& nodes, int& place) {
  for (nlohmann::json& node : nodes) {
    for (nlohmann::json& line : node["record"]) {
      if (line.get<std::string>().rfind("ID=", 0) == 0) line = "ID=" + std::to_string(++place);
    }
    node["record"] = CanonicalRecord(node["record"]);
    CanonicalItems(node["children"], place);
  }
}

// The documents in register order, without their nesting, which the file does not keep.
nlohmann::json FlatDocuments(const nlohmann::json& nodes) {
  nlohmann::json flat = nlohmann::json::array();
  std::vector<const nlohmann::json*> pending;
  for (auto it = nodes.rbegin(); it != nodes.rend(); ++it) pending.push_back(&*it);
  while (!pending.empty()) {
    const nlohmann::json& node = *pending.back();
    pending.pop_back();
    flat.push_back({{"record", CanonicalRecord(node["record"])}});
    const nlohmann::json& children = node["children"];
    for (auto it = children.rbegin(); it != children.rend(); ++it) pending.push_back(&*it);
  }
  return flat;
}

// The JSON form of what a file keeps of the data, as reading gives it back: records as
// sets of fields, items renumbered, documents without nesting.
QString FileJson(const WorkFileData& data) {
  nlohmann::json json = nlohmann::json::parse(cli::WorkFileToJson(data));
  int items = 0;
  CanonicalItems(json["structure"], items);
  if (items > 0) json["lastItemId"] = items;
  json["documents"] = FlatDocuments(json["documents"]);
  return QString::fromStdString(json.dump(2));
}

void DropExpanded(nlohmann::json& nodes) {
  for (nlohmann::json& node : nodes) {
    node.erase("expanded");
    DropExpanded(node["children"]);
  }
}

// The JSON form without what no step of the history holds: the stamps of the last save
// and which items are open in the tree.
QString JsonOfHistory(const WorkFileData& data) {
  nlohmann::json json = nlohmann::json::parse(cli::WorkFileToJson(data));
  json.erase("savedBy");
  json.erase("savedAt");
  DropExpanded(json["structure"]);
  return QString::fromStdString(json.dump(2));
}

QString FirstDifference(const QString& a, const QString& b) {
  const QStringList left = a.split('\n'), right = b.split('\n');
  for (qsizetype i = 0; i < std::max(left.size(), right.size()); ++i) {
    const QString l = i < left.size() ? left[i] : QString("<Ende>");
    const QString r = i < right.size() ? right[i] : QString("<Ende>");
    if (l != r) return QString("Zeile %1:\n  erwartet %2\n  gefunden %3").arg(i + 1).arg(r, l);
  }
  return {};
}

// Whether the last step renumbered the items (and did not take a step back).
class RenumberWatch : public EditObserver {
 public:
  void reset() { renumbered_ = undone_ = false; }
  bool renumbered() const { return renumbered_ && !undone_; }

 private:
  void itemsRenumbered() override { renumbered_ = true; }
  void commandFinished(const EditCommand&, EditDirection direction) override {
    if (direction == EditDirection::Undo) undone_ = true;
  }
  bool renumbered_ = false, undone_ = false;
};

// One run: the random source, the two windows and the steps taken.
struct Run {
  FrameFixture& fixture;
  quint32 seed;
  std::mt19937 rng;
  TfrmWorkFile* w = nullptr;      // the window under test
  TfrmWorkFile* other = nullptr;  // the second window, source and target of the clipboard
  QString path;
  QString opened;  // the JSON form of the file as opened
  QStringList steps;
  QFile stepsFile{QStringLiteral("random_use_steps.txt")};
  int dialogDepth = 0;

  Run(FrameFixture& f, quint32 s) : fixture(f), seed(s), rng(s) {}

  int below(int n) { return n <= 0 ? 0 : std::uniform_int_distribution<int>(0, n - 1)(rng); }
  bool chance(int percent) { return below(100) < percent; }
  template <class T>
  T* pick(const QList<T*>& list) { return list.isEmpty() ? nullptr : list[below(int(list.size()))]; }

  // Text as users type it: umlauts, the separators of the stored lists, a character that
  // the work file cannot hold, or nothing.
  QString text() {
    static const char* const pieces[] = {"Kasse", "Prüfung", "Lager & Inventur", "a,b", "\"Zitat\"", "x=y",
                                         "Größe", "", " ", "€ 100", "Ωmega", "Zeile\nzwei", "<nicht definiert>"};
    QString t;
    for (int i = 0, n = 1 + below(3); i < n; ++i) t += QString::fromUtf8(pieces[below(int(std::size(pieces)))]);
    return t;
  }

  void note(const QString& what) {
    steps.last() += QLatin1Char(' ') + what;
  }
  void begin(const char* action) {
    steps << QString("%1 %2").arg(steps.size() + 1).arg(QString::fromUtf8(action));
  }
  void record() {
    if (!stepsFile.isOpen()) {
      if (!stepsFile.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) return;
      stepsFile.write(QString("Seed %1\n").arg(seed).toUtf8());
    }
    stepsFile.write(steps.last().toUtf8() + '\n');
    stepsFile.flush();
  }
  // `loops`: the steps drawn so far (a draw that found nothing to do takes no step).
  QString replay(qint64 loops) const {
    return QString("ORVELA_RANDOM_SEED=%1 ORVELA_RANDOM_STEPS=%2\n%3").arg(seed).arg(loops).arg(steps.join('\n'));
  }
};

// --- what the user reaches -------------------------------------------------------------

bool TreeTakesInput(TfrmWorkFile* w) { return w->structurePage()->tree()->isEnabled(); }

std::vector<RecordNode*> Items(TfrmWorkFile* w) { return w->data().structure.inTreeOrder(); }

// A structure command as the menu "Bearbeiten" offers it: enabled as the menu opens.
QAction* Command(TfrmWorkFile* w, const char* name) {
  w->structurePage()->miEditStructClick();
  QAction* action = FindAction(w, QString::fromLatin1(name));
  return action && action->isEnabled() ? action : nullptr;
}

QAction* EnabledAction(TfrmWorkFile* w, const char* name) {
  QAction* action = FindAction(w, QString::fromLatin1(name));
  return action && action->isEnabled() ? action : nullptr;
}

void SelectRandomItem(Run& r, TfrmWorkFile* w) {
  const std::vector<RecordNode*> items = Items(w);
  if (items.empty()) return;
  const int i = r.below(int(items.size()));
  w->structurePage()->focusItem(items[std::size_t(i)]);
  r.note(QString("Element %1").arg(i + 1));
}

// A structure command on a random item (when the tree takes input) or on the focused one.
void RunCommand(Run& r, TfrmWorkFile* w, const char* name) {
  if (TreeTakesInput(w) && r.chance(70)) SelectRandomItem(r, w);
  if (QAction* action = Command(w, name)) action->trigger();
}

// Fills what a dialog offers with random input, presses some of its buttons (which may
// open further dialogs) and confirms or cancels it; returns how the dialog ended.
int UseDialog(Run& r, QDialog& dialog) {
  if (r.dialogDepth >= 2) return QDialog::Rejected;
  ++r.dialogDepth;
  r.note("[" + dialog.objectName());
  for (QLineEdit* e : dialog.findChildren<QLineEdit*>()) {
    if (e->isEnabled() && !e->isReadOnly() && r.chance(30)) e->setText(r.text());
  }
  for (QComboBox* c : dialog.findChildren<QComboBox*>()) {
    if (c->isEnabled() && c->count() > 0 && r.chance(30)) c->setCurrentIndex(r.below(c->count()));
  }
  for (QPlainTextEdit* m : dialog.findChildren<QPlainTextEdit*>()) {
    if (m->isEnabled() && !m->isReadOnly() && r.chance(30)) m->setPlainText(r.text());
  }
  for (QListWidget* list : dialog.findChildren<QListWidget*>()) {
    for (int i = 0; i < list->count(); ++i) {
      QListWidgetItem* item = list->item(i);
      if ((item->flags() & Qt::ItemIsUserCheckable) && r.chance(20))
        item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    }
  }
  for (QAbstractItemView* view : dialog.findChildren<QAbstractItemView*>()) {
    QAbstractItemModel* m = view->model();
    if (m && m->rowCount() > 0 && r.chance(50)) view->setCurrentIndex(m->index(r.below(m->rowCount()), 0));
  }
  for (int presses = r.below(3); presses > 0; --presses) {
    QList<QToolButton*> buttons;
    for (QToolButton* b : dialog.findChildren<QToolButton*>()) {
      // A button with a menu opens it in a loop of its own that nothing here would close.
      if (b->isEnabled() && !b->objectName().isEmpty() && !b->menu()) buttons << b;
    }
    if (QToolButton* b = r.pick(buttons)) {
      r.note(b->objectName());
      b->click();
    }
  }
  const bool confirm = r.chance(70);
  if (confirm) {
    dialog.setResult(QDialog::Rejected);
    dialog.accept();  // a refusing dialog stays open with its result unchanged
  } else {
    dialog.reject();
  }
  const int result = dialog.result() == QDialog::Accepted ? QDialog::Accepted : QDialog::Rejected;
  r.note(result == QDialog::Accepted ? "OK]" : "Abbrechen]");
  --r.dialogDepth;
  return result;
}

// The detail panel: random edits of the shown item, then accepted, rejected or left pending.
void EditInPanel(Run& r) {
  auto* panel = r.w->findChild<ItemDetailPanel*>();
  ItemDetailForm* form = panel->form();
  for (int edits = 1 + r.below(3); edits > 0; --edits) {
    switch (r.below(9)) {
      case 0:
        Control<QLineEdit>(form, "editName")->setText(r.text());
        r.note("Name");
        break;
      case 1:
      case 2: {
        auto* combo = Control<QComboBox>(form, r.chance(50) ? "cmbRisk" : "cmbWorkstate");
        if (combo->count() > 0) combo->setCurrentIndex(r.below(combo->count()));
        r.note(combo->objectName());
        break;
      }
      case 3: {
        auto* list = Control<QListWidget>(form, r.chance(50) ? "lbOU" : "lbDocuments");
        if (list->count() > 0) {
          QListWidgetItem* item = list->item(r.below(list->count()));
          item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
        }
        r.note(list->objectName());
        break;
      }
      case 4:
        Control<QPlainTextEdit>(form, r.chance(50) ? "memoItem" : "memoResult")->setPlainText(r.text());
        r.note("Text");
        break;
      default: {
        // The findings list: a row chosen, then one of its buttons.
        FindingsPage* findings = form->findingsPage();
        QAbstractItemView* view = findings->view();
        const int rows = view->model()->rowCount();
        if (rows > 0) {
          const QModelIndex index = view->model()->index(r.below(rows), 1);
          view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        }
        static const char* const buttons[] = {"SpeedButton1", "SpeedButton2", "sbUpGen", "sbDownGen", "sbEditFinding"};
        const char* name = buttons[r.below(int(std::size(buttons)))];
        r.note(QString("Feststellung %1").arg(QLatin1String(name)));
        Control<QToolButton>(findings, name)->click();
      }
    }
  }
  const int outcome = r.below(10);
  if (outcome < 5) {
    r.note("übernehmen");
    Control<QToolButton>(panel, "sbItemDetailOk")->click();
  } else if (outcome < 8) {
    r.note("verwerfen");
    Control<QToolButton>(panel, "sbItemDetailCancel")->click();
  } else {
    r.note("offen gelassen");
  }
}

// A drag of a random item onto a random place, as the tree's drag and drop does it.
void DragItem(Run& r) {
  StructureModel* model = r.w->structurePage()->model();
  const std::vector<RecordNode*> items = Items(r.w);
  const int from = r.below(int(items.size()));
  RecordNode* target = r.chance(20) ? nullptr : items[std::size_t(r.below(int(items.size())))];
  const QModelIndex parent = target ? model->indexOf(target) : QModelIndex();
  const int rows = model->rowCount(parent);
  const int row = r.chance(30) ? -1 : r.below(rows + 1);
  r.note(QString("Element %1 nach %2, Zeile %3").arg(from + 1).arg(target ? QString::number(target->row()) : "oben").arg(row));
  std::unique_ptr<QMimeData> mime(model->startDrag(items[std::size_t(from)]));
  if (model->canDropMimeData(mime.get(), Qt::MoveAction, row, 0, parent))
    model->dropMimeData(mime.get(), Qt::MoveAction, row, 0, parent);
  model->finishDrag();
}

DocumentsModel* Documents(TfrmWorkFile* w) { return w->documentsPage()->model(); }

// Every document index in tree order.
QModelIndexList DocumentIndexes(DocumentsModel* m, const QModelIndex& parent = {}) {
  QModelIndexList all;
  for (int row = 0; row < m->rowCount(parent); ++row) {
    const QModelIndex i = m->index(row, 0, parent);
    all << i << DocumentIndexes(m, i);
  }
  return all;
}

void SelectRandomDocument(Run& r) {
  const QModelIndexList docs = DocumentIndexes(Documents(r.w));
  if (docs.isEmpty()) return;
  const int i = r.below(int(docs.size()));
  QAbstractItemView* view = r.w->documentsPage()->view();
  view->selectionModel()->setCurrentIndex(docs[i], QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  r.note(QString("Dokument %1").arg(i + 1));
}

void ClickDocumentButton(Run& r, const char* name) {
  r.w->workspace()->setCurrentIndex(TfrmWorkFile::Documents);
  SelectRandomDocument(r);
  Control<QToolButton>(r.w->documentsPage(), name)->click();
}

// The document properties dialog is a window-modal sheet: answered as it appears.
void EditDocument(Run& r) {
  ClickDocumentButton(r, "sbEditDoc");
  for (QDialog* dialog : r.w->findChildren<QDialog*>(QStringLiteral("TdlgEditDoc"))) {
    if (dialog->isVisible()) UseDialog(r, *dialog);
  }
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void DragDocument(Run& r) {
  DocumentsModel* m = Documents(r.w);
  const QModelIndexList docs = DocumentIndexes(m);
  const QModelIndex from = docs[r.below(int(docs.size()))];
  const QModelIndex onto = r.chance(30) ? QModelIndex() : docs[r.below(int(docs.size()))];
  const int row = r.chance(40) ? -1 : r.below(m->rowCount(onto) + 1);
  r.note(QString("Zeile %1").arg(row));
  std::unique_ptr<QMimeData> mime(m->mimeData({from}));
  if (mime && m->canDropMimeData(mime.get(), Qt::MoveAction, row, 0, onto))
    m->dropMimeData(mime.get(), Qt::MoveAction, row, 0, onto);
}

void TypeDescription(Run& r) {
  r.w->workspace()->setCurrentIndex(TfrmWorkFile::Description);
  DescriptionEditor* editor = r.w->descriptionPage()->editor();
  editor->setFocus();
  if (r.chance(20)) {
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(editor, Qt::Key_Delete);
    r.note("geleert");
  } else {
    QTest::keyClicks(editor, QStringLiteral("Umfang "));
  }
  r.w->workspace()->setCurrentIndex(r.below(r.w->workspace()->count()));
}

void ChooseFilter(Run& r) {
  switch (r.below(3)) {
    case 0:
    case 1: {
      auto* combo = Control<QComboBox>(r.w, r.chance(50) ? "cmbKindSelect" : "cmbSelect");
      combo->setCurrentIndex(r.below(combo->count()));
      r.note(QString("%1=%2").arg(combo->objectName()).arg(combo->currentIndex()));
      break;
    }
    default:
      Control<QCheckBox>(r.w, "cmbShowLevel")->click();
      r.note("Gliederung");
  }
}

void Save(Run& r) {
  r.w->acFileSave();
  if (r.w->isModified()) r.note("nicht gespeichert");
}

// The find bar: a word typed, Enter shows the first hit, F3 the next ones.
void Find(Run& r) {
  static const char* const words[] = {"Kasse", "neue", "e", "Prüf", "Vertrag", "xyz"};
  FindPanel* find = r.w->findPanel();
  find->openFind();
  const QString word = QString::fromUtf8(words[r.below(int(std::size(words)))]);
  r.note(word);
  find->searchBox()->setText(word);
  QTest::keyClick(find->searchBox(), Qt::Key_Return);
  for (int more = r.below(3); more > 0; --more) find->findNext();
  if (r.chance(50)) QTest::keyClick(find->searchBox(), Qt::Key_Escape);
}

// --- the actions -------------------------------------------------------------------------

struct Action {
  const char* name;
  int weight;
  std::function<bool(Run&)> possible;
  std::function<void(Run&)> perform;
};

bool Always(Run&) { return true; }
bool TreeFree(Run& r) { return TreeTakesInput(r.w); }
bool HasItems(Run& r) { return !r.w->data().structure.empty(); }
bool HasDocuments(Run& r) { return !r.w->data().documents.empty(); }

std::function<bool(Run&)> CommandPossible(const char* name) {
  return [name](Run& r) { return Command(r.w, name) != nullptr || (TreeTakesInput(r.w) && HasItems(r)); };
}

std::vector<Action> Actions() {
  const auto command = [](const char* name) { return [name](Run& r) { RunCommand(r, r.w, name); }; };
  return {
      {"Element wählen", 6, [](Run& r) { return TreeFree(r) && HasItems(r); },
       [](Run& r) { SelectRandomItem(r, r.w); }},
      {"Neu", 5, Always, command("Neu1")},
      {"Neues Unterelement", 5, Always, command("NeuesUnterelement1")},
      {"Löschen", 3, CommandPossible("miStructDel1"), command("miStructDel1")},
      {"Ausschneiden", 3, CommandPossible("miStructCut1"), command("miStructCut1")},
      {"Kopieren", 3, CommandPossible("miStructCopy1"), command("miStructCopy1")},
      {"Einfügen auf gleicher Ebene", 3, Always, command("aufgleicherEbene1")},
      {"Einfügen als Unterelement", 3, Always, command("alsUnterelement1")},
      {"Ziehen und Ablegen", 4, [](Run& r) { return TreeFree(r) && HasItems(r); }, DragItem},
      {"Im Panel bearbeiten", 8,
       [](Run& r) { return r.w->findChild<ItemDetailPanel*>()->item() != nullptr; }, EditInPanel},
      {"Elementeigenschaften", 2, CommandPossible("miStructEdit1"), command("miStructEdit1")},
      {"Kopieren im anderen Fenster", 2, [](Run& r) { return TreeTakesInput(r.other); },
       [](Run& r) { RunCommand(r, r.other, "miStructCopy1"); }},
      {"Ausschneiden im anderen Fenster", 1, [](Run& r) { return TreeTakesInput(r.other); },
       [](Run& r) { RunCommand(r, r.other, "miStructCut1"); }},
      {"Einfügen im anderen Fenster", 2, [](Run& r) { return TreeTakesInput(r.other); },
       [](Run& r) { RunCommand(r, r.other, r.chance(50) ? "aufgleicherEbene1" : "alsUnterelement1"); }},
      {"Dokument neu", 2, Always, [](Run& r) { ClickDocumentButton(r, "sbNewDoc"); }},
      {"Dokument löschen", 2, HasDocuments, [](Run& r) { ClickDocumentButton(r, "sbDelDoc"); }},
      {"Dokument umbenennen", 2, HasDocuments,
       [](Run& r) {
         const QModelIndexList docs = DocumentIndexes(Documents(r.w));
         Documents(r.w)->setData(docs[r.below(int(docs.size()))].siblingAtColumn(1), r.text());
       }},
      {"Dokument ziehen", 2, HasDocuments, DragDocument},
      {"Dokumenteigenschaften", 2, HasDocuments, EditDocument},
      {"Projekteigenschaften", 2, Always, [](Run& r) { Control<QToolButton>(r.w, "sbAuditProperties")->click(); }},
      {"Filter", 3, Always, ChooseFilter},
      {"Beschreibung", 2, Always, TypeDescription},
      {"Reiter", 4, Always,
       [](Run& r) {
         const int tab = r.below(r.w->workspace()->count());
         r.note(QString::number(tab));
         r.w->workspace()->setCurrentIndex(tab);
       }},
      {"Rückgängig", 8, [](Run& r) { return EnabledAction(r.w, "miEditUndo") != nullptr; },
       [](Run& r) { EnabledAction(r.w, "miEditUndo")->trigger(); }},
      {"Wiederholen", 4, [](Run& r) { return EnabledAction(r.w, "miEditRedo") != nullptr; },
       [](Run& r) { EnabledAction(r.w, "miEditRedo")->trigger(); }},
      {"Speichern", 2, Always, Save},
      {"Suchen", 3, Always, Find},
  };
}

// --- the checks --------------------------------------------------------------------------

// The tree's item model shows the data's tree, node for node.
QString TreeModelProblem(TfrmWorkFile* w) {
  StructureModel* model = w->structurePage()->model();
  std::vector<std::pair<QModelIndex, const RecordNode*>> pending{{QModelIndex(), &w->data().structure.root()}};
  while (!pending.empty()) {
    const auto [index, node] = pending.back();
    pending.pop_back();
    if (model->rowCount(index) != int(node->childCount()))
      return QString("Baum zeigt %1 statt %2 Unterelemente").arg(model->rowCount(index)).arg(node->childCount());
    for (std::size_t i = 0; i < node->childCount(); ++i) {
      const QModelIndex child = model->index(int(i), 0, index);
      if (StructureModel::nodeOf(child) != node->child(i)) return "Baum zeigt ein anderes Element als die Daten";
      pending.emplace_back(child, node->child(i));
    }
  }
  return {};
}

// Each item has its own ID, from 1 to the item counter. Right after a renumbering (reading,
// deleting, pasting) they run 1..n in tree order; new and moved items may stand out of that
// order, and items cut and pasted into another window leave gaps, until the next one.
QString IdProblem(TfrmWorkFile* w, bool renumbered) {
  const std::vector<RecordNode*> items = Items(w);
  const int counter = w->data().lastItemId;
  std::vector<bool> seen(std::size_t(std::max(counter, 0)) + 1);
  for (std::size_t i = 0; i < items.size(); ++i) {
    const std::string id = items[i]->record.value(key::ID);
    const long n = std::strtol(id.c_str(), nullptr, 10);
    if (std::to_string(n) != id || n < 1 || n > counter || seen[std::size_t(n)])
      return QString("Element %1 hat die ID %2 (Zähler %3)").arg(i + 1).arg(QString::fromStdString(id)).arg(counter);
    seen[std::size_t(n)] = true;
    if (renumbered && n != long(i + 1))
      return QString("nach dem Neunummerieren hat Element %1 die ID %2").arg(i + 1).arg(n);
  }
  return {};
}

QString WindowProblem(TfrmWorkFile* w, bool renumbered) {
  const std::vector<RecordNode*> items = Items(w);
  if (QString ids = IdProblem(w, renumbered); !ids.isEmpty()) return ids;
  if (QString tree = TreeModelProblem(w); !tree.isEmpty()) return tree;

  auto* panel = w->findChild<ItemDetailPanel*>();
  if (RecordNode* shown = panel->item()) {
    if (std::find(items.begin(), items.end(), shown) == items.end()) return "Panel zeigt ein Element, das es nicht gibt";
    const QString id = Control<QLabel>(panel, "labelID")->text();
    if (id != QString::fromStdString(shown->record.value(key::ID)))
      return QString("Panel zeigt ID %1 für Element %2").arg(id, QString::fromStdString(shown->record.value(key::ID)));
  } else if (!items.empty() && w->structurePage()->focusedItem()) {
    return "Panel leer, obwohl ein Element den Fokus hat";
  }

  if (w->workspace()->currentIndex() == TfrmWorkFile::Findings) {
    const std::vector<FindingRow> expected = FillFindingsOverview(w->data());
    if (w->findingsPage()->rows() != expected)
      return QString("Feststellungsübersicht zeigt %1 statt %2 Zeilen oder andere Inhalte")
          .arg(w->findingsPage()->rows().size())
          .arg(expected.size());
    if (w->findingsPage()->list()->model()->rowCount() != int(expected.size())) return "Liste der Übersicht veraltet";
  }
  return {};
}

// Opens the saved file in a window of its own: it holds what the saving window holds.
QString ReopenProblem(Run& r) {
  TfrmWorkFile* again = r.fixture.frame->CreateWorkFileWindow();
  const bool loaded = again->LoadWorkFile(r.w->GetFileName()) == TfrmWorkFile::LoadOutcome::Loaded;
  const QString read = loaded ? FileJson(again->data()) : QString();
  again->closeWithoutQuestion();
  if (!loaded) return "gespeicherte Datei lässt sich nicht öffnen";
  const QString held = FileJson(r.w->data());
  if (read != held) {
    // Both sides beside the steps file, for a closer look.
    for (const auto& [name, json] : {std::pair{"random_use_read.json", read}, std::pair{"random_use_held.json", held}}) {
      QFile out(QString::fromLatin1(name));
      if (out.open(QIODevice::WriteOnly | QIODevice::Truncate)) out.write(json.toUtf8());
    }
    return "gespeicherte Datei weicht ab (random_use_read.json, random_use_held.json): " + FirstDifference(read, held);
  }
  return {};
}

// Undoes every step: the file is as it was opened.
QString UndoAllProblem(Run& r) {
  auto* panel = r.w->findChild<ItemDetailPanel*>();
  if (panel->isChanged()) Control<QToolButton>(panel, "sbItemDetailCancel")->click();
  r.w->acceptPendingEdits();
  for (int guard = 0; QAction* undo = EnabledAction(r.w, "miEditUndo"); ++guard) {
    if (guard > 100000) return "Rückgängig endet nicht";
    undo->trigger();
  }
  const QString now = JsonOfHistory(r.w->data());
  if (now != r.opened) return "alles rückgängig gemacht, aber anders als geöffnet: " + FirstDifference(now, r.opened);
  return {};
}

bool EnvNumber(const char* name, qint64& value) {
  bool ok = false;
  const qint64 v = qEnvironmentVariable(name).toLongLong(&ok);
  if (ok) value = v;
  return ok;
}

}  // namespace

class RandomUseTest : public QObject {
  Q_OBJECT
  FrameFixture fixture;

  TfrmWorkFile* open(const QString& name, const std::function<void(WorkFileData&)>& fill) {
    const QString path = fixture.env->workPath(name);
    WriteSampleWorkFile(path, "Planung", fill);
    TfrmWorkFile* w = fixture.frame->CreateWorkFileWindow();
    if (w->LoadWorkFile(path) != TfrmWorkFile::LoadOutcome::Loaded) qFatal("%s does not load", qPrintable(name));
    return w;
  }

  // Runs `stepCount` random steps from `seed`; fails with the steps to repeat them.
  void drive(quint32 seed, qint64 stepCount) {
    Run r(fixture, seed);
    r.other = open("anderes.owp", FillOther);
    r.w = open("projekt.owp", FillProject);
    r.path = r.w->GetFileName();
    r.opened = JsonOfHistory(r.w->data());
    fixture.env->modals.handler = [&r](QDialog& dialog) { return UseDialog(r, dialog); };
    QGuiApplication::clipboard()->clear();
    RenumberWatch watch;
    r.w->editor().addObserver(&watch);
    const auto unwatch = qScopeGuard([&] { r.w->editor().removeObserver(&watch); });

    const std::vector<Action> actions = Actions();
    int total = 0;
    for (const Action& a : actions) total += a.weight;
    // ORVELA_RANDOM_MINUTES makes a long run by hand: steps until the time is up.
    qint64 minutes = 0;
    EnvNumber("ORVELA_RANDOM_MINUTES", minutes);
    QElapsedTimer clock;
    clock.start();
    qint64 step = 0;
    for (; minutes > 0 ? clock.elapsed() < minutes * 60000 : step < stepCount; ++step) {
      const Action* chosen = nullptr;
      for (int tries = 0; tries < 20 && !chosen; ++tries) {
        int ticket = r.below(total);
        for (const Action& a : actions) {
          if ((ticket -= a.weight) < 0) {
            if (a.possible(r)) chosen = &a;
            break;
          }
        }
      }
      if (!chosen) continue;
      r.begin(chosen->name);
      const qsizetype shownBefore = fixture.env->messages.shown.size();
      watch.reset();
      chosen->perform(r);
      for (qsizetype i = shownBefore; i < fixture.env->messages.shown.size(); ++i)
        r.note("<Meldung: " + fixture.env->messages.shown[i].text.left(80) + ">");
      r.record();

      QString problem = WindowProblem(r.w, watch.renumbered());
      if (problem.isEmpty()) problem = WindowProblem(r.other, false);
      if (problem.isEmpty() && QString(chosen->name) == "Speichern" && !r.w->isModified()) problem = ReopenProblem(r);
      for (qsizetype i = shownBefore; problem.isEmpty() && i < fixture.env->messages.shown.size(); ++i) {
        // An undo or redo that no longer fits the data is a fault of the edit layer.
        if (fixture.env->messages.shown[i].text.contains("EditConflict")) problem = fixture.env->messages.shown[i].text;
      }
      if (!problem.isEmpty())
        QFAIL(qPrintable(QString("Schritt %1: %2\n%3").arg(r.steps.size()).arg(problem, r.replay(step + 1))));
    }
    qInfo("%lld steps in %lld s", static_cast<long long>(step), static_cast<long long>(clock.elapsed() / 1000));
    r.begin("Alles rückgängig");
    r.record();
    const QString problem = UndoAllProblem(r);
    if (!problem.isEmpty()) QFAIL(qPrintable(problem + "\n" + r.replay(step)));
  }

 private slots:
  void init() { fixture.start(); }
  void cleanup() { fixture.stop(); }

  void randomUseKeepsTheWorkFileSound_data() {
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<qint64>("steps");
    qint64 seed = kDefaultSeed, steps = kDefaultSteps;
    EnvNumber("ORVELA_RANDOM_SEED", seed);
    EnvNumber("ORVELA_RANDOM_STEPS", steps);
    QTest::newRow("run") << quint32(seed) << steps;
    // Seeds that once found a fault, with the steps it took.
  }

  void randomUseKeepsTheWorkFileSound() {
    QFETCH(quint32, seed);
    QFETCH(qint64, steps);
    qInfo("seed %u, %lld steps", seed, static_cast<long long>(steps));
    drive(seed, steps);
  }
};

QTEST_MAIN(RandomUseTest)
#include "random_use_test.moc"
