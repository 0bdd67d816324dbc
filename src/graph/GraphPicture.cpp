#include "graph/GraphPicture.h"

#include "core/Simulator.h"
#include "graph/PlotBox.h"
#include "graph/ReadoutLabels.h"
#include "qtbridge/QtStrings.h"

#include <QPainter>

#include <array>
#include <optional>

namespace ohmora {

namespace {

const QColor kGrid(192, 192, 192);

constexpr int kLeft = PlotBox::left, kRight = PlotBox::right, kTop = PlotBox::top,
              kBottom = PlotBox::bottom;
constexpr int kNumberRight = 56; // graduation numbers end here

QColor qColor(Rgb c) {
    return QColor(c.r, c.g, c.b);
}

// Writes a graduation text so that it ends at x = 56, centred vertically on
// the (possibly fractional) height of its line.
void writeGraduation(PictureArea& a, const QString& text, double y) {
    a.setCurrentX(kNumberRight - a.textWidth(text));
    a.setCurrentY(y - a.textHeight(text) / 2.0);
    a.print(text);
}

} // namespace

GraphPicture::GraphPicture(double scale) : area_(kWidth, kHeight, Qt::white, scale) {}

void GraphPicture::drawFrame(const GraphFrame& frame) {
    paintFrame(area_, frame);
}

void GraphPicture::paintFrame(PictureArea& a, const GraphFrame& frame) {
    const GraphScale& scale = frame.scale;
    const int yZero = scale.yZero;

    a.cls();
    a.setDrawWidth(1);
    for (int x = kLeft; x <= kRight; x += 40)
        a.line(x, kTop, x, kBottom, kGrid);

    // Time axis with its arrowhead.
    a.line(kLeft, yZero, 480, yZero, Qt::black);
    a.line(474, yZero - 3, 480, yZero, Qt::black);
    a.line(474, yZero + 3, 480, yZero, Qt::black);

    a.setForeColor(Qt::black);
    a.setFont(QStringLiteral("Arial"), 8, false, false);

    // Room for the time numbers under a zero line in mid-height.
    if (scale.axeSymetrique)
        a.filledBox(61, yZero + 2, kRight, yZero + 13, Qt::white);

    const int n = scale.divisions > 0 ? scale.divisions : 1;
    const float height = (scale.axeSymetrique ? 100.0f : 200.0f) / float(n);
    for (int k = 1; k <= n; ++k) {
        const QString number =
            size_t(k - 1) < frame.graduations.size() ? qs(frame.graduations[size_t(k - 1)]) : "";
        const float above = float(yZero) - float(k) * height;
        a.line(kLeft, toPixel(above), kRight, toPixel(above), kGrid);
        writeGraduation(a, number, above);
        if (scale.axeSymetrique) {
            const float below = float(yZero) + float(k) * height;
            a.line(kLeft, toPixel(below), kRight, toPixel(below), kGrid);
            writeGraduation(a, QStringLiteral("- ") + number, below);
        }
    }
    writeGraduation(a, QStringLiteral("0"), yZero);

    // Vertical axis with its arrowhead.
    a.line(kLeft, 10, kLeft, kBottom, Qt::black);
    a.line(63, 16, kLeft, 10, Qt::black);
    a.line(57, 16, kLeft, 10, Qt::black);

    for (size_t i = 0; i < frame.timeNumbers.size(); ++i) {
        const int k = frame.firstTimeIndex + int(i);
        const QString text = qs(frame.timeNumbers[i]);
        a.setCurrentX(kLeft + 40 * k - a.textWidth(text) / 2.0);
        a.setCurrentY(yZero);
        a.print(text);
    }

    a.setCurrentPosition(480, yZero - 15);
    a.setFontItalic(true);
    a.print(QStringLiteral("t  "));
    a.setFontItalic(false);
    a.print(qs(frame.timeUnit));

    a.setCurrentPosition(70, 5);
    a.setFontItalic(true);
    a.print(qs(frame.verticalSymbol));
    a.setFontItalic(false);
    a.print(qs(frame.verticalUnit));
}

void GraphPicture::plot(const std::vector<PlotMark>& marks) {
    paintMarks(area_, marks);
}

void GraphPicture::paintMarks(PictureArea& a, const std::vector<PlotMark>& marks) {
    a.setDrawWidth(2);
    if (a.pixelExact()) {
        for (const PlotMark& m : marks) {
            if (m.line)
                a.line(m.x0, m.y0, m.x1, m.y1, qColor(m.colour));
            else
                a.pset(m.x1, m.y1, qColor(m.colour));
        }
        return;
    }
    // Finer than pixels: the curves through their exact points, each run
    // of joined marks of a quantity as one stroke, in the order the runs
    // started.
    struct Run {
        std::vector<QPointF> points;
        Rgb colour;
    };
    std::vector<Run> runs;
    std::array<int, kQuantityCount> open{};
    open.fill(-1);
    for (const PlotMark& m : marks) {
        const size_t slot = size_t(m.slot);
        const QPointF end(m.exactX1, m.exactY1);
        const int current = slot < open.size() ? open[slot] : -1;
        if (m.line && current >= 0 && runs[size_t(current)].colour == m.colour &&
            runs[size_t(current)].points.back() == QPointF(m.exactX0, m.exactY0)) {
            runs[size_t(current)].points.push_back(end);
            continue;
        }
        Run run{{}, m.colour};
        if (m.line) {
            run.points.emplace_back(m.exactX0, m.exactY0);
        }
        run.points.push_back(end);
        runs.push_back(std::move(run));
        if (slot < open.size()) {
            open[slot] = int(runs.size()) - 1;
        }
    }
    for (const Run& run : runs) {
        a.exactPolyline(run.points, qColor(run.colour));
    }
}

QImage GraphPicture::imageWithMeasures(const SimState& state) const {
    const Measures& measures = state.graph.measures;
    if (measures.empty()) {
        return image();
    }
    PictureArea over(image(), kWidth, kHeight, area_.scale());
    paintMeasures(over, state.graph, cursorReadout(measureContext(state), measures.cursors));
    return over.image();
}

Drawing GraphPicture::drawing(const SimState& state, const ReadoutLabels* readout) {
    const CursorReadout cursors =
        cursorReadout(measureContext(state), state.graph.measures.cursors);
    std::optional<ReadoutLabels> labels;
    if (readout) {
        labels = *readout;
    }
    return {QSize(kWidth, kHeight), Qt::white,
            [graph = state.graph, cursors, labels](PictureArea& a) {
                paintFrame(a, graph.frame);
                paintMarks(a, graph.marks);
                paintMeasures(a, graph, cursors);
                if (labels) {
                    paintReadoutLabels(a, *labels);
                }
            }};
}

QImage GraphPicture::imageWithReadout(const ReadoutLabels& labels) const {
    QImage copy = image().copy();
    if (labels.visible) {
        QPainter p(&copy);
        for (const ReadoutLabel& label : labels.labels)
            paintReadoutLabel(p, label);
    }
    return copy;
}

} // namespace ohmora
