#pragma once
// What the user sets on the main window and a configuration file stores:
// the seven curve colours, the recording duration, the montage, the fourteen
// parameter texts, the seven quantity boxes and the two options. Saving a
// configuration copies these out; opening one replays them through the
// handlers (Simulator::replayControls).

#include "core/Circuit.h"

#include <array>
#include <string>

namespace ohmora {

struct Controls {
    std::array<Rgb, kQuantityCount> colours = kDefaultColours; // the swatches `Labelcol`
    int upDown = kUpDownDefault; // the duration control `UpDown1`, -8 to 10
    int montage = -1;            // the list index of `Combo1`; -1 when none is chosen
    std::array<std::string, kParameterCount> textv{}; // the boxes' texts as they stand
    std::array<bool, kQuantityCount> check4{};        // quantity k recorded and drawn
    bool check3 = false;                              // recording starts when K goes to position 2
    bool checkRn = false;                             // sustained oscillations
    friend bool operator==(const Controls&, const Controls&) = default;
};

} // namespace ohmora
