#pragma once
// Small helpers shared by the panel and the dialogs around an item: Windows-1252 text in
// and out of Qt controls, check lists, multi-line text.
#include <QString>
#include <string>
#include <vector>

#include "model/ItemDetailRules.h"

class QListWidget;
class QToolButton;
class QWidget;

namespace orvela::detail {

// Record text for a control; the CR LF of multi-line values become the edits' line breaks.
QString ToQt(const std::string& text);
QString MultiLineToQt(const std::string& text);
// A control's text as Windows-1252; characters it cannot hold never get this far (the
// text guard takes them out at input), any left over are left out.
std::string FromQt(const QString& text);
std::string MultiLineFromQt(const QString& text);

void FillCheckList(QListWidget* list, const std::vector<CheckEntry>& entries);
std::vector<CheckEntry> CheckListEntries(const QListWidget* list);
std::vector<std::string> CheckListTexts(const QListWidget* list);

// A glyph button without caption, as the program's lists have them.
QToolButton* GlyphButton(QWidget* parent, const char* name, const char* themeIcon, int standardPixmap,
                         const QString& hint, const QString& accessibleName);

}  // namespace orvela::detail
