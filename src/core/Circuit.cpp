#include "Circuit.h"

namespace ohmora {

std::string_view quantityCaption(int montage, int k) {
    if (montage < 0 || montage > 2 || !slotUsed(montage, k)) {
        return {};
    }
    switch (k) {
    case 0:
        return montage == 2 ? "Tension aux bornes de la bobine"
                            : "Tension aux bornes du conducteur ohmique 1";
    case 1:
        return montage == 2 ? "Tension aux bornes du conducteur ohmique"
                            : "Tension aux bornes du condensateur";
    case 2:
        return "Tension aux bornes du conducteur ohmique 2";
    case 3:
        return "Tension aux bornes de la bobine";
    case 4:
        return "Intensité du courant";
    case 5:
        return "Énergie emmagasinée dans le condensateur";
    case 6:
        return "Énergie emmagasinée dans la bobine";
    default:
        return {};
    }
}

int tableColumnCount(int montage) {
    switch (montage) {
    case 0:
        return 6;
    case 1:
        return 8;
    case 2:
        return 5;
    default:
        return 2;
    }
}

int tableColumnSlot(int montage, int column) {
    static constexpr int m0[] = {-1, 4, 0, 1, 2, 5};
    static constexpr int m1[] = {-1, 4, 0, 1, 2, 3, 5, 6};
    static constexpr int m2[] = {-1, 4, 0, 1, 6};
    if (column < 1 || column >= tableColumnCount(montage)) {
        return -1;
    }
    switch (montage) {
    case 0:
        return m0[column];
    case 1:
        return m1[column];
    case 2:
        return m2[column];
    default:
        return -1;
    }
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
