#include "RichText.h"

#include "model/Cp1252.h"
#include "rtf/PlainText.h"
#include "rtf/RtfReader.h"
#include "rtf/RtfWriter.h"

namespace orvela::rtf {

std::string RichTextOf(const QTextDocument& document) {
  return WriteRtf(FromTextDocument(document));
}

std::string PlainTextOf(const QTextDocument& document) {
  return PlainTextCp1252(FromTextDocument(document));
}

void SetEditorContent(QTextDocument& document, const std::string& text) {
  if (IsRtf(text)) {
    SetEditorContent(document, ReadRtf(text));
    return;
  }
  document.setPlainText(QString::fromStdString(Cp1252ToUtf8(text)));
  document.clearUndoRedoStacks();
  document.setModified(false);
}

void SetEditorContent(QTextDocument& document, const Document& model) {
  ToTextDocument(model, document);
  document.clearUndoRedoStacks();
  document.setModified(false);
}

}  // namespace orvela::rtf
