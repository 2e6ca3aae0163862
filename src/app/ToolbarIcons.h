#pragma once
// Small drawn glyphs for the frame's window commands, which the style has no icons for.
#include <QIcon>

namespace orvela {

enum class ArrangeGlyph { Cascade, TileHorizontal, TileVertical };
QIcon ArrangeIcon(ArrangeGlyph glyph);

}  // namespace orvela
