#pragma once
// Reading RTF as written by word processors (Word, LibreOffice, WordPad, report generators)
// and by the rich-edit control of older versions of this program.
//
// The reader never fails: damaged input (unbalanced braces, truncated files, absurd
// parameters, deep nesting) gives the document read up to the damage. It runs in time
// linear in the input and uses an explicit group stack, never recursion.
#include <string_view>

#include "Document.h"

namespace orvela::rtf {

// Reads RTF bytes. Text in \'hh escapes and raw 8-bit bytes is decoded by the font's
// charset or the document's \ansicpg; \uN characters are taken as they are.
Document ReadRtf(std::string_view bytes);

// True when text is an RTF document (starts with "{\rtf", leading white space allowed).
bool IsRtf(std::string_view text);

}  // namespace orvela::rtf
