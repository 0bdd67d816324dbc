#pragma once
// Key sequences written the way a pupil would say them: "2 SIN 3 0 EXE".

#include "calculator/CalculatorSession.h"

#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace ohmora::testing {

inline std::vector<CalculatorKey> keySequence(std::string_view sequence) {
    using K = CalculatorKey;
    static const std::map<std::string, K> names = {
        {"0", K::Digit0},       {"1", K::Digit1},       {"2", K::Digit2},
        {"3", K::Digit3},       {"4", K::Digit4},       {"5", K::Digit5},
        {"6", K::Digit6},       {"7", K::Digit7},       {"8", K::Digit8},
        {"9", K::Digit9},       {".", K::Point},        {"EXP", K::ToExp},
        {"k", K::Kilo},         {"M", K::Mega},         {"G", K::Giga},
        {"T", K::Tera},         {"m", K::Milli},        {"µ", K::Micro},
        {"n", K::Nano},         {"p", K::Pico},         {"+", K::Plus},
        {"-", K::Minus},        {"x", K::Multiply},     {"/", K::Divide},
        {"^", K::Power},        {"x2", K::Square},      {"(", K::OpenBracket},
        {")", K::CloseBracket}, {"SIN", K::Sin},        {"COS", K::Cos},
        {"TAN", K::Tan},        {"ISIN", K::InvSin},    {"ICOS", K::InvCos},
        {"ITAN", K::InvTan},    {"LN", K::Ln},          {"LOG", K::Log},
        {"e^x", K::Exp},        {"10^x", K::TenPower},  {"SQR", K::Root},
        {"1/x", K::Inverse},    {"PI", K::Pi},          {"ANS", K::Ans},
        {"EXE", K::Exe},        {"DEL", K::Efface},     {"AC", K::Raz},
        {"M+", K::MemoryPlus},  {"M-", K::MemoryMinus}, {"RM", K::MemoryRecall},
        {"CM", K::MemoryClear}};
    std::vector<K> keys;
    std::istringstream words{std::string(sequence)};
    for (std::string word; words >> word;) {
        const auto found = names.find(word);
        if (found == names.end()) {
            throw std::invalid_argument("unknown key in test sequence: " + word);
        }
        keys.push_back(found->second);
    }
    return keys;
}

} // namespace ohmora::testing
