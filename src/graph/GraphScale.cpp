#include "graph/GraphScale.h"

#include "core/FrenchNumber.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace ohmora {

void chooseValeurMax(const ScaleInputs& in, float& valeurMax, bool& axeSymetrique) {
    const auto& p = in.params;
    const auto& box = in.ticked;
    axeSymetrique = false;
    switch (in.montage) {
    case 0: {
        const float U = p[0], R1 = p[1], C = p[2], R2 = p[3];
        valeurMax = U;
        if (box[SlotI]) {
            valeurMax = R1 < R2 ? U / R1 : U / R2;
            axeSymetrique = true;
        } else if (box[SlotU2]) {
            axeSymetrique = true;
        }
        if (box[SlotEC]) {
            valeurMax = float(0.5 * (double(C) / 1000000.0) * double(valeurMax) * valeurMax);
            axeSymetrique = false;
        }
        break;
    }
    case 1: {
        const float U = p[4], R1 = p[5], C = p[6], R2 = p[7], L = p[8], r = p[9];
        valeurMax = U;
        axeSymetrique = true;
        if (box[SlotI] || in.sustained) {
            const double omega0 = 1.0 / std::sqrt(double(L) * double(C) / 1000000000.0);
            const double peak = double(C) / 1000000.0 * double(U) * omega0;
            const float charging = U / R1;
            valeurMax = double(charging) < peak ? float(peak) : charging;
            if (in.sustained && !box[SlotI]) {
                const double q = peak * double(r + R2);
                valeurMax = q < double(U) ? U : float(q);
            }
        }
        if (box[SlotEC] || box[SlotEb]) {
            valeurMax = float(0.5 * (double(C) / 1000000.0) * double(valeurMax) * valeurMax);
            axeSymetrique = false;
        }
        break;
    }
    case 2: {
        const float U = p[10], L = p[11], r = p[12], R = p[13];
        valeurMax = U;
        if (box[SlotI] || box[SlotEb]) {
            valeurMax = U / (R + r);
        }
        if (box[SlotEb]) {
            valeurMax = float(0.5 * (double(L) / 1000.0) * double(valeurMax) * valeurMax);
        }
        break;
    }
    default:
        valeurMax = 0;
        break;
    }
}

namespace {

int divisionsFor(int d) {
    switch (d) {
    case 3:
        return 6;
    case 4:
        return 4;
    case 5:
        return 5;
    case 6:
        return 6;
    case 7:
        return 7;
    case 8:
        return 4;
    case 9:
        return 3;
    case 10:
        return 5;
    case 12:
        return 6;
    case 14:
        return 7;
    case 15:
        return 5;
    case 16:
        return 4;
    case 18:
        return 6;
    case 20:
        return 5;
    case 21:
        return 3;
    case 24:
        return 6;
    case 25:
        return 5;
    case 27:
        return 3;
    case 28:
        return 7;
    case 30:
        return 6;
    default:
        return 1;
    }
}

// The float nearest to digits × 10^exponent, read from its decimal text so
// that no power of ten is rounded on the way.
float nearestFloat(int digits, int exponent) {
    std::array<char, 32> text{};
    char* const last = text.data() + text.size();
    char* end = std::to_chars(text.data(), last, digits).ptr;
    *end++ = 'e';
    end = std::to_chars(end, last, exponent).ptr;
    float value = 0;
    std::from_chars(text.data(), end, value);
    return value;
}

// valeurMax is a product or quotient of single-precision parameters, each a
// rounded decimal: a maximum that stands for a round value may come out up
// to a few units in the last place above that value's float (four at most
// over the parameter ranges). Within eight units it still counts as the
// round value; the difference is far below a pixel of the axis.
constexpr std::uint32_t kRoundingSlack = 8;

// roundValue is a non-negative float, whose bit patterns are in the order
// of the values.
bool exceedsRoundValue(float valeurMax, float roundValue) {
    const auto infinity = std::bit_cast<std::uint32_t>(std::numeric_limits<float>::infinity());
    const auto limit =
        std::min(std::bit_cast<std::uint32_t>(roundValue) + kRoundingSlack, infinity);
    return valeurMax > std::bit_cast<float>(limit);
}

} // namespace

void roundScale(float valeurMax, GraphScale& scale) {
    // Two significant digits a.b and the exponent e of valeurMax.
    const std::string text = fr::formatMask(valeurMax, "0.0E+00", '.');
    const bool negative = !text.empty() && text[0] == '-';
    const size_t start = negative ? 1 : 0;
    const int a = text[start] - '0';
    const int b = text[start + 2] - '0';
    const int e = std::stoi(text.substr(text.find('E') + 1));
    // The scale is d × 10^k, kept as two integers and turned into a float
    // only at the end: d times a power of ten already rounded to single
    // precision can fall just below the round value, and a maximum such as
    // 0,2 then seemed to exceed its own scale (210 mA in 3 divisions).
    int d = a;
    int k = e;
    if (d < 3) {
        d = 10 * a + b;
        k = e - 1;
    }
    if (exceedsRoundValue(valeurMax, nearestFloat(d, k))) {
        ++d;
    }
    switch (d) {
    case 11:
        d = 12;
        break;
    case 13:
        d = 14;
        break;
    case 17:
        d = 18;
        break;
    case 19:
        d = 20;
        break;
    case 22:
    case 23:
        d = 24;
        break;
    case 26:
        d = 27;
        break;
    case 29:
        d = 3;
        ++k;
        break;
    default:
        break;
    }
    scale.echelleY = nearestFloat(d, k);
    scale.decade = nearestFloat(1, k);
    if (d == 0) {
        d = 10;
    }
    scale.d = d;
    scale.divisions = divisionsFor(d);
}

GraphFrame computeGraphFrame(const ScaleInputs& in) {
    GraphFrame f;
    GraphScale& s = f.scale;
    chooseValeurMax(in, s.valeurMax, s.axeSymetrique);
    if (s.valeurMax >= 0.001f && s.valeurMax < 0.5f) {
        f.prefix = "m";
        f.factor = 1000;
    } else if (s.valeurMax < 0.001f) {
        f.prefix = "µ";
        f.factor = 1000000;
    }
    s.yZero = s.axeSymetrique ? 125 : 225;
    roundScale(s.valeurMax, s);

    for (int k = 1; k <= s.divisions; ++k) {
        const float value = float(double(s.echelleY) / s.divisions * k * f.factor);
        const std::string rounded = fr::formatMask(value, "0.00E+00", '.');
        double readBack = 0;
        std::from_chars(rounded.data(), rounded.data() + rounded.size(), readBack);
        f.graduations.push_back(fr::general(float(readBack)));
    }

    const double timeFactor = in.dureeEnreg >= 1.0f ? 1.0 : 1000.0;
    f.timeUnit = timeFactor == 1.0 ? "(s)" : "(ms)";
    f.firstTimeIndex = s.axeSymetrique ? 1 : 0;
    for (int k = f.firstTimeIndex; k <= 10; ++k) {
        f.timeNumbers.push_back(fr::general(float(k * double(in.dureeEnreg) * timeFactor / 10)));
    }

    const QuantityGroup group = shownGroup(in.ticked);
    f.verticalSymbol = group == QuantityGroup::Current  ? "i  "
                       : group == QuantityGroup::Energy ? "E  "
                                                        : "u  ";
    f.verticalUnit = "(" + f.prefix + std::string(groupUnit(group)) + ")";
    return f;
}

} // namespace ohmora
