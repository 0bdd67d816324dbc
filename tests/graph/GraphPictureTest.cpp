#include "GraphPicture.h"

#include "PixelSupport.h"
#include "TextReference.h"

#include <set>

using namespace ohmora;
using namespace ohmora::test;

namespace {

const QRgb kWhite = rgb(255, 255, 255);
const QRgb kBlack = rgb(0, 0, 0);
const QRgb kGrey = rgb(192, 192, 192);
const QRgb kRed = rgb(255, 0, 0);

// Defaults of the montage with the given boxes ticked.
ScaleInputs inputs(int montage, std::initializer_list<int> ticked, float dureeEnreg = 0.1f) {
    ScaleInputs in;
    in.montage = montage;
    for (int i = 0; i < kParameterCount; ++i)
        in.params[size_t(i)] = std::stof(std::string(kDefaultParameters[size_t(i)]));
    for (int k : ticked)
        in.ticked[size_t(k)] = true;
    in.dureeEnreg = dureeEnreg;
    return in;
}

// Montage 0 with only u_C ticked and a generator of `u` volts: valeurMax = u.
GraphFrame voltageFrame(float u) {
    ScaleInputs in = inputs(0, {1});
    in.params[0] = u;
    return computeGraphFrame(in);
}

// Rows of column x = 80 (between two vertical grid lines) in grid grey.
std::set<int> greyRows(const QImage& img) {
    std::set<int> rows;
    for (int y = 0; y < img.height(); ++y)
        if (rgbAt(img, 80, y) == kGrey)
            rows.insert(y);
    return rows;
}

// The graduation texts as they belong left of the vertical axis.
QImage expectedGraduations(const GraphFrame& f) {
    TextReference ref(QSize(GraphPicture::kWidth, GraphPicture::kHeight), Qt::white);
    const GraphScale& s = f.scale;
    const float height = (s.axeSymetrique ? 100.0f : 200.0f) / float(s.divisions);
    auto write = [&](const QString& t, double y) {
        ref.text(56 - ref.width(t), y - ref.height() / 2.0, t);
    };
    for (int k = 1; k <= s.divisions; ++k) {
        const QString n = QString::fromStdString(f.graduations[size_t(k - 1)]);
        write(n, float(s.yZero) - float(k) * height);
        if (s.axeSymetrique)
            write("- " + n, float(s.yZero) + float(k) * height);
    }
    write("0", s.yZero);
    return ref.image();
}

QImage expectedTimeNumbers(const GraphFrame& f) {
    TextReference ref(QSize(GraphPicture::kWidth, GraphPicture::kHeight), Qt::white);
    for (size_t i = 0; i < f.timeNumbers.size(); ++i) {
        const QString t = QString::fromStdString(f.timeNumbers[i]);
        ref.text(60 + 40 * (f.firstTimeIndex + int(i)) - ref.width(t) / 2.0, f.scale.yZero, t);
    }
    return ref.image();
}

QImage expectedTitles(const GraphFrame& f) {
    TextReference ref(QSize(GraphPicture::kWidth, GraphPicture::kHeight), Qt::white);
    double x = ref.text(480, f.scale.yZero - 15, "t  ", true);
    ref.text(x, f.scale.yZero - 15, QString::fromStdString(f.timeUnit));
    x = ref.text(70, 5, QString::fromStdString(f.verticalSymbol), true);
    ref.text(x, 5, QString::fromStdString(f.verticalUnit));
    return ref.image();
}

void expectTextsInPlace(const QImage& img, const GraphFrame& f) {
    const QRect left(0, 0, 57, GraphPicture::kHeight);
    EXPECT_EQ(differingPixels(img, expectedGraduations(f), left), 0);
    const QRect titles(480, 0, GraphPicture::kWidth - 480, GraphPicture::kHeight);
    EXPECT_EQ(differingPixels(img, expectedTitles(f), titles), 0);
    EXPECT_EQ(differingPixels(img, expectedTitles(f), QRect(64, 0, 400, 20)), 0);
    // Under the zero line, clear of the grid: the white band of a symmetric
    // axis, or the margin below a one-sided one.
    const int y0 = f.scale.yZero;
    const QRect under = f.scale.axeSymetrique
                            ? QRect(61, y0 + 2, 409, 12)
                            : QRect(57, y0 + 1, 413, GraphPicture::kHeight - y0 - 1);
    EXPECT_EQ(differingPixels(img, expectedTimeNumbers(f), under), 0);
}

} // namespace

TEST(GraphPicture, IsWhiteAndOfTheWindowsSize) {
    GraphPicture g;
    EXPECT_EQ(g.image().size(), QSize(529, 249));
    EXPECT_EQ(rgbAt(g.image(), 300, 100), kWhite);
}

TEST(GraphPicture, SixVoltsOneSided) {
    const GraphFrame f = voltageFrame(6);
    ASSERT_EQ(f.scale.echelleY, 6.0f);
    ASSERT_EQ(f.scale.divisions, 6);
    EXPECT_EQ(f.graduations, (std::vector<std::string>{"1", "2", "3", "4", "5", "6"}));
    GraphPicture g;
    g.drawFrame(f);
    const QImage& img = g.image();
    EXPECT_EQ(greyRows(img), (std::set<int>{25, 58, 92, 125, 158, 192}));
    // Eleven vertical grid lines, the last pixel (y = 225) left out.
    for (int x = 100; x <= 460; x += 40) {
        EXPECT_EQ(rgbAt(img, x, 25), kGrey) << x;
        EXPECT_EQ(rgbAt(img, x, 224), kGrey) << x;
    }
    EXPECT_EQ(rgbAt(img, 101, 100), kWhite);
    expectTextsInPlace(img, f);
}

TEST(GraphPicture, AxesAndArrowheads) {
    GraphPicture g;
    g.drawFrame(voltageFrame(6));
    const QImage& img = g.image();
    for (int x = 60; x <= 479; ++x)
        EXPECT_EQ(rgbAt(img, x, 225), kBlack) << x;
    EXPECT_EQ(rgbAt(img, 480, 225), kWhite); // the tip pixel stays empty
    EXPECT_EQ(rgbAt(img, 474, 222), kBlack);
    EXPECT_EQ(rgbAt(img, 474, 228), kBlack);
    for (int y = 10; y <= 225; ++y)
        EXPECT_EQ(rgbAt(img, 60, y), kBlack) << y;
    EXPECT_EQ(rgbAt(img, 60, 9), kWhite);
    EXPECT_EQ(rgbAt(img, 63, 16), kBlack);
    EXPECT_EQ(rgbAt(img, 57, 16), kBlack);
    // The vertical axis is drawn over the grid line at x = 60.
    EXPECT_EQ(rgbAt(img, 60, 100), kBlack);
}

TEST(GraphPicture, CurrentOnASymmetricTwoTenthsOfAmpereScale) {
    const GraphFrame f = computeGraphFrame(inputs(0, {4}));
    ASSERT_TRUE(f.scale.axeSymetrique);
    ASSERT_FLOAT_EQ(f.scale.echelleY, 0.2f);
    ASSERT_EQ(f.scale.divisions, 5);
    EXPECT_EQ(f.graduations, (std::vector<std::string>{"40", "80", "120", "160", "200"}));
    EXPECT_EQ(f.verticalSymbol + f.verticalUnit, "i  (mA)");
    GraphPicture g;
    g.drawFrame(f);
    const QImage& img = g.image();
    EXPECT_EQ(greyRows(img), (std::set<int>{25, 45, 65, 85, 105, 145, 165, 185, 205, 225}));
    EXPECT_EQ(rgbAt(img, 80, 125), kBlack); // the time axis at mid-height
    // The band under the zero line is cleared of the vertical grid (the
    // text comparison below covers the rest of the band)...
    for (int x = 61; x <= 460; ++x)
        EXPECT_EQ(rgbAt(img, x, 138), kWhite) << x;
    EXPECT_EQ(rgbAt(img, 100, 126), kGrey);
    EXPECT_EQ(rgbAt(img, 100, 139), kGrey);
    EXPECT_EQ(rgbAt(img, 61, 130), kWhite); // ...and no time number at k = 0
    expectTextsInPlace(img, f);
}

TEST(GraphPicture, EnergyInMillijoules) {
    const GraphFrame f = computeGraphFrame(inputs(0, {5}));
    ASSERT_FLOAT_EQ(f.scale.echelleY, 0.004f);
    EXPECT_EQ(f.graduations, (std::vector<std::string>{"1", "2", "3", "4"}));
    EXPECT_EQ(f.verticalSymbol + f.verticalUnit, "E  (mJ)");
    GraphPicture g;
    g.drawFrame(f);
    EXPECT_EQ(greyRows(g.image()), (std::set<int>{25, 75, 125, 175}));
    expectTextsInPlace(g.image(), f);
}

TEST(GraphPicture, TwoNinetyFourRoundsUpToThreeInHalfUnits) {
    const GraphFrame f = voltageFrame(2.94f);
    ASSERT_FLOAT_EQ(f.scale.echelleY, 3.0f);
    EXPECT_EQ(f.graduations, (std::vector<std::string>{"0,5", "1", "1,5", "2", "2,5", "3"}));
    GraphPicture g;
    g.drawFrame(f);
    EXPECT_EQ(greyRows(g.image()), (std::set<int>{25, 58, 92, 125, 158, 192}));
    expectTextsInPlace(g.image(), f);
}

TEST(GraphPicture, TwoSeventyFiveGivesSevenDivisionsOfFourTenths) {
    const GraphFrame f = voltageFrame(2.75f);
    ASSERT_FLOAT_EQ(f.scale.echelleY, 2.8f);
    ASSERT_EQ(f.scale.divisions, 7);
    EXPECT_EQ(f.graduations,
              (std::vector<std::string>{"0,4", "0,8", "1,2", "1,6", "2", "2,4", "2,8"}));
    GraphPicture g;
    g.drawFrame(f);
    EXPECT_EQ(greyRows(g.image()), (std::set<int>{25, 54, 82, 111, 139, 168, 196}));
    expectTextsInPlace(g.image(), f);
}

TEST(GraphPicture, TimeNumbersInSecondsForTwoMinutes) {
    const GraphFrame f = computeGraphFrame(inputs(0, {1}, 120.0f));
    EXPECT_EQ(f.timeNumbers.front(), "0");
    EXPECT_EQ(f.timeNumbers.back(), "120");
    EXPECT_EQ(f.timeUnit, "(s)");
    GraphPicture g;
    g.drawFrame(f);
    expectTextsInPlace(g.image(), f);
}

TEST(GraphPicture, DefaultFrameLooksAsRecorded) {
    Simulator sim;
    GraphPicture g;
    g.drawFrame(sim.state().frame);
    expectMatchesGolden(g.image(), "graph_default.png", 30);
}

TEST(GraphPicture, PlotDrawsPointsAndLinesWithAPenOfTwo) {
    GraphPicture g;
    g.drawFrame(voltageFrame(6));
    PlotMark point;
    point.x1 = 120, point.y1 = 110, point.colour = Rgb{255, 0, 0};
    PlotMark segment;
    segment.line = true, segment.x0 = 200, segment.y0 = 150, segment.x1 = 210, segment.y1 = 140;
    segment.colour = Rgb{0, 0, 255};
    g.plot({point, segment});
    const QImage& img = g.image();
    for (auto [x, y] : {std::pair{119, 109}, {120, 109}, {119, 110}, {120, 110}})
        EXPECT_EQ(rgbAt(img, x, y), kRed) << x << "," << y;
    EXPECT_EQ(rgbAt(img, 121, 110), kWhite);
    EXPECT_EQ(rgbAt(img, 120, 111), kWhite);
    EXPECT_EQ(rgbAt(img, 118, 110), kWhite);
    EXPECT_EQ(rgbAt(img, 200, 150), rgb(0, 0, 255));
    EXPECT_EQ(rgbAt(img, 210, 140), rgb(0, 0, 255));
    EXPECT_EQ(rgbAt(img, 205, 145), rgb(0, 0, 255));
}

TEST(GraphPicture, CurvesRunBeyondThePlottingAreaUpToTheBorder) {
    GraphPicture g;
    g.drawFrame(voltageFrame(6));
    PlotMark m;
    m.line = true, m.x0 = 300, m.y0 = 200, m.x1 = 302, m.y1 = 32000;
    m.colour = Rgb{255, 0, 0};
    g.plot({m});
    EXPECT_EQ(rgbAt(g.image(), 300, 240), kRed);
    EXPECT_EQ(rgbAt(g.image(), 300, 248), kRed);
}

TEST(GraphPicture, ARecordingGrowsTheCurveInItsSwatchColour) {
    Simulator sim;
    GraphPicture g;
    g.apply(RedrawGraphFrame, sim);
    sim.mouseMoveSchematic(105, 30);
    g.apply(sim.clickSchematic(), sim);
    ASSERT_TRUE(sim.state().enregEnCours);
    std::vector<PlotMark> marks;
    for (int i = 0; i < 20; ++i) {
        g.apply(sim.tick(), sim);
        marks.insert(marks.end(), sim.lastPlot().begin(), sim.lastPlot().end());
    }
    ASSERT_GE(marks.size(), 10u);
    EXPECT_FALSE(marks.front().line); // the first tick after a switching
    EXPECT_TRUE(marks.back().line);
    const QRgb red = rgb(255, 0, 0);
    for (const PlotMark& m : marks) {
        EXPECT_EQ(m.slot, 1);
        EXPECT_EQ(rgbAt(g.image(), m.x1, m.y1), red) << m.x1 << "," << m.y1;
    }
    EXPECT_EQ(marks.front().x1, 60);
    EXPECT_EQ(marks.front().y1, 225);
    // The curve rises: u_C climbs towards 6 V.
    EXPECT_LT(marks.back().y1, marks.front().y1);
}

TEST(GraphPicture, EraseClearsTheCurves) {
    Simulator sim;
    GraphPicture g;
    g.apply(RedrawGraphFrame, sim);
    const QImage empty = g.image().copy();
    sim.mouseMoveSchematic(105, 30);
    g.apply(sim.clickSchematic(), sim);
    for (int i = 0; i < 5; ++i)
        g.apply(sim.tick(), sim);
    EXPECT_GT(differingPixels(g.image(), empty, g.image().rect()), 0);
    g.apply(sim.erase(), sim);
    EXPECT_EQ(differingPixels(g.image(), empty, g.image().rect()), 0);
}

TEST(GraphPicture, AColourChangeEndsTheRunButKeepsTheCurves) {
    Simulator sim;
    GraphPicture g;
    g.apply(RedrawGraphFrame, sim);
    sim.mouseMoveSchematic(105, 30);
    g.apply(sim.clickSchematic(), sim);
    for (int i = 0; i < 5; ++i)
        g.apply(sim.tick(), sim);
    const QImage drawn = g.image().copy();
    g.apply(sim.setColour(1, Rgb{0, 128, 0}), sim);
    EXPECT_FALSE(sim.state().enregEnCours);
    EXPECT_EQ(sim.state().position, 0);
    EXPECT_EQ(differingPixels(g.image(), drawn, g.image().rect()), 0);
    // The next recording uses the new colour.
    sim.mouseMoveSchematic(105, 30);
    g.apply(sim.clickSchematic(), sim);
    g.apply(sim.tick(), sim);
    ASSERT_FALSE(sim.lastPlot().empty());
    const PlotMark& m = sim.lastPlot().front();
    EXPECT_EQ(rgbAt(g.image(), m.x1, m.y1), rgb(0, 128, 0));
}

TEST(GraphPicture, ApplyIgnoresOtherRedraws) {
    Simulator sim;
    GraphPicture g;
    g.apply(RedrawSchematic | RedrawTableHeader, sim);
    EXPECT_EQ(countColour(g.image(), g.image().rect(), kWhite), 529 * 249);
}
