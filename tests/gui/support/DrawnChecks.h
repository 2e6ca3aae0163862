#pragma once
// Checks of what a window draws, as a user would see it, rather than of its widgets'
// properties. Each check walks the visible widgets of one window and returns its faults,
// one line each: the window, the widget (its objectName, or its kind and text), and what is
// wrong. An empty list means the window passed.
#include <QString>
#include <QStringList>

class QWidget;

namespace orvela::test {

// A button or tool button without text shows an icon, and the icon's pixels are not all
// of one colour (a blank or missing picture).
QStringList CheckIcons(QWidget* window);

// Every label, check box, radio button, push button, tab caption and header caption is
// shown whole: no eliding, not cut by its own size or by a parent's edge.
QStringList CheckTextsFit(QWidget* window);

// The values of the named item views (those visible) in sight are shown whole, not elided.
// For grids of short values, such as the definition lists; not for lists of paths or
// descriptions, which are free to be longer than their columns.
QStringList CheckValuesFit(QWidget* window, const QStringList& views);

// Every header of a visible item view that is not hidden on purpose has room to show.
QStringList CheckHeaders(QWidget* window);

// A tab that is hidden cannot be made current by Ctrl+Tab, Ctrl+Shift+Tab, the arrow,
// Home and End keys on its tab bar, or the mouse wheel over the tab bar.
QStringList CheckHiddenTabsUnreachable(QWidget* window);

// All four.
QStringList CheckDrawn(QWidget* window);

// Writes the window as drawn to <build>/screens/<name>.png and returns the path, or an
// empty string when it could not be written.
QString SaveScreen(QWidget* window, const QString& name);

}  // namespace orvela::test
