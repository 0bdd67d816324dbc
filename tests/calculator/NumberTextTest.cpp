#include "calculator/NumberText.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

namespace ohmora {
namespace {

struct ReadCase {
    const char* text;
    double value;
    std::size_t length;
    bool overflow;
};

// The largest double written with 15 digits reads back beyond the range.
TEST(NumberText, ReadsTheLeadingNumber) {
    const ReadCase cases[] = {{"14", 14, 2, false},       {"  -2.5)", -2.5, 6, false},
                              {".5 ", 0.5, 2, false},     {"1E3", 1000, 3, false},
                              {"47E-6", 47e-6, 5, false}, {"1.5E+3X", 1500, 6, false},
                              {"1.2.3", 1.2, 3, false},   {"", 0, 0, false},
                              {"ABC", 0, 0, false},       {"-", 0, 1, false},
                              {"2E", 2, 2, false},        {"0E99999", 0, 7, false},
                              {"1E999", 0, 5, true},      {"-1E400", 0, 6, true},
                              {"1E-400", 0, 6, false},    {"1.79769313486232E+308", 0, 21, true}};
    for (const ReadCase& c : cases) {
        const NumberReading reading = readLeadingNumber(c.text);
        EXPECT_DOUBLE_EQ(reading.value, c.value) << c.text;
        EXPECT_EQ(reading.length, c.length) << c.text;
        EXPECT_EQ(reading.overflow, c.overflow) << c.text;
    }
    EXPECT_EQ(readLeadingNumber(std::string(400, '9')).overflow, true);
    EXPECT_DOUBLE_EQ(readLeadingNumber("1" + std::string(300, '0')).value, 1e300);
}

TEST(NumberText, TellsNumbersFromOtherTexts) {
    for (const char* number : {"", "14", "-.25", "1.5E3", "1E+20", "2E", "."}) {
        EXPECT_TRUE(isNumberText(number)) << number;
    }
    for (const char* other : {"PI", "X", "2X", "1.5.3", "2 3", "1E3E4", "(2)"}) {
        EXPECT_FALSE(isNumberText(other)) << other;
    }
}

TEST(NumberText, WritesFifteenSignificantDigitsShortest) {
    const std::pair<double, const char*> cases[] = {{14, "14"},
                                                    {0.5, ".5"},
                                                    {-0.25, "-.25"},
                                                    {0, "0"},
                                                    {1.0 / 3, ".333333333333333"},
                                                    {std::log(2.0), ".693147180559945"},
                                                    {std::exp(1.0), "2.71828182845905"},
                                                    {1e20, "1E+20"},
                                                    {1.633123935319537e16, "1.63312393531954E+16"},
                                                    {999999999999999.9, "1E+15"},
                                                    {123456789012345.6, "123456789012346"},
                                                    {0.0001, ".0001"},
                                                    {0.0000999, "9.99E-05"},
                                                    {1e-10, "1E-10"},
                                                    {47e-6, "4.7E-05"},
                                                    {1e100, "1E+100"},
                                                    {DBL_MAX, "1.79769313486232E+308"},
                                                    {4 * std::atan(1.0), "3.14159265358979"}};
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(writeNumber(value), text) << value;
    }
}

TEST(NumberText, FormatsTheScientificMask) {
    const std::pair<double, const char*> cases[] = {{14, "1.4E+01"},
                                                    {0.5, "5.E-01"},
                                                    {1.0 / 3, "3.3333333E-01"},
                                                    {2.0 / 3, "6.6666667E-01"},
                                                    {-1234.5, "-1.2345E+03"},
                                                    {0, "0.E+00"},
                                                    {99999999.5, "1.E+08"},
                                                    {1.00000005, "1.0000001E+00"},
                                                    {1.5e-300, "1.5E-300"},
                                                    {1e20, "1.E+20"}};
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(formatScientific(value), text) << value;
    }
}

} // namespace
} // namespace ohmora
