#include "workfile/DocumentsPage.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPersistentModelIndex>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "model/srcGlobalDef.h"
#include "platform/Cp1252Text.h"
#include "platform/RecordGridDelegate.h"
#include "platform/Services.h"
#include "platform/WindowPlaces.h"
#include "platform/WindowSize.h"
#include "workfile/DocumentsModel.h"
#include "workfile/DocumentsView.h"
#include "platform/WorkFileContext.h"
#include "workfile/srcEditDoc.h"

namespace orvela {

DocumentsPage::DocumentsPage(WorkFileContext& context, QWidget* parent)
    : QWidget(parent), context_(context), model_(new DocumentsModel(context, this)), view_(new DocumentsView(this)) {
  setObjectName(QStringLiteral("DocumentsPage"));
  view_->setModel(model_);
  auto* delegate = new platform::RecordGridDelegate(view_, DocumentsModel::PositionColumn);
  delegate->setDrawGridLines(true);
  view_->setItemDelegate(delegate);
  for (int column = 0; column < DocumentsModel::ColumnCount; ++column) {
    if (const int width = DocumentsModel::columnWidth(column))
      platform::SetSectionWidthAtLeast(view_->header(), column, width);
  }
  context_.services().places().followColumns(view_->header(), view_->objectName());

  auto* panel = new QWidget(this);
  panel->setObjectName(QStringLiteral("Panel2"));
  auto* strip = new QHBoxLayout(panel);
  strip->setContentsMargins(2, 2, 2, 2);
  struct Button {
    QToolButton** button;
    const char* name;
    const char* hint;
    QStyle::StandardPixmap glyph;
    void (DocumentsPage::*command)();
  };
  const Button buttons[] = {
      {&sbNewDoc_, "sbNewDoc", "neues Dokument einfügen", QStyle::SP_FileIcon, &DocumentsPage::acNewDoc},
      {&sbDelDoc_, "sbDelDoc", "markiertes Dokument löschen", QStyle::SP_TrashIcon, &DocumentsPage::acDelDoc},
      {&sbEditDoc_, "sbEditDoc", "Dokumenteigenschaften bearbeiten", QStyle::SP_FileDialogDetailedView,
       &DocumentsPage::acEditDoc},
      {&sbOpenDoc_, "sbOpenDoc", "markiertes Dokument in zugeordneter Anwendung öffnen", QStyle::SP_DialogOpenButton,
       &DocumentsPage::acOpenDoc},
  };
  for (const Button& b : buttons) {
    auto* button = new QToolButton(panel);
    button->setObjectName(QString::fromLatin1(b.name));
    button->setToolTip(QString::fromUtf8(b.hint));
    button->setAccessibleName(QString::fromUtf8(b.hint));
    button->setIcon(style()->standardIcon(b.glyph));
    button->setAutoRaise(true);
    connect(button, &QToolButton::clicked, this, b.command);
    strip->addWidget(button);
    *b.button = button;
  }
  strip->addStretch(1);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(view_, 1);
  layout->addWidget(panel);

  connect(view_, &QTreeView::doubleClicked, this, &DocumentsPage::acDocDblClick);
  connect(view_, &DocumentsView::propertiesRequested, this, &DocumentsPage::acDocDblClick);
  connect(view_->selectionModel(), &QItemSelectionModel::selectionChanged, this, &DocumentsPage::acAfterPaint);
  connect(model_, &QAbstractItemModel::modelReset, this, &DocumentsPage::acAfterPaint);
  connect(model_, &QAbstractItemModel::rowsRemoved, this, &DocumentsPage::acAfterPaint);
  for (const auto changed : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved}) {
    connect(model_, changed, this, &DocumentsPage::updateDecoration);
  }
  connect(model_, &QAbstractItemModel::modelReset, this, &DocumentsPage::updateDecoration);
  connect(model_, &QAbstractItemModel::rowsMoved, this,
          [this](const QModelIndex&, int, int, const QModelIndex& destination, int) {
            updateDecoration();
            // A document dropped onto another one shows where it went.
            if (destination.isValid()) view_->expand(destination);
          });
  acAfterPaint();
  updateDecoration();
  context_.editor().addObserver(this);
}

DocumentsPage::~DocumentsPage() { context_.editor().removeObserver(this); }

void DocumentsPage::commandFinished(const EditCommand& command, EditDirection direction) {
  const EditFocus& focus = command.focus();
  if (direction == EditDirection::Do || focus.tree != DataTree::Documents) return;
  RecordNode* document = direction == EditDirection::Undo ? focus.afterRevert : focus.afterApply;
  if (document && document->isWithin(&context_.data().documents.root())) showDocument(model_->indexOf(document));
}

void DocumentsPage::showDocument(const QModelIndex& index) {
  view_->setCurrentIndex(index);
  view_->selectionModel()->select(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  view_->scrollTo(index);
}

void DocumentsPage::reloadFromData() { model_->reload(); }

QModelIndex DocumentsPage::selectedDocument() const {
  const QModelIndexList rows = view_->selectionModel()->selectedRows();
  return rows.isEmpty() ? QModelIndex() : rows.first();
}

void DocumentsPage::acAfterPaint() {
  const bool selected = selectedDocument().isValid();
  for (QToolButton* button : {sbDelDoc_, sbEditDoc_, sbOpenDoc_}) button->setEnabled(selected);
}

void DocumentsPage::updateDecoration() { view_->setRootIsDecorated(model_->hasNesting()); }

void DocumentsPage::acNewDoc() {
  showDocument(model_->addDocument(view_->currentIndex()));
  view_->setFocus();
}

void DocumentsPage::acDelDoc() {
  const QModelIndex selected = selectedDocument();
  if (selected.isValid()) model_->deleteDocument(selected);
}

void DocumentsPage::acDocDblClick(const QModelIndex&) { acEditDoc(); }

void DocumentsPage::acEditDoc() {
  const QModelIndex selected = selectedDocument();
  const RecordNode* document = model_->node(selected);
  if (!document) return;
  auto* dialog = new TdlgEditDoc(context_.services(), document->record, context_.window());
  // The dialog is modal; should the document still go away meanwhile, nothing is written.
  const QPersistentModelIndex target(selected);
  connect(dialog, &QDialog::finished, this, [this, dialog, target](int result) {
    if (result == QDialog::Accepted && target.isValid()) model_->applyEdit(target, dialog->edit());
    dialog->deleteLater();
  });
  dialog->open();
}

void DocumentsPage::acOpenDoc() {
  const RecordNode* document = model_->node(selectedDocument());
  if (!document) return;
  // The shell expands %NAME% variables and stays silent when nothing can be opened.
  context_.services().shell().open(platform::FromCp1252(document->record.value(key::REFERENCE)));
}

}  // namespace orvela
