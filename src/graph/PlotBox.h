#pragma once
// The plotting box of the graph picture, in its pixels: the curves, the
// grid, the cursor readout and the measuring constructions live in it.

namespace ohmora {

// Time runs from `left` (t = 0) to `right` (the recording duration); the
// vertical scale spans `top` to `bottom` (half of it either side of the
// middle when the axis is symmetric).
struct PlotBox {
    static constexpr int left = 60;
    static constexpr int right = 460;
    static constexpr int top = 25;
    static constexpr int bottom = 225;
    static constexpr int width = right - left;
    static constexpr int height = bottom - top;
    static constexpr int middle = (top + bottom) / 2;

    // Whether (x, y) lies on the box, its edges included.
    static constexpr bool contains(int x, int y) {
        return x >= left && x <= right && y >= top && y <= bottom;
    }
};

} // namespace ohmora
