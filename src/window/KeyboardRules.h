#pragma once
// What the keys do on the two pictures when they have the focus, in the
// pictures' own pixels. On the schematic, switch K: the digits 0, 1 and 2
// press the zone of that position; the arrows choose a zone and Space (or
// Enter) presses it; each press is the click of the mouse on that zone,
// through the same handlers. On the graph, the arrows move the point the
// cursor readout reads, as the pointer would.

#include "core/SwitchZones.h"

namespace ohmora {

enum class SwitchKey { Digit0, Digit1, Digit2, Left, Right, Press };

// The zone the keys have chosen (a position of K, the one-way switch's only
// zone in montage 2), and whether to press it.
struct SwitchKeyOutcome {
    int selected = 0;
    bool press = false;
};

// `selected` is the zone chosen so far, `position` K's position.
SwitchKeyOutcome switchKey(int montage, int position, int selected, SwitchKey key);

// Where a zone lies on the schematic, for the frame that shows the choice.
Zone switchZone(int montage, int target);

// The zone chosen when the schematic takes the focus: K's own position.
int initialSwitchZone(int montage, int position);

enum class ReadoutKey { Left, Right, Up, Down, StepLeft, StepRight, StepUp, StepDown, Home, End };

// A rectangle of the picture, both edges included.
struct Box {
    int left, top, right, bottom;
};

// The readout's point moved by a key and held on `box`: a pixel per arrow,
// a step with Shift (a time division of 40 pixels, a tenth of the height
// vertically), Home and End to the ends of the time axis.
Point moveReadoutPoint(Point p, ReadoutKey key, const Box& box);

} // namespace ohmora
