#pragma once
// The graph picture `graphik`: the frame drawn by `echGraph` from the scale
// the core chose, and the curves that grow by one plotting step per tick
// during a recording. The picture keeps its pixels between calls, so the
// curves stay on the frame until the next frame drawing.

#include "graph/CurveTracer.h"
#include "graph/GraphScale.h"
#include "picture/PictureArea.h"

#include <QImage>

#include <vector>

namespace ohmora {

struct ReadoutLabels;

class GraphPicture {
public:
    static constexpr int kWidth = 529;
    static constexpr int kHeight = 249;

    GraphPicture();

    // `echGraph`'s drawing: clears the curves and draws grid, axes,
    // graduations, time numbers and titles. The readout labels belong to
    // the window, which hides them whenever this runs.
    void drawFrame(const GraphFrame& frame);

    // One plotting step of `TRACER`: each mark in its colour, pen width 2.
    void plot(const std::vector<PlotMark>& marks);

    const QImage& image() const { return area_.image(); }

    // A copy of the picture with the readout labels painted over it, as the
    // window shows them (for exports; the window itself uses two labels).
    QImage imageWithReadout(const ReadoutLabels& labels) const;

    PictureArea& area() { return area_; }

private:
    PictureArea area_;
};

} // namespace ohmora
