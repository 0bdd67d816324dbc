#include "window/KeyboardRules.h"

#include <gtest/gtest.h>

using namespace ohmora;

namespace {

struct SwitchRow {
    const char* name;
    int montage, position, selected;
    SwitchKey key;
    int expectedSelected;
    bool press;
};

} // namespace

TEST(KeyboardRules, SwitchKKeysChooseAndPressItsZones) {
    using K = SwitchKey;
    const SwitchRow rows[] = {
        {"digit 1 presses contact 1", 0, 0, 0, K::Digit1, 1, true},
        {"digit 2 presses contact 2", 1, 1, 1, K::Digit2, 2, true},
        {"digit 0 presses the open zone", 0, 2, 2, K::Digit0, 0, true},
        {"left of the open zone is contact 1", 0, 0, 0, K::Left, 1, false},
        {"right of the open zone is contact 2", 0, 0, 0, K::Right, 2, false},
        {"left stops at contact 1", 0, 0, 1, K::Left, 1, false},
        {"right stops at contact 2", 1, 0, 2, K::Right, 2, false},
        {"right of contact 1 is the open zone", 0, 0, 1, K::Right, 0, false},
        {"space presses the chosen zone", 0, 0, 2, K::Press, 2, true},
        {"montage 2: space toggles", 2, 1, 0, K::Press, 0, true},
        {"montage 2: 1 closes an open switch", 2, 0, 0, K::Digit1, 0, true},
        {"montage 2: 1 leaves a closed switch", 2, 1, 0, K::Digit1, 0, false},
        {"montage 2: 0 opens a closed switch", 2, 1, 0, K::Digit0, 0, true},
        {"montage 2: 0 leaves an open switch", 2, 0, 0, K::Digit0, 0, false},
        {"montage 2: 2 is no position", 2, 0, 0, K::Digit2, 0, false},
    };
    for (const SwitchRow& r : rows) {
        const SwitchKeyOutcome out = switchKey(r.montage, r.position, r.selected, r.key);
        EXPECT_EQ(out.selected, r.expectedSelected) << r.name;
        EXPECT_EQ(out.press, r.press) << r.name;
    }
}

// A key presses where the mouse would click: the point the press uses lies
// in the zone the keys show, and the hit test there chooses that target.
TEST(KeyboardRules, TheZonesShownAreTheZonesPressed) {
    for (int montage = 0; montage <= 2; ++montage) {
        for (int target = 0; target <= (montage == 2 ? 0 : 2); ++target) {
            const Point p = pointOnSwitch(montage, target);
            const Zone z = switchZone(montage, target);
            EXPECT_TRUE(z.contains(p.x, p.y)) << montage << ' ' << target;
            if (montage == 2) {
                EXPECT_TRUE(kOneWaySwitch.contains(p.x, p.y));
            } else {
                EXPECT_TRUE(kTwoWaySwitch.contains(p.x, p.y)) << target;
                EXPECT_EQ(twoWayTarget(p.x), target);
                // The zone shown covers exactly the x that choose it.
                for (int x = z.left + 1; x < z.right; ++x) {
                    EXPECT_EQ(twoWayTarget(x), target) << x;
                }
            }
        }
    }
    EXPECT_EQ(initialSwitchZone(1, 2), 2);
    EXPECT_EQ(initialSwitchZone(2, 1), 0);
}

TEST(KeyboardRules, TheReadoutPointMovesOnThePlottingBox) {
    const Box box{60, 25, 460, 225};
    using K = ReadoutKey;
    const struct {
        const char* name;
        Point from;
        K key;
        Point to;
    } rows[] = {
        {"left", {260, 125}, K::Left, {259, 125}},
        {"right", {260, 125}, K::Right, {261, 125}},
        {"up", {260, 125}, K::Up, {260, 124}},
        {"down", {260, 125}, K::Down, {260, 126}},
        {"a time division", {260, 125}, K::StepRight, {300, 125}},
        {"a tenth of the height", {260, 125}, K::StepUp, {260, 105}},
        {"held at the left edge", {70, 125}, K::StepLeft, {60, 125}},
        {"held at the bottom", {260, 224}, K::StepDown, {260, 225}},
        {"held at the top", {260, 25}, K::Up, {260, 25}},
        {"home", {260, 125}, K::Home, {60, 125}},
        {"end", {260, 125}, K::End, {460, 125}},
    };
    for (const auto& r : rows) {
        const Point p = moveReadoutPoint(r.from, r.key, box);
        EXPECT_EQ(p.x, r.to.x) << r.name;
        EXPECT_EQ(p.y, r.to.y) << r.name;
    }
}
