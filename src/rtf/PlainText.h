#pragma once
// The plain text of a document, as reports insert it: paragraphs (and line breaks within
// them) separated by CR LF, the cells of a table row by tabs, table rows by CR LF.
// Pictures and list markers are not part of the text.
#include <string>

#include "Document.h"

namespace orvela::rtf {

// UTF-8.
std::string PlainText(const Document& document);

// Windows-1252 bytes for the core; characters the code page cannot hold become '?'.
std::string PlainTextCp1252(const Document& document);

}  // namespace orvela::rtf
