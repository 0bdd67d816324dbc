#include "window/Validation.h"

#include "core/FrenchNumber.h"

#include <algorithm>

namespace ohmora {

namespace {

constexpr ParameterLimits kLimits[kParameterCount] = {
    {0.5f, 12, -1},   {5, 1000000, -1}, {0.001f, 1000000, -1}, {5, 1000000, -1},
    {0.5f, 12, -1},   {5, 1000000, -1}, {0.001f, 1000000, -1}, {5, 1000000, 9},
    {0.1f, 1000, -1}, {5, 100, 7},      {0.5f, 12, -1},        {0.1f, 1000, -1},
    {5, 100, 13},     {5, 1000000, 12},
};

// Sums of single-precision resistances that miss 5 ohms by less than this
// are rounding, not a short branch.
constexpr double kBranchTolerance = 1e-5;

constexpr std::string_view kMsgUMin = "U ne doit pas être inférieure à 0,5 V avec le simulateur.";
constexpr std::string_view kMsgUMax = "U ne doit pas dépasser 12 V avec le simulateur.";
constexpr std::string_view kMsgRMin = "La résistance de ce conducteur ohmique ne doit pas être "
                                      "inférieure à 5 ohms avec le simulateur.";
constexpr std::string_view kMsgRMax = "La résistance de ce conducteur ohmique ne doit pas "
                                      "dépasser 1 000 000 ohms avec le simulateur.";
constexpr std::string_view kMsgCMin = "La capacité de ce condensateur ne doit pas être inférieure "
                                      "à 1 nF (0,001 µF) avec le simulateur.";
constexpr std::string_view kMsgCMax = "La capacité de ce condensateur ne doit pas dépasser 1 F "
                                      "(1 000 000 µF) avec le simulateur.";
constexpr std::string_view kMsgLMin =
    "L'inductance de la bobine ne doit pas être inférieure à 0,1 mH avec le simulateur.";
constexpr std::string_view kMsgLMax =
    "L'inductance de la bobine ne doit pas dépasser 1 H (1 000 mH) avec le simulateur.";
constexpr std::string_view kMsgBranchMin =
    "La résistance de cette branche ne doit pas être inférieure à 5 ohms avec le simulateur.";
constexpr std::string_view kMsgCoilMax =
    "La résistance de cette bobine ne doit pas dépasser 100 ohms avec le simulateur.";

std::string_view minMessage(int i) {
    switch (i) {
    case 0:
    case 4:
    case 10:
        return kMsgUMin;
    case 1:
    case 3:
    case 5:
        return kMsgRMin;
    case 2:
    case 6:
        return kMsgCMin;
    case 8:
    case 11:
        return kMsgLMin;
    default:
        return kMsgBranchMin;
    }
}

std::string_view maxMessage(int i) {
    switch (i) {
    case 0:
    case 4:
    case 10:
        return kMsgUMax;
    case 2:
    case 6:
        return kMsgCMax;
    case 8:
    case 11:
        return kMsgLMax;
    case 9:
    case 12:
        return kMsgCoilMax;
    default:
        return kMsgRMax;
    }
}

float readOrZero(const std::string& text) {
    return fr::readNumber(text).value_or(0.0f);
}

// The text written back: the general format below 1 000, blank-grouped
// whole numbers from there on.
std::string writeBack(float v) {
    if (v < 1000) {
        return fr::general(v);
    }
    return std::string(fr::trimBlanks(fr::formatMask(v, "### ### ### ### ### ##0")));
}

} // namespace

char filterParameterKey(char c) {
    if (c == '.') {
        return ',';
    }
    if (c == 8 || c == 13 || c == ',' || (c >= '0' && c <= '9')) {
        return c;
    }
    return 0;
}

const ParameterLimits& parameterLimits(int i) {
    return kLimits[std::clamp(i, 0, kParameterCount - 1)];
}

Validation validateParameter(int i, const ParameterTexts& textv) {
    Validation out;
    if (i < 0 || i >= kParameterCount) {
        return out;
    }
    // An unreadable text is tested as a typed 0.
    const std::optional<float> read = fr::readNumber(textv[size_t(i)]);
    float v = read ? fr::roundTwoSignificant(*read) : 0.0f;
    const ParameterLimits& lim = kLimits[i];
    if (lim.partner >= 0) {
        const float partner = readOrZero(textv[size_t(lim.partner)]);
        // A branch completed by an earlier correction (0,3000002 + 4,7) reads
        // back as 0,3 + 4,7, a hair below 5 in single precision: that is the
        // same branch, not a new fault to report.
        if (double(v) + double(partner) < 5.0 - kBranchTolerance) {
            out.messages.push_back(minMessage(i));
            // A negative resistance would make no sense: a partner above 5
            // already satisfies the branch with 0 here.
            v = std::max(5.0f - partner, 0.0f);
        }
    } else if (double(v) < double(lim.min)) {
        out.messages.push_back(minMessage(i));
        v = lim.min;
    }
    if (double(v) > double(lim.max)) {
        out.messages.push_back(maxMessage(i));
        v = lim.max;
    }
    out.text = writeBack(v);
    return out;
}

std::array<float, kParameterCount> parameterValues(const ParameterTexts& textv) {
    std::array<float, kParameterCount> p{};
    for (int i = 0; i < kParameterCount; ++i) {
        const ParameterLimits& lim = kLimits[i];
        const float v = readOrZero(textv[size_t(i)]);
        // The branch resistances have no minimum of their own, only on
        // their sum.
        const float min = lim.partner >= 0 ? 0.0f : lim.min;
        p[size_t(i)] = std::clamp(v, min, lim.max);
    }
    for (int i : {7, 13}) {
        const int partner = kLimits[i].partner;
        if (p[size_t(i)] + p[size_t(partner)] < 5.0f) {
            p[size_t(i)] = 5.0f - p[size_t(partner)];
        }
    }
    return p;
}

} // namespace ohmora
