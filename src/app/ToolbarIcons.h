#pragma once
// Small drawn glyphs for the frame's commands that the style has no (reliable) icons for.
#include <QIcon>

namespace orvela {

enum class ArrangeGlyph { Cascade, TileHorizontal, TileVertical };
QIcon ArrangeIcon(ArrangeGlyph glyph);

// A question mark in a circle, for the help button.
QIcon HelpIcon();

// The program's own icon: a sheet with a check mark, for the frame and its child windows.
QIcon ProgramIcon();

}  // namespace orvela
