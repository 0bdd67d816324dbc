// Pictures at any scale: at 1 the drawings are the very pictures the window
// shows; at 1,5, 2 and 4 the same drawings made anew at that resolution,
// with sharp edges; as SVG with their text kept as text, rendering like the
// PNG; the measuring tools in each of them, within the plotting box.

#include "pictureset/PictureSet.h"

#include "PixelSupport.h"
#include "Recordings.h"
#include "graph/PlotBox.h"

#include <QPainter>
#include <QSvgRenderer>

#include <cmath>
#include <set>

using namespace ohmora;
using namespace ohmora::test;

namespace {

const QRect kPlotBox(QPoint(PlotBox::left, PlotBox::top), QPoint(PlotBox::right, PlotBox::bottom));

// The default charge recorded with u_R1 too, the pictures kept up to date.
void recordCharge(Simulator& sim, PictureSet& p) {
    p.redrawAll(sim.state());
    p.apply(sim.setQuantity(SlotU1, true), sim);
    p.apply(clickK(sim, 1), sim);
    while (sim.state().run.enregEnCours) {
        p.apply(sim.tick(), sim);
    }
}

void addTools(Simulator& sim) {
    sim.constructTau(TauPart::Tangent, SlotUC);
    sim.constructTau(TauPart::Level, SlotU1);
    sim.moveCursor(0, 90);
    sim.moveCursor(1, 200);
}

// Each block of s × s pixels averaged: the picture as seen from afar.
QImage reduced(const QImage& big, int s) {
    QImage small(big.width() / s, big.height() / s, QImage::Format_RGB32);
    for (int y = 0; y < small.height(); ++y) {
        for (int x = 0; x < small.width(); ++x) {
            int r = 0, g = 0, b = 0;
            for (int j = 0; j < s; ++j) {
                for (int i = 0; i < s; ++i) {
                    const QColor c(big.pixel(x * s + i, y * s + j));
                    r += c.red(), g += c.green(), b += c.blue();
                }
            }
            small.setPixel(x, y, qRgb(r / (s * s), g / (s * s), b / (s * s)));
        }
    }
    return small;
}

// Pixels whose colours differ by more than `threshold` in some component.
int differing(const QImage& a, const QImage& b, int threshold) {
    int n = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QColor p(a.pixel(x, y)), q(b.pixel(x, y));
            n += std::abs(p.red() - q.red()) > threshold ||
                 std::abs(p.green() - q.green()) > threshold ||
                 std::abs(p.blue() - q.blue()) > threshold;
        }
    }
    return n;
}

// Pixels of `a` with no pixel of `b` near them (3 × 3) of a colour within
// `threshold`: where the pictures differ by more than a pixel's shift.
int differingNearby(const QImage& a, const QImage& b, int threshold) {
    const auto near = [&](QColor p, int x, int y) {
        for (int j = std::max(0, y - 1); j <= std::min(b.height() - 1, y + 1); ++j) {
            for (int i = std::max(0, x - 1); i <= std::min(b.width() - 1, x + 1); ++i) {
                const QColor q(b.pixel(i, j));
                if (std::abs(p.red() - q.red()) <= threshold &&
                    std::abs(p.green() - q.green()) <= threshold &&
                    std::abs(p.blue() - q.blue()) <= threshold) {
                    return true;
                }
            }
        }
        return false;
    };
    int n = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            n += !near(QColor(a.pixel(x, y)), x, y);
        }
    }
    return n;
}

QRect differingArea(const QImage& a, const QImage& b) {
    QRect area;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y)) {
                area |= QRect(x, y, 1, 1);
            }
        }
    }
    return area;
}

} // namespace

// At scale 1 the drawings give the pictures the window shows pixel for
// pixel: the schematic with and without its background, the graph with
// its curves and with the measuring tools; a picture set made afresh from
// the state equals the one kept up to date tick by tick.
TEST(ScaledPictures, AtScaleOneTheDrawingsAreThePicturesShown) {
    Simulator sim;
    PictureSet p;
    recordCharge(sim, p);
    const SimState& s = sim.state();
    EXPECT_EQ(renderImage(PictureSet::graphDrawing(s)), p.graph());
    EXPECT_EQ(p.graphShown(s), p.graph()); // no tool: the picture itself
    EXPECT_EQ(renderImage(PictureSet::schematicDrawing(s, true)), p.schematic());
    EXPECT_EQ(renderImage(PictureSet::schematicDrawing(s, false)),
              PictureSet::schematicWithoutBackground(s));
    PictureSet afresh;
    afresh.redrawAll(s);
    EXPECT_EQ(afresh.graph(), p.graph());

    addTools(sim);
    const QImage shown = p.graphShown(s);
    EXPECT_EQ(renderImage(PictureSet::graphDrawing(s)), shown);
    EXPECT_TRUE(kPlotBox.contains(differingArea(shown, p.graph())));
    EXPECT_GT(differing(shown, p.graph(), 0), 500);
}

struct ScaleRow {
    const char* name;
    double scale;
};

void PrintTo(const ScaleRow& row, std::ostream* os) {
    *os << row.name;
}

class AtScale : public ::testing::TestWithParam<ScaleRow> {};

// The picture drawn anew: of the size and resolution of its scale, the
// same drawing seen from afar, not an enlargement of the 1× picture, the
// edges of its lines one device pixel sharp; the persistent pictures of a
// picture set at that scale, drawn tick by tick, are the same drawings.
TEST_P(AtScale, DrawnAnewWithSharpEdges) {
    const double s = GetParam().scale;
    Simulator sim;
    PictureSet p(s);
    recordCharge(sim, p);
    addTools(sim);
    const QImage big = renderImage(PictureSet::graphDrawing(sim.state()), s);
    const QImage one = renderImage(PictureSet::graphDrawing(sim.state()));
    ASSERT_EQ(big.size(), QSize(int(std::ceil(529 * s)), int(std::ceil(249 * s))));
    EXPECT_EQ(big.dotsPerMeterX(), qRound(3780 * s));
    EXPECT_EQ(p.graph().size(), big.size());
    // Tick by tick each segment is its own stroke, where the drawing makes
    // one of a curve: only their smoothed edges may differ a little.
    EXPECT_LT(differing(p.graphShown(sim.state()), big, 48), big.width() * big.height() / 1000);
    EXPECT_EQ(p.schematic(), renderImage(PictureSet::schematicDrawing(sim.state(), true), s));

    const int whole = int(s);
    if (whole == s) {
        // Seen from afar, the same picture within a pixel (but for the
        // thinnest strokes of the glyphs, smooth now); yet not its
        // enlargement.
        EXPECT_LT(differingNearby(one, reduced(big, whole), 96), one.width() * one.height() / 200);
        const QImage enlarged =
            one.scaled(big.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
        EXPECT_GT(differing(enlarged, big, 32), big.width() * big.height() / 100);
    }
    // The vertical axis (x 60, black) crossed at y = 108, between two
    // graduations and left of the curves: whole device columns of black,
    // white around, never blurred.
    const int y = int(108 * s);
    std::set<int> black;
    for (int x = int(50 * s); x < int(70 * s); ++x) {
        const QColor c(big.pixel(x, y));
        if (c == Qt::black) {
            black.insert(x);
        } else {
            EXPECT_TRUE(c == Qt::white) << "column " << x << " " << c.name().toStdString();
        }
    }
    ASSERT_FALSE(black.empty());
    EXPECT_EQ(*black.rbegin() - *black.begin() + 1, int(black.size()));
    EXPECT_NEAR(double(black.size()), s, 0.5 + 1e-9);
    EXPECT_NEAR(*black.begin(), 60 * s, 1.0);
}

const ScaleRow kScales[] = {{"OneAndHalf", 1.5}, {"Two", 2}, {"Four", 4}};
INSTANTIATE_TEST_SUITE_P(Scales, AtScale, ::testing::ValuesIn(kScales),
                         [](const auto& row) { return std::string(row.param.name); });

// The SVG keeps the texts as texts (the time numbers, the τ reading, the
// schematic's letters), the gradient as a gradient, and renders like the
// PNG of the same scale.
TEST(ScaledPictures, SvgKeepsTextAsTextAndRendersLikeThePng) {
    Simulator sim;
    PictureSet p;
    recordCharge(sim, p);
    addTools(sim);
    const Drawing graph = PictureSet::graphDrawing(sim.state());
    const QByteArray svg = renderSvg(graph, QStringLiteral("Graphe"));
    const QString text = QString::fromUtf8(svg);
    EXPECT_TRUE(text.contains(QStringLiteral(">100</text>")));
    // The τ reading: Qt writes its Greek and Latin runs as two texts.
    EXPECT_TRUE(text.contains(QStringLiteral(">τ ≈ 7,25 ")));
    EXPECT_TRUE(text.contains(QStringLiteral(">ms (± 0,25 ms)</text>")));
    EXPECT_TRUE(text.contains(QStringLiteral("viewBox=\"0 0 529 249\"")));
    EXPECT_FALSE(text.contains(QStringLiteral("<image")));
    const QByteArray schematic =
        renderSvg(PictureSet::schematicDrawing(sim.state(), true), QStringLiteral("Schéma"));
    EXPECT_TRUE(schematic.contains("linearGradient"));
    EXPECT_TRUE(schematic.contains(">C</text>"));

    for (const Drawing& d : {graph, PictureSet::schematicDrawing(sim.state(), true)}) {
        const QImage png = renderImage(d, 2);
        QImage rendered(png.size(), QImage::Format_RGB32);
        rendered.fill(Qt::white);
        QSvgRenderer renderer(renderSvg(d, QStringLiteral("x")));
        ASSERT_TRUE(renderer.isValid());
        QPainter painter(&rendered);
        renderer.render(&painter);
        painter.end();
        EXPECT_LT(differing(rendered, png, 64), png.width() * png.height() / 50);
    }
}

// The constructions stay within the plotting box at every scale, in
// dashes of four pixels and gaps of three at scale 1.
TEST(ScaledPictures, ToolsStayWithinThePlottingBox) {
    Simulator sim;
    PictureSet p;
    recordCharge(sim, p);
    sim.setParameterText(0, "3"); // a construction far beyond the scale:
    sim.setParameterText(1, "5"); // the next recording overshoots it
    sim.setUpDown(-8);
    p.redrawAll(sim.state());
    clickK(sim, 1);
    while (sim.state().run.enregEnCours) {
        p.apply(sim.tick(), sim);
    }
    ASSERT_TRUE(sim.constructTau(TauPart::Tangent, SlotUC).problem.empty());
    ASSERT_TRUE(sim.constructTau(TauPart::Level, SlotU1).problem.empty());
    for (double s : {1.0, 4.0}) {
        SimState without = sim.state();
        without.graph.measures = {};
        const QImage tools = renderImage(PictureSet::graphDrawing(sim.state()), s);
        const QImage none = renderImage(PictureSet::graphDrawing(without), s);
        const QRect box(
            QPoint(int(PlotBox::left * s), int(PlotBox::top * s)),
            QPoint(int((PlotBox::right + 1) * s) - 1, int((PlotBox::bottom + 1) * s) - 1));
        EXPECT_TRUE(box.contains(differingArea(tools, none))) << s;
    }
    const TauConstruction& t = sim.state().graph.measures.taus.front();
    const QImage one = p.graphShown(sim.state());
    std::string dashes;
    for (int x = t.originX; x < t.originX + 14; ++x) {
        dashes += QColor(one.pixel(x, t.finalY)) == QColor(64, 64, 64) ? '-' : ' ';
    }
    EXPECT_EQ(dashes, "----   ----   ");
}

// A view at another scale maps its device positions to the pictures'
// pixels, where the hit zones are.
TEST(ScaledPictures, HitZonesFollowTheScale) {
    for (double s : {1.5, 2.0}) {
        const PictureScale scale{s};
        const Point k1 = pointOnSwitch(0, 1);
        const QPoint device(int(k1.x * s + s / 2), int(k1.y * s + s / 2));
        EXPECT_EQ(scale.toPicture(device), QPoint(k1.x, k1.y)) << s;
        EXPECT_EQ(scale.toPicture(QPointF(PlotBox::right * s + s - 0.01, 0)).x(), PlotBox::right);
        EXPECT_EQ(scale.toDevice(QRect(10, 10, 1, 1)),
                  QRect(int(10 * s), int(10 * s), int(std::ceil(11 * s)) - int(10 * s),
                        int(std::ceil(11 * s)) - int(10 * s)));
        EXPECT_EQ(scale.deviceSize(QSize(529, 249)),
                  QSize(int(std::ceil(529 * s)), int(std::ceil(249 * s))));
    }
}
