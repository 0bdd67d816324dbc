#include "window/KeyboardRules.h"

#include <algorithm>

namespace ohmora {

namespace {

// The zones of the two-way switch from left to right: contact 1, the open
// position, contact 2.
constexpr int kLeftToRight[] = {1, 0, 2};

int indexLeftToRight(int target) {
    return target == 1 ? 0 : (target == 0 ? 1 : 2);
}

constexpr int kTimeStep = 40;

} // namespace

int initialSwitchZone(int montage, int position) {
    if (montage == 2) {
        return 0;
    }
    return position >= 0 && position <= 2 ? position : 0;
}

SwitchKeyOutcome switchKey(int montage, int position, int selected, SwitchKey key) {
    if (montage == 2) {
        // One zone: each press toggles; a digit presses only to go where it
        // says, open (0) or closed (1).
        switch (key) {
        case SwitchKey::Digit0:
            return {0, position == 1};
        case SwitchKey::Digit1:
            return {0, position == 0};
        case SwitchKey::Press:
            return {0, true};
        default:
            return {0, false};
        }
    }
    const int index = indexLeftToRight(initialSwitchZone(montage, selected));
    switch (key) {
    case SwitchKey::Digit0:
        return {0, true};
    case SwitchKey::Digit1:
        return {1, true};
    case SwitchKey::Digit2:
        return {2, true};
    case SwitchKey::Left:
        return {kLeftToRight[std::max(0, index - 1)], false};
    case SwitchKey::Right:
        return {kLeftToRight[std::min(2, index + 1)], false};
    case SwitchKey::Press:
        return {kLeftToRight[index], true};
    }
    return {selected, false};
}

Zone switchZone(int montage, int target) {
    if (montage == 2) {
        return kOneWaySwitch;
    }
    // The two-way switch's zone reaches the picture's top edge.
    const int top = -1, bottom = kTwoWaySwitch.bottom;
    switch (target) {
    case 1:
        return {kTwoWaySwitch.left, top, kContact1Before, bottom};
    case 2:
        return {kContact2After, top, kTwoWaySwitch.right, bottom};
    default:
        return {kContact1Before - 1, top, kContact2After + 1, bottom};
    }
}

Point moveReadoutPoint(Point p, ReadoutKey key, const Box& box) {
    const int verticalStep = std::max(1, (box.bottom - box.top) / 10);
    switch (key) {
    case ReadoutKey::Left:
        --p.x;
        break;
    case ReadoutKey::Right:
        ++p.x;
        break;
    case ReadoutKey::Up:
        --p.y;
        break;
    case ReadoutKey::Down:
        ++p.y;
        break;
    case ReadoutKey::StepLeft:
        p.x -= kTimeStep;
        break;
    case ReadoutKey::StepRight:
        p.x += kTimeStep;
        break;
    case ReadoutKey::StepUp:
        p.y -= verticalStep;
        break;
    case ReadoutKey::StepDown:
        p.y += verticalStep;
        break;
    case ReadoutKey::Home:
        p.x = box.left;
        break;
    case ReadoutKey::End:
        p.x = box.right;
        break;
    }
    return {std::clamp(p.x, box.left, box.right), std::clamp(p.y, box.top, box.bottom)};
}

} // namespace ohmora
