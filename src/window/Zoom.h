#pragma once
// The factor the whole program is drawn at for a run (`ohmora --zoom 1.5`):
// the window, its pictures, its fonts and its dialogs, on top of whatever
// scale the desktop itself gives the screen. A window too large for the
// screen at that factor is drawn at the largest one that fits instead.

#include <optional>
#include <string>
#include <string_view>

namespace ohmora {

inline constexpr double kMinZoom = 1;
inline constexpr double kMaxZoom = 3;
// A window that does not fit is made smaller by steps of this much.
inline constexpr double kZoomStep = 0.05;
// Room kept above the window for the window manager's title bar, in the
// screen's pixels.
inline constexpr int kTitleBarRoom = 40;

// The factor written "1.5", "1,5" or "2", from 1 to 3; nothing otherwise.
std::optional<double> readZoom(std::string_view text);

// The largest factor up to `requested`, by steps of kZoomStep, at which a
// window of width × height (plus its title bar) fits a screen whose
// available area is availableWidth × availableHeight of its own pixels and
// whose desktop scale is `desktopScale`; never below 1.
double fittingZoom(double requested, double desktopScale, int width, int height, int availableWidth,
                   int availableHeight);

// The factor written the French way for a message: "1,5", "2".
std::string zoomText(double zoom);

} // namespace ohmora
