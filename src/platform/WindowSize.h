#pragma once
// Window sizes. The design sizes of the windows were made for a small system font; with
// the font in use a window opens at its design size or larger, as large as its layout
// needs for every text to show whole. The layout's minimum comes from the font metrics of
// its widgets, so nothing here counts pixels of text.
#include <QList>
#include <QRect>
#include <QSize>
#include <QString>
#include <optional>

class QHeaderView;
class QTabWidget;
class QWidget;

namespace orvela::platform {

// A dialog with a fixed frame: fixed at the design size, grown to its layout's minimum.
void FixSizeAtLeast(QWidget* window, QSize designSize);

// A window the user may resize: opens at the design size, grown to its layout's minimum,
// and cannot be made smaller than that minimum.
void ResizeAtLeast(QWidget* window, QSize designSize);

// A tab widget that shows every caption whole: no eliding and no scroll buttons, so that
// its minimum width (and with it the window's) has room for all visible tabs.
void ShowWholeTabCaptions(QTabWidget* tabs);

// A column at its design width, or wider where its caption needs it with the font in use,
// or its widest value when one is given (a date: "00.00.0000").
void SetSectionWidthAtLeast(QHeaderView* header, int section, int designWidth, const QString& widestValue = {});

// The smallest size at which the window's layout shows everything, never below `designSize`.
QSize SizeAtLeast(QWidget* window, QSize designSize);

// A window's place on the screens: the remembered size and position when they fit, else
// the design size, never larger than the screen it lands on and always wholly on it. The
// screen is the one the remembered place overlaps most; the first (primary) one when it
// overlaps none or no position is known, and then the window is centred on it.
QRect PlaceOnScreens(std::optional<QPoint> pos, std::optional<QSize> size, QSize designSize,
                     const QList<QRect>& screens);

}  // namespace orvela::platform
