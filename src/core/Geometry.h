#pragma once
// Places on the two pictures that several parts of the program share: the
// plotting box of the graph, where the curves, the grid and the cursor
// readout live, and the zones of switch K on the schematic.

namespace ohmora {

// The plotting box of the graph picture, in its pixels: time runs from
// `left` (t = 0) to `right` (the recording duration); the vertical scale
// spans `top` to `bottom` (half of it either side of the middle when the
// axis is symmetric).
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

// A zone of the schematic, bounds excluded: x > left, x < right, and the
// same for y.
struct Zone {
    int left, top, right, bottom;
    constexpr bool contains(int x, int y) const {
        return x > left && x < right && y > top && y < bottom;
    }
};

// The switch of montages 0 and 1 covers x 100 to 140 above y = 40 and
// splits into three: contact 1 on the left, the open position in the middle
// and contact 2 on the right.
inline constexpr Zone kTwoWaySwitch{100, -32768, 140, 40};
inline constexpr int kContact1Before = 115; // x < 115: contact 1
inline constexpr int kContact2After = 125;  // x > 125: contact 2
// The one-way switch of montage 2.
inline constexpr Zone kOneWaySwitch{105, 2, 135, 32};

// Which of K's targets 0, 1 and 2 lies at x inside the two-way switch.
constexpr int twoWayTarget(int x) {
    return x < kContact1Before ? 1 : (x > kContact2After ? 2 : 0);
}

// A point inside each target of K, for clicks made by a script: targets 0,
// 1 and 2 of the two-way switch, or the one-way switch (any target).
struct Point {
    int x, y;
};
constexpr Point pointOnSwitch(int montage, int target) {
    if (montage == 2) {
        return {120, 15};
    }
    return target == 1 ? Point{105, 20} : (target == 2 ? Point{133, 20} : Point{120, 20});
}

} // namespace ohmora
