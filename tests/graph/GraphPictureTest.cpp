#include "graph/GraphPicture.h"
#include "core/Simulator.h"

#include "PixelSupport.h"

#include <algorithm>
#include <cmath>
#include <set>

using namespace ohmora;
using namespace ohmora::test;

namespace {

const QRgb kWhite = rgb(255, 255, 255);
const QRgb kBlack = rgb(0, 0, 0);
const QRgb kGrey = rgb(192, 192, 192);

ScaleInputs inputs(std::initializer_list<int> ticked, float u = 6, float dureeEnreg = 0.1f) {
    ScaleInputs in;
    for (int i = 0; i < kParameterCount; ++i)
        in.params[size_t(i)] = std::stof(std::string(kDefaultParameters[size_t(i)]));
    in.params[0] = u;
    for (int k : ticked)
        in.ticked[size_t(k)] = true;
    in.dureeEnreg = dureeEnreg;
    return in;
}

// Rows of column x = 80, between two vertical grid lines, in grid grey.
std::set<int> greyRows(const QImage& img) {
    std::set<int> rows;
    for (int y = 0; y < img.height(); ++y)
        if (rgbAt(img, 80, y) == kGrey)
            rows.insert(y);
    return rows;
}

// Every text of the frame where the frame's rules put it, measured by the
// box of its ink (black, never antialiased): graduation numbers end at
// x = 56 and are centred on their line, time numbers are centred on their
// time and hang from the zero line, the titles start at their corners.
void expectTextsInPlace(const QImage& img, const GraphFrame& f) {
    const GraphScale& s = f.scale;
    const int yZero = s.yZero;
    const double height = (s.axeSymetrique ? 100.0 : 200.0) / s.divisions;
    // Each number has the band of half a division on either side of its line.
    auto graduation = [&](double y, const std::string& text) {
        const int half = int(height / 2);
        const QRect band(0, int(std::lround(y)) - half, 57, 2 * half + 1);
        const QRect box = inkBox(img, band & img.rect());
        SCOPED_TRACE(text);
        ASSERT_FALSE(box.isEmpty());
        EXPECT_GE(box.right(), 53);
        EXPECT_LE(box.right(), 55);
        EXPECT_NEAR((box.top() + box.bottom()) / 2.0, y, 1.5);
    };
    for (int k = 1; k <= s.divisions; ++k) {
        const std::string& n = f.graduations[size_t(k - 1)];
        graduation(yZero - k * height, n);
        if (s.axeSymetrique)
            graduation(yZero + k * height, "- " + n);
    }
    graduation(yZero, "0");
    for (size_t i = 0; i < f.timeNumbers.size(); ++i) {
        const int x = 60 + 40 * (f.firstTimeIndex + int(i));
        // Between the vertical axis and the time axis's arrowhead.
        const QRect box = inkBox(img, QRect(QPoint(std::max(57, x - 19), yZero + 1),
                                            QPoint(std::min(473, x + 19), yZero + 14)));
        SCOPED_TRACE(f.timeNumbers[i]);
        ASSERT_FALSE(box.isEmpty());
        EXPECT_NEAR((box.left() + box.right()) / 2.0, x, 1.5);
        EXPECT_GE(box.top(), yZero + 1);
        EXPECT_LE(box.top(), yZero + 4);
    }
    for (auto [corner, text] : {std::pair{QPoint(480, yZero - 15), f.timeUnit},
                                std::pair{QPoint(70, 5), f.verticalUnit}}) {
        const QRect box = inkBox(img, QRect(corner, QSize(48, 13)));
        SCOPED_TRACE(text);
        EXPECT_GE(box.left(), corner.x());
        EXPECT_LE(box.left(), corner.x() + 2);
        EXPECT_GE(box.top(), corner.y() + 1);
        EXPECT_LE(box.top(), corner.y() + 4);
    }
}

} // namespace

struct ScaleCase {
    const char* name;
    ScaleInputs in;
    float echelleY;
    std::vector<std::string> graduations;
    std::string title;
    std::set<int> gridRows;
};

TEST(GraphPicture, ScalesGridAndTextsOfTheStatedCases) {
    const std::set<int> sixths{25, 58, 92, 125, 158, 192};
    const ScaleCase cases[] = {
        {"6 V", inputs({1}), 6, {"1", "2", "3", "4", "5", "6"}, "u  (V)", sixths},
        {"0.2 A",
         inputs({4}),
         0.2f,
         {"40", "80", "120", "160", "200"},
         "i  (mA)",
         {25, 45, 65, 85, 105, 145, 165, 185, 205, 225}},
        {"4 mJ", inputs({5}), 0.004f, {"1", "2", "3", "4"}, "E  (mJ)", {25, 75, 125, 175}},
        {"2.94", inputs({1}, 2.94f), 3, {"0,5", "1", "1,5", "2", "2,5", "3"}, "u  (V)", sixths},
        {"2.75",
         inputs({1}, 2.75f),
         2.8f,
         {"0,4", "0,8", "1,2", "1,6", "2", "2,4", "2,8"},
         "u  (V)",
         {25, 54, 82, 111, 139, 168, 196}},
        {"2 min", inputs({1}, 6, 120), 6, {"1", "2", "3", "4", "5", "6"}, "u  (V)", sixths},
    };
    for (const ScaleCase& c : cases) {
        SCOPED_TRACE(c.name);
        const GraphFrame f = computeGraphFrame(c.in);
        EXPECT_FLOAT_EQ(f.scale.echelleY, c.echelleY);
        EXPECT_EQ(f.graduations, c.graduations);
        EXPECT_EQ(f.verticalSymbol + f.verticalUnit, c.title);
        GraphPicture g;
        g.drawFrame(f);
        EXPECT_EQ(greyRows(g.image()), c.gridRows);
        expectTextsInPlace(g.image(), f);
    }
}

TEST(GraphPicture, AxesArrowheadsAndVerticalGrid) {
    GraphPicture g;
    g.drawFrame(computeGraphFrame(inputs({1})));
    const QImage& img = g.image();
    EXPECT_EQ(img.size(), QSize(529, 249));
    EXPECT_EQ(countColour(img, QRect(60, 225, 420, 1), kBlack), 420);
    EXPECT_EQ(rgbAt(img, 480, 225), kWhite); // a line leaves out its tip pixel
    EXPECT_EQ(countColour(img, QRect(60, 10, 1, 216), kBlack), 216);
    for (auto [x, y] : {std::pair{474, 222}, {474, 228}, {63, 16}, {57, 16}})
        EXPECT_EQ(rgbAt(img, x, y), kBlack) << x << "," << y;
    for (int x = 100; x <= 460; x += 40)
        EXPECT_EQ(countColour(img, QRect(x, 25, 1, 200), kGrey), 200) << x;
}

TEST(GraphPicture, DefaultFrameLooksAsRecorded) {
    Simulator sim;
    GraphPicture g;
    g.drawFrame(sim.state().graph.frame);
    expectMatchesGolden(g.image(), "graph_default.png", 30);
}

TEST(GraphPicture, MarksArePointsOrLinesOfAPenOfTwoUnclipped) {
    GraphPicture g;
    PlotMark point{.slot = 1, .line = false, .x1 = 120, .y1 = 110, .colour = Rgb{255, 0, 0}};
    PlotMark down{1, true, 300, 200, 302, 32000, Rgb{0, 0, 255}};
    g.plot({point, down});
    EXPECT_EQ(countColour(g.image(), QRect(119, 109, 2, 2), rgb(255, 0, 0)), 4);
    EXPECT_EQ(countColour(g.image(), QRect(118, 108, 4, 4), rgb(255, 0, 0)), 4);
    EXPECT_EQ(rgbAt(g.image(), 300, 200), rgb(0, 0, 255));
    EXPECT_EQ(rgbAt(g.image(), 300, 248), rgb(0, 0, 255)); // beyond the grid, to the border
}
