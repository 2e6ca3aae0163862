#include "app/FramePlace.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>

#include "platform/WindowPlaces.h"
#include "platform/WindowSize.h"

namespace orvela {
namespace {
const QSize kDesignSize(900, 640);
}  // namespace

void RestoreFramePlace(QMainWindow* frame, const platform::WindowPlaces& places) {
  const platform::WindowSettings& w = places.values();
  QList<QRect> screens;
  // The primary screen first: a window that fits nowhere goes there.
  if (const QScreen* primary = QGuiApplication::primaryScreen()) screens.append(primary->availableGeometry());
  for (const QScreen* screen : QGuiApplication::screens())
    if (screen != QGuiApplication::primaryScreen()) screens.append(screen->availableGeometry());
  const QRect place = platform::PlaceOnScreens(w.framePos, w.frameSize, kDesignSize, screens);
  if (w.framePos)
    frame->setGeometry(place);
  else
    frame->resize(place.size());
  if (w.frameMaximized) frame->setWindowState(frame->windowState() | Qt::WindowMaximized);
}

void RememberFramePlace(const QMainWindow* frame, platform::WindowPlaces& places) {
  platform::WindowSettings& w = places.values();
  const QRect normal = frame->isMaximized() || frame->isFullScreen() ? frame->normalGeometry() : frame->geometry();
  if (normal.isValid()) {
    w.framePos = normal.topLeft();
    w.frameSize = normal.size();
  }
  w.frameMaximized = frame->isMaximized();
}

}  // namespace orvela
