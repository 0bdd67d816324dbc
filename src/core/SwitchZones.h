#pragma once
// The zones of switch K on the schematic, in its pixels: where the pointer
// becomes a hand and which of K's targets a click chooses.

namespace ohmora {

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

// A point inside each target of K, for clicks made by a script or by the
// keyboard: targets 0, 1 and 2 of the two-way switch, or the one-way switch
// (any target).
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
