#pragma once
// The whole simulation state of the main window, in named parts: what the
// user sets (Controls), switch K with the clocks and the last evaluation
// (RunState), the pointer over K (SwitchPointer), the graph's scale, its
// curves and measuring tools (GraphState), the samples of the last
// recording, the value table and the help line.

#include "core/Circuit.h"
#include "core/Controls.h"
#include "core/Recording.h"
#include "graph/CurveTracer.h"
#include "graph/ValueTable.h"
#include "window/HelpTexts.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace ohmora {

struct RunState {
    int position = 0; // switch K: 0, 1 or 2
    Valeurs valeurs{};
    float ucInit = 0;   // capacitor voltage captured at the last switching
    float tBascule = 0; // model time since the last switching
    float tEnreg = 0;   // model time since the recording started
    bool enregEnCours = false;
    // The duration chosen by Controls::upDown, as its label shows it and in
    // seconds.
    std::string_view durationLabel;
    float dureeEnreg = 0;
};

enum class Pointer { Arrow, Hand };

struct SwitchPointer {
    int cibleK = 0; // the target of K under the pointer
    Pointer pointer = Pointer::Arrow;
    std::string tooltip;
};

struct SimState {
    Controls controls;
    RunState run;
    SwitchPointer hover;
    GraphState graph;
    Recording recording;
    ValueTable table;
    std::string info{kDefaultInfo}; // the help line
};

} // namespace ohmora
