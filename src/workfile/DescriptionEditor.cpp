#include "workfile/DescriptionEditor.h"

namespace orvela {

DescriptionEditor::DescriptionEditor(QWidget* parent) : QTextEdit(parent) {
  setObjectName(QStringLiteral("reDescription"));
  setAcceptRichText(true);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  // The side strips belong to the editing area and look like it.
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Base);
  document()->setDocumentMargin(0);
  SetDescriptionMargins();
}

void DescriptionEditor::SetDescriptionMargins() {
  const QMargins wanted(kSideMargin, 0, kSideMargin, 0);
  if (viewportMargins() != wanted) setViewportMargins(wanted);
}

void DescriptionEditor::paintEvent(QPaintEvent* event) {
  SetDescriptionMargins();
  QTextEdit::paintEvent(event);
}

}  // namespace orvela
