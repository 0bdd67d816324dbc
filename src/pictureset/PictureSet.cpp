#include "pictureset/PictureSet.h"

namespace ohmora {

namespace {

// The pixels a plotting step may have touched: pen width 2 reaches one
// pixel up and left of each point, and a margin keeps round ends inside.
QRect plotDamage(const std::vector<PlotMark>& plot) {
    QRect dirty;
    for (const PlotMark& m : plot) {
        const QPoint from = m.line ? QPoint(m.x0, m.y0) : QPoint(m.x1, m.y1);
        dirty |= QRect(QPoint(m.x1, m.y1), from).normalized().adjusted(-2, -2, 2, 2);
    }
    return dirty;
}

} // namespace

PictureSet::PictureSet(double scale) : scale_{scale}, schematic_(scale), graph_(scale) {
    schematic_.fondSchema();
}

PictureSet::Damage PictureSet::apply(Redraw redraw, const SimState& state,
                                     const std::vector<PlotMark>& plot) {
    Damage damage;
    if (redraw & RedrawSchematic) {
        if (!schematic_.hasBackground()) {
            schematic_.fondSchema();
        }
        schematic_.deschema(schematicInput(state));
        damage.schematic = true;
    }
    if (redraw & RedrawGraphFrame) {
        graph_.drawFrame(state.graph.frame);
        damage.graphFrame = true;
        damage.graph = QRect(0, 0, GraphPicture::kWidth, GraphPicture::kHeight);
    }
    if ((redraw & RedrawPlot) && !plot.empty()) {
        graph_.plot(plot);
        damage.graph |= plotDamage(plot);
    }
    // The tools' readings follow the recording: the whole graph changes.
    if ((redraw & RedrawMeasures) || ((redraw & RedrawPlot) && !state.graph.measures.empty())) {
        damage.measures = true;
        damage.graph = QRect(0, 0, GraphPicture::kWidth, GraphPicture::kHeight);
    }
    return damage;
}

void PictureSet::redrawAll(const SimState& state) {
    apply(RedrawSchematic | RedrawGraphFrame, state, {});
    graph_.plot(state.graph.marks);
}

Drawing PictureSet::schematicDrawing(const SimState& state, bool withBackground) {
    return SchematicPicture::drawing(schematicInput(state), withBackground);
}

QImage PictureSet::schematicWithoutBackground(const SimState& state) {
    return SchematicPicture::imageWithoutBackground(schematicInput(state));
}

} // namespace ohmora
