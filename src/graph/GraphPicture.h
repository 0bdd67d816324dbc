#pragma once
// The graph picture `graphik`: the frame drawn by `echGraph` from the scale
// the core chose, and the curves that grow by one plotting step per tick
// during a recording. The picture keeps its pixels between calls, so the
// curves stay on the frame until the next frame drawing. The measuring
// tools are drawn over it where it is shown, copied, printed or exported.

#include "core/SimState.h"
#include "graph/CurveTracer.h"
#include "graph/GraphScale.h"
#include "graph/Measures.h"
#include "picture/Drawing.h"
#include "picture/PictureArea.h"

#include <QImage>

#include <vector>

namespace ohmora {

struct ReadoutLabels;

class GraphPicture {
public:
    static constexpr int kWidth = 529;
    static constexpr int kHeight = 249;

    // The picture at `scale` device pixels to one of its pixels.
    explicit GraphPicture(double scale = 1);

    // `echGraph`'s drawing: clears the curves and draws grid, axes,
    // graduations, time numbers and titles. The readout labels belong to
    // the window, which hides them whenever this runs.
    void drawFrame(const GraphFrame& frame);

    // One plotting step of `TRACER`: each mark in its colour, pen width 2.
    void plot(const std::vector<PlotMark>& marks);

    const QImage& image() const { return area_.image(); }

    // The picture with the measuring tools of `state` over it, as it is
    // shown and copied; the picture itself when there are none.
    QImage imageWithMeasures(const SimState& state) const;

    // A copy of the picture with the readout labels painted over it, as the
    // window shows them (for exports; the window itself uses two labels).
    QImage imageWithReadout(const ReadoutLabels& labels) const;

    // The whole graph of `state` as a drawing: frame, every curve plotted
    // since, the measuring tools, and the readout labels when given.
    static Drawing drawing(const SimState& state, const ReadoutLabels* readout = nullptr);

    // The parts of the drawing, each on any picture area.
    static void paintFrame(PictureArea& area, const GraphFrame& frame);
    static void paintMarks(PictureArea& area, const std::vector<PlotMark>& marks);
    static void paintMeasures(PictureArea& area, const GraphState& graph,
                              const CursorReadout& readout);

    PictureArea& area() { return area_; }

private:
    PictureArea area_;
};

} // namespace ohmora
