#pragma once
// Geometry and painting of the two cursor readout labels `Labeli` of the
// graph: label 0 under the plotting area gives the time at the pointer,
// label 1 left of the vertical axis the value at the pointer's height. The
// texts come from Simulator::readout(); their boxes follow the text.

#include "graph/Readout.h"

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

#include <array>

class QPainter;

namespace ohmora {

class PictureArea;

inline const QColor kReadoutBackground{255, 255, 192};

struct ReadoutLabel {
    QString text;
    QRect rect; // in graph picture pixels
};

struct ReadoutLabels {
    bool visible = false;
    std::array<ReadoutLabel, 2> labels; // 0: time, 1: value
};

// The labels' font: "Arial" 8.25 pt, not antialiased.
QFont readoutFont();

// Size of a label for its text: the text's width and height plus a margin
// of kReadoutMarginX pixels left and right and kReadoutMarginY above and
// below.
inline constexpr int kReadoutMarginX = 2;
inline constexpr int kReadoutMarginY = 1;
QSize readoutLabelSize(const QString& text);

// Places the labels for the pointer at (x, y): label 0 with its top at 227,
// centred on x; label 1 with its right edge at 58, centred on y. Hidden
// (visible false, empty labels) when the readout is hidden.
ReadoutLabels readoutLabels(const Readout& readout, int x, int y);

// Paints one label: light yellow box, black text inside the margin.
void paintReadoutLabel(QPainter& painter, const ReadoutLabel& label);
// The same for both labels, when shown, on a picture area at any scale.
void paintReadoutLabels(PictureArea& area, const ReadoutLabels& labels);

} // namespace ohmora
