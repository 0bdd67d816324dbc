#pragma once
// The shared vocabulary of the simulator: the three montages, the fourteen
// parameter boxes, the curves' default colours, the value table's columns
// and the nineteen recording durations. The quantity slots are in
// Quantity.h.

#include "core/Quantity.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace ohmora {

inline constexpr int kMontageCount = 3;
inline constexpr int kParameterCount = 14;

// An RGB colour; `value()` is the packed form red + 256 green + 65536 blue
// used by the configuration files.
struct Rgb {
    int r = 0, g = 0, b = 0;
    constexpr std::int32_t value() const { return r + 256 * g + 65536 * b; }
    static constexpr Rgb fromValue(std::int64_t v) {
        return Rgb{int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF)};
    }
    friend constexpr bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr std::array<std::string_view, kMontageCount> kMontageNames = {
    "Charge et décharge d'un condensateur à travers un conducteur ohmique",
    "Décharge d'un condensateur à travers une bobine",
    "Établissement du courant dans un circuit comportant une bobine",
};

inline constexpr std::array<std::string_view, kParameterCount> kDefaultParameters = {
    "6", "33", "220", "100", "6", "33", "220", "10", "400", "5", "6", "200", "5", "10"};

// The boxes each montage reads, in the order U, R1, C, R2 (montage 0),
// U, R1, C, R2, L, r (montage 1), U, L, r, R (montage 2).
inline constexpr std::array<int, kMontageCount> kFirstParameter = {0, 4, 10};

inline constexpr std::array<Rgb, kQuantityCount> kDefaultColours = {
    Rgb{0, 128, 0}, Rgb{255, 0, 0},   Rgb{255, 0, 255}, Rgb{0, 0, 128},
    Rgb{0, 0, 255}, Rgb{255, 128, 0}, Rgb{0, 128, 128}};

// Check-box captions per montage (empty: hidden).
std::string_view quantityCaption(int montage, int k);

// Value-table columns: the slot shown in column c (c >= 1) for a montage,
// or -1 beyond the montage's columns. Column 0 holds the time. A montage
// other than 0, 1 and 2 has the time and current columns only.
int tableColumnCount(int montage);
int tableColumnSlot(int montage, int column);

// The identifier of quantity slot k in a montage, as exports name it
// ("u_R1", "u_C", "i", "E_b"; in montage 2 slot 0 is "u_b" and slot 1
// "u_R"); empty for a slot the montage does not use.
std::string_view quantityIdentifier(int montage, int slot);

// The label of a column in the table header: a symbol, then after a blank
// its subscript ("u 1", "u C", "E b", "i", "t").
std::string_view tableColumnLabel(int montage, int column);

// The recording durations of the up-down control, values -8 to 10.
struct Duration {
    int upDown;
    std::string_view label;
    float seconds;
};
inline constexpr int kUpDownMin = -8;
inline constexpr int kUpDownMax = 10;
inline constexpr int kUpDownDefault = -2;
inline constexpr std::array<Duration, 19> kDurations = {{
    {-8, "1 ms", 0.001f}, {-7, "2 ms", 0.002f}, {-6, "5 ms", 0.005f},   {-5, "10 ms", 0.01f},
    {-4, "20 ms", 0.02f}, {-3, "50 ms", 0.05f}, {-2, "100 ms", 0.1f},   {-1, "200 ms", 0.2f},
    {0, "500 ms", 0.5f},  {1, "1 s", 1.0f},     {2, "2 s", 2.0f},       {3, "5 s", 5.0f},
    {4, "10 s", 10.0f},   {5, "20 s", 20.0f},   {6, "30 s", 30.0f},     {7, "1 min", 60.0f},
    {8, "2 min", 120.0f}, {9, "5 min", 300.0f}, {10, "10 min", 600.0f},
}};
const Duration* durationForUpDown(int upDown);
const Duration* durationForLabel(std::string_view label);

} // namespace ohmora
