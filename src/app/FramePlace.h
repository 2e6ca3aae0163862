#pragma once
// The frame's size, place and state across runs, kept in the remembered window places.
class QMainWindow;

namespace orvela {

namespace platform {
class WindowPlaces;
}

// Before the frame is first shown: its remembered size and place, fitted to the screens in
// use now, or its design size at the desktop's own placement when none is remembered.
void RestoreFramePlace(QMainWindow* frame, const platform::WindowPlaces& places);
// When the frame closes: its normal size and place and whether it is maximised.
void RememberFramePlace(const QMainWindow* frame, platform::WindowPlaces& places);

}  // namespace orvela
