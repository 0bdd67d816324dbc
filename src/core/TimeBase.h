#pragma once
// The recording's time base: the timer's period, the model time a tick
// adds, the table's step and the tolerance of its rows.

namespace ohmora {

// The window's timer calls the simulator's tick this often.
inline constexpr int kTickMilliseconds = 100;
// Model time a tick adds outside a recording, and during a recording in
// slow motion (durations from this threshold up run in real time).
inline constexpr float kTickSeconds = 0.1f;
inline constexpr float kSlowMotionThreshold = 30;
// A recording shorter than the threshold is drawn in this many ticks.
inline constexpr int kTicksPerRecording = 200;
// The value table holds a row every duration / kTableRowsPerRecording; a
// row opens once the time reaches its instant less duration / kRowTolerance.
inline constexpr int kTableRowsPerRecording = 50;
inline constexpr double kRowTolerance = 100000.0;

// Model time a tick adds during a recording of `dureeEnreg` seconds.
constexpr float recordingStep(float dureeEnreg) {
    return dureeEnreg < kSlowMotionThreshold ? dureeEnreg / kTicksPerRecording : kTickSeconds;
}

} // namespace ohmora
