#pragma once
// Fonts of the description editor: the list the font box offers and the font a new
// description starts with.
#include <QFont>
#include <QStringList>

namespace orvela {

// The families of the fonts installed for the screen, one entry per typeface, in the
// order the system lists them (the font box sorts them itself).
QStringList ListFontNames();

// "MS Sans Serif" at 8 points, the default of a new description. Where that font is not
// installed, the family the system shows in its place stands in under its own name, so
// that the toolbar, the screen and the stored text name the same font.
QFont DefaultDescriptionFont();

}  // namespace orvela
