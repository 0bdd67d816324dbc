#pragma once
// The two pictures every output shares: the schematic `schema` and the
// graph `graphik`, kept up to date from the Redraw flags of the simulator's
// handlers. The window shows them, the clipboard copies them, the printed
// page and ohmora-cli export them: each is drawn once, in one way, by one
// drawing code that also draws them anew at any scale, as SVG or on a page.

#include "core/Simulator.h"
#include "graph/GraphPicture.h"
#include "picture/Drawing.h"
#include "picture/PictureScale.h"
#include "schematic/SchematicPicture.h"

#include <QImage>
#include <QRect>

#include <vector>

namespace ohmora {

class PictureSet {
public:
    // What a redraw changed, in the pictures' own pixels.
    struct Damage {
        bool schematic = false;
        bool graphFrame = false; // the whole graph was redrawn, curves cleared
        bool measures = false;   // the measuring tools over the graph changed
        QRect graph;             // the part of the graph that changed
    };

    // Paints the schematic's background; the pictures are drawn by the
    // first apply() or redrawAll(). At a scale other than 1 the images are
    // the same pictures drawn at that many device pixels to a pixel.
    explicit PictureSet(double scale = 1);

    PictureScale scale() const { return scale_; }

    // Redraws what a handler asked for: the schematic for RedrawSchematic,
    // the graph frame for RedrawGraphFrame, the plotting step `plot` for
    // RedrawPlot; RedrawMeasures reports the tools' change. Other flags
    // concern the window only.
    Damage apply(Redraw redraw, const SimState& state, const std::vector<PlotMark>& plot);
    Damage apply(Redraw redraw, const Simulator& sim) {
        return apply(redraw, sim.state(), sim.lastPlot());
    }
    // Both pictures from scratch: the schematic, the graph's frame and the
    // curves plotted on it since.
    void redrawAll(const SimState& state);

    const QImage& schematic() const { return schematic_.image(); }
    // The graph's frame and curves, without the measuring tools.
    const QImage& graph() const { return graph_.image(); }
    // The graph as it is shown and copied: with the measuring tools of
    // `state` over it (the picture above when there are none).
    QImage graphShown(const SimState& state) const { return graph_.imageWithMeasures(state); }
    // The schematic on plain white, drawn on a scratch picture: the
    // schematic shown keeps its background.
    static QImage schematicWithoutBackground(const SimState& state);

    // The pictures of `state` as drawings, for exports at any scale, SVG
    // files and printed pages: the schematic with or without its
    // background, the graph with its measuring tools.
    static Drawing schematicDrawing(const SimState& state, bool withBackground);
    static Drawing graphDrawing(const SimState& state) { return GraphPicture::drawing(state); }

    SchematicPicture& schematicPicture() { return schematic_; }
    const SchematicPicture& schematicPicture() const { return schematic_; }
    GraphPicture& graphPicture() { return graph_; }
    const GraphPicture& graphPicture() const { return graph_; }

private:
    PictureScale scale_;
    SchematicPicture schematic_;
    GraphPicture graph_;
};

} // namespace ohmora
