#pragma once
// Writing a document as RTF that word processors and older rich-edit controls read.
//
// The output is 7-bit ASCII: \ansi\ansicpg1252, characters of Windows-1252 as \'hh, all
// others as \uN with a '?' for readers without Unicode. Bullets are written the way older
// rich-edit controls understand them ({\pntext …}{\*\pn\pnlvlblt …} with a Symbol font);
// numbered paragraphs likewise with \pnlvlbody.
#include <string>

#include "Document.h"

namespace orvela::rtf {

std::string WriteRtf(const Document& document);

// Width written for a cell whose width the document leaves open.
constexpr int kDefaultCellWidthTwips = 1800;

}  // namespace orvela::rtf
