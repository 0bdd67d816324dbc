#include "core/FrenchNumber.h"
#include "graph/GraphScale.h"

#include <gtest/gtest.h>

#include <clocale>

using namespace ohmora;

struct ReadCase {
    const char* text;
    bool readable;
    float value;
};

TEST(FrenchNumber, ReadsParameterTexts) {
    const ReadCase cases[] = {
        {"6", true, 6},
        {"4,7", true, 4.7f},
        {"0,001", true, 0.001f},
        {"1 000", true, 1000},
        {"1 000 000", true, 1000000},
        {"1000000", true, 1000000},
        {"  220 ", true, 220},
        {"4.7", true, 4.7f},
        {",5", true, 0.5f},
        {"5,", true, 5},
        {"-3", false, 0},
        {"+3", false, 0},
        {"1 2", false, 0},
        {"12 34", false, 0},
        {"1234 567", false, 0},
        {"1 000 00", false, 0},
        {"012 345", true, 12345},
        {"1\xC2\xA0"
         "200",
         true, 1200}, // no-break space from a paste
        {"1\xE2\x80\xAF"
         "200",
         true, 1200}, // narrow no-break space
        {"", false, 0},
        {"   ", false, 0},
        {",", false, 0},
        {"1,2,3", false, 0},
        {"1,2.3", false, 0},
        {"12a", false, 0},
        {"1e3", false, 0},
        {"1  000", false, 0},
        {"1 000,5 0", false, 0},
        {"- 3", false, 0},
        {"10000000000000000000000000000000000000000", false, 0}, // beyond single precision
    };
    for (const auto& c : cases) {
        auto v = fr::readNumber(c.text);
        EXPECT_EQ(v.has_value(), c.readable) << '"' << c.text << '"';
        if (c.readable && v) {
            EXPECT_EQ(*v, c.value) << '"' << c.text << '"';
        }
    }
}

struct MaskCase {
    float value;
    const char* mask;
    const char* text;
};

TEST(FrenchNumber, FormatsMasksRoundingHalfAwayFromZero) {
    const MaskCase cases[] = {
        {5.5f, "### ##0.00", "5,50"},
        {1234, "### ##0.00", "1 234,00"},
        {0, "### ##0.00", "0,00"},
        {-3, "### ##0.00", "-3,00"},
        {30, "### ##0.0", "30,0"},
        {12.1212f, "### ##0.0", "12,1"},
        {200, "### ##0", "200"},
        {123456, "### ##0", "123 456"},
        {0.125f, "### ##0.00", "0,13"},
        {-0.125f, "### ##0.00", "-0,13"},
        {2.5f, "### ##0", "3"},
        {1.15f, "#0.0", "1,2"}, // the value shown is 1,15, not its binary neighbour
        {1.04f, "#0.00#", "1,04"},
        {1.0425f, "#0.00#", "1,043"},
        {1.2f, "#0.0", "1,2"},
        {0.2f, "# ##0.0##", "0,2"},
        {1234.5678f, "# ##0.0##", "1 234,568"},
        {2, "# ##0", "2"},
        {-0.001f, "### ##0.00", "0,00"}, // no minus sign on a zero
        {-100, "### ### ### ##0.0#", "-100,0"},
        {3, "### ### ### ##0.0#", "3,0"},
        {2.345f, "### ### ### ##0.0#", "2,35"},
        {1234567, "### ### ### ### ### ##0", "1 234 567"},
        {2.94f, "0.0E+00", "2,9E+00"},
        {2.75f, "0.0E+00", "2,8E+00"},
        {0.1818f, "0.0E+00", "1,8E-01"},
        {9.96f, "0.0E+00", "1,0E+01"},
        {0.00396f, "0.0E+00", "4,0E-03"},
        {0, "0.0E+00", "0,0E+00"},
        {40.0001f, "0.00E+00", "4,00E+01"},
        {14, "#.#######E+00", "1,4E+01"},
        {0.5f, "#.#######E+00", "5,E-01"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fr::formatMask(c.value, c.mask), c.text) << c.value << " " << c.mask;
    }
    EXPECT_EQ(fr::formatMask(1.0 / 3.0, "#.#######E+00", '.'), "3.3333333E-01");
}

TEST(FrenchNumber, GeneralFormatIsShortestWithSevenDigits) {
    EXPECT_EQ(fr::general(0.5f), "0,5");
    EXPECT_EQ(fr::general(125.0f), "125");
    EXPECT_EQ(fr::general(5.0f - 4.7f), "0,3000002");
    EXPECT_EQ(fr::general(0.001f), "0,001");
    EXPECT_EQ(fr::general(220.0f), "220");
    EXPECT_EQ(fr::general(0.0f), "0");
    EXPECT_EQ(fr::general(-0.25f), "-0,25");
    EXPECT_EQ(fr::general(1.0f / 3.0f), "0,3333333");
    EXPECT_EQ(fr::general(16777216.0f), "16777220");
    EXPECT_EQ(fr::general(0.1, '.'), "0.1");
}

TEST(FrenchNumber, RoundsToTwoSignificantDigits) {
    EXPECT_EQ(fr::roundTwoSignificant(12.04f), 12.0f);
    EXPECT_EQ(fr::roundTwoSignificant(0.496f), 0.5f);
    EXPECT_EQ(fr::roundTwoSignificant(12.5f), 13.0f);
    EXPECT_EQ(fr::roundTwoSignificant(1234.0f), 1200.0f);
    EXPECT_EQ(fr::roundTwoSignificant(0.46f), 0.46f);
    EXPECT_EQ(fr::roundTwoSignificant(0.0f), 0.0f);
    EXPECT_EQ(fr::roundTwoSignificant(-2.25f), -2.3f);
    EXPECT_EQ(fr::roundTwoSignificant(999.0f), 1000.0f);
    EXPECT_EQ(fr::roundTwoSignificant(4.7f), 4.7f);
}

TEST(FrenchNumber, IgnoresTheProcessLocale) {
    const char* previous = std::setlocale(LC_ALL, nullptr);
    std::string saved = previous ? previous : "C";
    if (std::setlocale(LC_ALL, "fr_FR.UTF-8") != nullptr) {
        // The locale really writes a comma: the checks below mean something.
        EXPECT_STREQ(std::localeconv()->decimal_point, ",");
    } else {
        std::setlocale(LC_ALL, "C.UTF-8");
    }
    EXPECT_EQ(fr::formatMask(1234.5f, "### ##0.00"), "1 234,50");
    // Values whose shortest form needs more than seven digits take another
    // path through the digits: it must not follow the locale either.
    EXPECT_EQ(fr::formatMask(6.0f / 33.0f, "0.0E+00", '.'), "1.8E-01");
    EXPECT_EQ(fr::general(1.0f / 3.0f), "0,3333333");
    ScaleInputs current;
    current.params = {6, 33, 220, 100, 6, 33, 220, 10, 400, 5, 6, 200, 5, 10};
    current.ticked[4] = true;
    EXPECT_EQ(computeGraphFrame(current).graduations,
              (std::vector<std::string>{"40", "80", "120", "160", "200"}));
    EXPECT_EQ(*fr::readNumber("4,7"), 4.7f);
    EXPECT_EQ(*fr::readNumber("4.7"), 4.7f);
    std::setlocale(LC_ALL, saved.c_str());
}
