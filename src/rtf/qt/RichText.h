#pragma once
// The bridge between the rich-text model (rtf/Document.h) and Qt's text engine, for the
// description editor and the report preview.
//
// Everything the model holds survives the way into a QTextDocument and back: paragraphs
// with alignment, indents, spacing and page breaks; bullets and numbering as QTextList;
// tables (also nested) as QTextTable with their column widths; fonts, sizes, bold, italic,
// underline, strike-out, colours, highlighting, super- and subscript; PNG and JPEG pictures
// as image resources of the document holding the picture's bytes.
#include <QTextDocument>
#include <string>

#include "rtf/Document.h"

namespace orvela::rtf {

// Replaces the whole content of `document` with the model.
void ToTextDocument(const Document& model, QTextDocument& document);

// The model of the document's current content.
Document FromTextDocument(const QTextDocument& document);

// The document's whole current content written as RTF (7-bit ASCII, which is also valid
// Windows-1252 text for the core). This is what the work file stores as the description
// and what a report is saved as.
std::string RichTextOf(const QTextDocument& document);

// The document's text without formatting as Windows-1252 bytes: paragraphs separated by
// CR LF, table cells by tabs (rtf/PlainText.h). Reports insert the description this way.
std::string PlainTextOf(const QTextDocument& document);

// Sets the whole content from stored text (Windows-1252 bytes): text that is an RTF
// document (starts with "{\rtf") shows formatted, any other text as plain text. Like
// loading a file, this leaves the document unmodified and without undo history.
void SetEditorContent(QTextDocument& document, const std::string& text);
// The same from a model already read.
void SetEditorContent(QTextDocument& document, const Document& model);

}  // namespace orvela::rtf
