#include "window/Zoom.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

using namespace ohmora;

TEST(Zoom, FactorsFromOneToThreeWithAPointOrAComma) {
    const struct {
        const char* text;
        std::optional<double> zoom;
    } rows[] = {
        {"1", 1},
        {"1.5", 1.5},
        {"1,5", 1.5},
        {"2", 2},
        {"3", 3},
        {"1.25", 1.25},
        {"0.5", std::nullopt},
        {"3.01", std::nullopt},
        {"", std::nullopt},
        {"2x", std::nullopt},
        {"deux", std::nullopt},
        {"nan", std::nullopt},
        {"inf", std::nullopt},
        {"1,5,0", std::nullopt},
        {" 2", std::nullopt},
        {"-2", std::nullopt},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(readZoom(row.text), row.zoom) << '"' << row.text << '"';
    }
}

TEST(Zoom, AWindowTooLargeForTheScreenTakesTheLargestFactorThatFits) {
    const struct {
        const char* name;
        double requested, desktop;
        int width, height;
        double fitting;
    } rows[] = {
        {"a 1920 × 1080 projector holds 1,5", 1.5, 1, 1920, 1040, 1.5},
        {"the same projector at 2 is limited by its height", 2, 1, 1920, 1040, 1.65},
        {"a 1366 × 768 laptop", 1.5, 1, 1366, 728, 1.1},
        {"a 4K screen scaled twice by its desktop", 3, 2, 3840, 2120, 1.7},
        {"a screen too small for 1 keeps 1", 2, 1, 800, 560, 1},
        {"exactly enough", 2, 1, 1600, 1240, 2},
    };
    for (const auto& row : rows) {
        EXPECT_NEAR(fittingZoom(row.requested, row.desktop, 800, 600, row.width, row.height),
                    row.fitting, 1e-9)
            << row.name;
    }
}

TEST(Zoom, TheFactorWrittenTheFrenchWay) {
    EXPECT_EQ(zoomText(1.5), "1,5");
    EXPECT_EQ(zoomText(2), "2");
    EXPECT_EQ(zoomText(1.65), "1,65");
}
