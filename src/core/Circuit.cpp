#include "core/Circuit.h"

#include <span>

namespace ohmora {

std::string_view quantityCaption(int montage, int k) {
    if (montage < 0 || montage > 2 || !slotUsed(montage, k)) {
        return {};
    }
    switch (k) {
    case SlotU1:
        return montage == 2 ? "Tension aux bornes de la bobine"
                            : "Tension aux bornes du conducteur ohmique 1";
    case SlotUC:
        return montage == 2 ? "Tension aux bornes du conducteur ohmique"
                            : "Tension aux bornes du condensateur";
    case SlotU2:
        return "Tension aux bornes du conducteur ohmique 2";
    case SlotUb:
        return "Tension aux bornes de la bobine";
    case SlotI:
        return "Intensité du courant";
    case SlotEC:
        return "Énergie emmagasinée dans le condensateur";
    case SlotEb:
        return "Énergie emmagasinée dans la bobine";
    default:
        return {};
    }
}

std::string_view quantityIdentifier(int montage, int slot) {
    if (montage < 0 || montage >= kMontageCount || !slotUsed(montage, slot)) {
        return {};
    }
    switch (slot) {
    case SlotU1:
        return montage == 2 ? "u_b" : "u_R1";
    case SlotUC:
        return montage == 2 ? "u_R" : "u_C";
    case SlotU2:
        return "u_R2";
    case SlotUb:
        return "u_b";
    case SlotI:
        return "i";
    case SlotEC:
        return "E_C";
    default:
        return "E_b";
    }
}

namespace {

// The slot of each column from column 1 on, per montage.
constexpr std::array<int, 5> kColumns0 = {SlotI, SlotU1, SlotUC, SlotU2, SlotEC};
constexpr std::array<int, 7> kColumns1 = {SlotI, SlotU1, SlotUC, SlotU2, SlotUb, SlotEC, SlotEb};
constexpr std::array<int, 4> kColumns2 = {SlotI, SlotCoilRL, SlotResistorRL, SlotEb};
constexpr std::array<int, 1> kColumnsNone = {SlotI};

template <size_t N> std::span<const int> columns(const std::array<int, N>& a) {
    return {a.data(), a.size()};
}

std::span<const int> tableSlots(int montage) {
    switch (montage) {
    case 0:
        return columns(kColumns0);
    case 1:
        return columns(kColumns1);
    case 2:
        return columns(kColumns2);
    default:
        return columns(kColumnsNone);
    }
}

std::string_view slotLabel(int montage, int slot) {
    switch (slot) {
    case SlotU1:
        return montage == 2 ? "u b" : "u 1";
    case SlotUC:
        return montage == 2 ? "u R" : "u C";
    case SlotU2:
        return "u 2";
    case SlotUb:
        return "u b";
    case SlotI:
        return "i";
    case SlotEC:
        return "E C";
    case SlotEb:
        return "E b";
    default:
        return {};
    }
}

} // namespace

int tableColumnCount(int montage) {
    return int(tableSlots(montage).size()) + 1;
}

int tableColumnSlot(int montage, int column) {
    const std::span<const int> slots = tableSlots(montage);
    if (column < 1 || column > int(slots.size()) || montage < 0 || montage >= kMontageCount) {
        return -1;
    }
    return slots[size_t(column - 1)];
}

std::string_view tableColumnLabel(int montage, int column) {
    if (column == 0) {
        return "t";
    }
    const std::span<const int> slots = tableSlots(montage);
    if (column < 0 || column > int(slots.size())) {
        return {};
    }
    return slotLabel(montage, slots[size_t(column - 1)]);
}

const Duration* durationForUpDown(int upDown) {
    for (const auto& d : kDurations) {
        if (d.upDown == upDown) {
            return &d;
        }
    }
    return nullptr;
}

const Duration* durationForLabel(std::string_view label) {
    for (const auto& d : kDurations) {
        if (d.label == label) {
            return &d;
        }
    }
    return nullptr;
}

} // namespace ohmora
