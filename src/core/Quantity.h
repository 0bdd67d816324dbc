#pragma once
// The quantity slots: the seven check boxes and swatches of the quantities,
// their curves, and the slots of `valeurs` the formulas write. Each slot
// belongs to one group (voltages, the current, energies); the graph shows
// one group at a time.

#include <array>
#include <string_view>

namespace ohmora {

enum Slot : int {
    SlotU1 = 0, // u_1 across conductor 1; in montage 2, u_b across the coil
    SlotUC = 1, // u_C across the capacitor; in montage 2, u_R across the conductor
    SlotU2 = 2, // u_2 across conductor 2
    SlotUb = 3, // u_b across the coil of montage 1
    SlotI = 4,  // i, the current
    SlotEC = 5, // E_C, the energy stored in the capacitor
    SlotEb = 6, // E_b, the energy stored in the coil
};
// The same slots under their montage-2 names.
inline constexpr Slot SlotCoilRL = SlotU1;
inline constexpr Slot SlotResistorRL = SlotUC;

inline constexpr int kQuantityCount = 7; // check boxes and swatches, slots 0 to 6
inline constexpr int kSlotCount = 9;     // `valeurs`: slots 7 and 8 stay 0
// The values of the slots at one instant, in V, A and J.
using Valeurs = std::array<float, kSlotCount>;
inline constexpr std::array<Slot, kQuantityCount> kAllSlots = {SlotU1, SlotUC, SlotU2, SlotUb,
                                                               SlotI,  SlotEC, SlotEb};

enum class QuantityGroup { Voltage, Current, Energy };

constexpr QuantityGroup quantityGroup(int slot) {
    if (slot == SlotI) {
        return QuantityGroup::Current;
    }
    return slot == SlotEC || slot == SlotEb ? QuantityGroup::Energy : QuantityGroup::Voltage;
}

// The group the graph shows for the ticked boxes: the current when its box
// is ticked, else the energies when one of theirs is, else the voltages.
constexpr QuantityGroup shownGroup(const std::array<bool, kQuantityCount>& ticked) {
    if (ticked[SlotI]) {
        return QuantityGroup::Current;
    }
    return ticked[SlotEC] || ticked[SlotEb] ? QuantityGroup::Energy : QuantityGroup::Voltage;
}

// The SI unit of a group and of a slot: "V", "A" or "J".
constexpr std::string_view groupUnit(QuantityGroup group) {
    switch (group) {
    case QuantityGroup::Current:
        return "A";
    case QuantityGroup::Energy:
        return "J";
    default:
        return "V";
    }
}
constexpr std::string_view slotUnit(int slot) {
    return groupUnit(quantityGroup(slot));
}

// Which slots a montage uses (its check boxes are shown).
constexpr bool slotUsed(int montage, int slot) {
    switch (montage) {
    case 0:
        return slot == SlotU1 || slot == SlotUC || slot == SlotU2 || slot == SlotI ||
               slot == SlotEC;
    case 1:
        return slot >= SlotU1 && slot <= SlotEb;
    case 2:
        return slot == SlotCoilRL || slot == SlotResistorRL || slot == SlotI || slot == SlotEb;
    default:
        return false;
    }
}

} // namespace ohmora
