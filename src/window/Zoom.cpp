#include "window/Zoom.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace ohmora {

std::optional<double> readZoom(std::string_view text) {
    std::string point(text);
    std::replace(point.begin(), point.end(), ',', '.');
    double value = 0;
    const char* end = point.data() + point.size();
    const auto [stop, error] = std::from_chars(point.data(), end, value);
    if (point.empty() || error != std::errc() || stop != end || !std::isfinite(value) ||
        value < kMinZoom || value > kMaxZoom) {
        return std::nullopt;
    }
    return value;
}

double fittingZoom(double requested, double desktopScale, int width, int height, int availableWidth,
                   int availableHeight) {
    if (desktopScale <= 0 || width <= 0 || height <= 0) {
        return requested;
    }
    const double byWidth = availableWidth / (width * desktopScale);
    const double byHeight = (availableHeight - kTitleBarRoom) / (height * desktopScale);
    const double largest = std::min(byWidth, byHeight);
    if (largest >= requested) {
        return requested;
    }
    // Whole steps, with room for the rounding of the division.
    const double stepped = std::floor(largest / kZoomStep + 1e-9) * kZoomStep;
    return std::max(kMinZoom, std::min(requested, stepped));
}

std::string zoomText(double zoom) {
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, zoom, std::chars_format::fixed, 2);
    std::string out(text, written.ptr);
    while (out.back() == '0') {
        out.pop_back();
    }
    if (out.back() == '.') {
        out.pop_back();
    }
    std::replace(out.begin(), out.end(), '.', ',');
    return out;
}

} // namespace ohmora
