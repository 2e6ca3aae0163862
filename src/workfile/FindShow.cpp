#include "workfile/FindShow.h"

#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTableView>
#include <QTextCursor>
#include <QTextDocument>

#include "model/EvidenceFields.h"
#include "model/WorkFileSearch.h"
#include "model/srcGlobalDef.h"
#include "platform/Cp1252Text.h"
#include "platform/Services.h"
#include "properties/srcAuditProperties.h"
#include "workfile/DescriptionEditor.h"
#include "workfile/DescriptionPage.h"
#include "workfile/DocumentsModel.h"
#include "workfile/DocumentsPage.h"
#include "workfile/DocumentsView.h"
#include "workfile/ItemDetailForm.h"
#include "workfile/ItemDetailPanel.h"
#include "workfile/StructurePage.h"
#include "workfile/srcWorkfile.h"

namespace orvela {
namespace {

// The tabs of the item's details.
enum DetailTab { General = 0, DescriptionTab = 1, Result = 2, Findings = 3, SignOff = 5 };

// The controls show line breaks as one character where the record stores CR LF.
std::size_t ShownPosition(const std::string& stored, std::size_t offset) {
  std::size_t breaks = 0;
  for (std::size_t i = 0; i + 1 < offset && i + 1 < stored.size(); ++i)
    if (stored[i] == '\r' && stored[i + 1] == '\n') ++breaks;
  return offset - breaks;
}

void SelectInMemo(QPlainTextEdit* memo, const std::string& stored, std::size_t offset, std::size_t length) {
  const auto from = static_cast<int>(ShownPosition(stored, offset));
  const auto to = static_cast<int>(ShownPosition(stored, offset + length));
  QTextCursor cursor(memo->document());
  cursor.setPosition(std::min(from, memo->document()->characterCount() - 1));
  cursor.setPosition(std::min(to, memo->document()->characterCount() - 1), QTextCursor::KeepAnchor);
  memo->setTextCursor(cursor);
  memo->ensureCursorVisible();
}

ItemDetailForm* ShowItem(TfrmWorkFile& window, const RecordNode* item) {
  window.workspace()->setCurrentIndex(TfrmWorkFile::Structure);
  StructurePage* page = window.structurePage();
  page->focusItem(const_cast<RecordNode*>(item));
  auto* panel = qobject_cast<ItemDetailPanel*>(page->detailPanel());
  return panel ? panel->form() : nullptr;
}

void ShowItemField(TfrmWorkFile& window, const FindHit& hit, std::size_t length) {
  ItemDetailForm* form = ShowItem(window, hit.node);
  if (!form) return;
  if (hit.field == key::NAME) {
    form->setCurrentIndex(General);
    if (auto* name = form->findChild<QLineEdit*>(QStringLiteral("editName")))
      name->setSelection(static_cast<int>(hit.offset), static_cast<int>(length));
    return;
  }
  // The multi-line fields: where each is shown.
  struct Memo {
    std::string_view field;
    DetailTab tab;
    const char* name;
  };
  static constexpr Memo kMemos[] = {{key::RESULT, Result, "memoResult"}, {key::REVIEW_NOTE, SignOff, "memoReviewNote"}};
  Memo shown{key::DESCRIPTION, DescriptionTab, "memoItem"};
  for (const Memo& m : kMemos)
    if (hit.field == m.field) shown = m;
  form->setCurrentIndex(shown.tab);
  if (auto* memo = form->findChild<QPlainTextEdit*>(QLatin1String(shown.name)))
    SelectInMemo(memo, hit.node->record.value(hit.field), hit.offset, length);
}

void ShowFinding(TfrmWorkFile& window, const FindHit& hit) {
  ItemDetailForm* form = ShowItem(window, hit.node);
  if (!form) return;
  form->setCurrentIndex(Findings);
  QTableView* view = form->findingsPage()->view();
  const QModelIndex index = view->model()->index(static_cast<int>(hit.index), 1);
  view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  view->scrollTo(index);
}

void ShowDocument(TfrmWorkFile& window, const FindHit& hit) {
  window.workspace()->setCurrentIndex(TfrmWorkFile::Documents);
  DocumentsPage* page = window.documentsPage();
  const QModelIndex index = page->model()->indexOf(hit.node);
  for (QModelIndex p = index.parent(); p.isValid(); p = p.parent()) page->view()->expand(p);
  page->view()->setCurrentIndex(index);
  page->view()->scrollTo(index);
  page->view()->setFocus(Qt::OtherFocusReason);
}

QString ShowDefinition(TfrmWorkFile& window, const FindHit& hit) {
  const auto list = static_cast<TdlgAuditProperties::ListIndex>(hit.index);
  if (list == TdlgAuditProperties::Staff)
    return QStringLiteral("Die Mitarbeiterliste steht in der Arbeitsdatei, das Programm zeigt sie nicht an.");
  TdlgAuditProperties dialog(window.context(), &window);
  dialog.pageControl()->setCurrentIndex(list);
  QTableView* grid = dialog.grid(list);
  const QModelIndex index = grid->model()->index(static_cast<int>(hit.entry), 0);
  grid->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  grid->scrollTo(index);
  grid->setFocus(Qt::OtherFocusReason);
  window.context().services().runModal(dialog);
  return {};
}

// The editor's text is laid out from the same document as the plain text that was searched;
// the hit is its n-th occurrence there too. A hit across lines is found by its first line.
void ShowInDescription(TfrmWorkFile& window, const FindHit& hit, std::size_t length, const std::string& text) {
  window.workspace()->setCurrentIndex(TfrmWorkFile::Description);
  DescriptionEditor* editor = window.descriptionPage()->editor();
  QString found = platform::FromCp1252(text.substr(std::min(hit.offset, text.size()), length));
  const qsizetype lineEnd = found.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
  if (lineEnd >= 0) found.truncate(lineEnd);
  QTextCursor cursor;
  for (std::size_t n = 0; n <= hit.occurrence && !found.isEmpty(); ++n) {
    const QTextCursor next = editor->document()->find(found, cursor);
    if (next.isNull()) break;
    cursor = next;
  }
  if (!cursor.isNull()) editor->setTextCursor(cursor);
  editor->ensureCursorVisible();
  editor->setFocus(Qt::OtherFocusReason);
}

}  // namespace

QString ShowFindHit(TfrmWorkFile& window, const FindHit& hit, std::size_t length, const std::string& descriptionText) {
  switch (hit.place) {
    case FindPlace::Item: ShowItemField(window, hit, length); break;
    case FindPlace::Finding: ShowFinding(window, hit); break;
    case FindPlace::Document: ShowDocument(window, hit); break;
    case FindPlace::Definition: return ShowDefinition(window, hit);
    case FindPlace::Description: ShowInDescription(window, hit, length, descriptionText); break;
  }
  return {};
}

}  // namespace orvela
