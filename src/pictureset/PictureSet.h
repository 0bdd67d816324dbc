#pragma once
// The two pictures every output shares: the schematic `schema` and the
// graph `graphik`, kept up to date from the Redraw flags of the simulator's
// handlers. The window shows them, the clipboard copies them, the printed
// page and ohmora-cli export them: each is drawn once, in one way.

#include "core/Simulator.h"
#include "graph/GraphPicture.h"
#include "schematic/SchematicPicture.h"

#include <QImage>
#include <QRect>

#include <vector>

namespace ohmora {

class PictureSet {
public:
    // What a redraw changed.
    struct Damage {
        bool schematic = false;
        bool graphFrame = false; // the whole graph was redrawn, curves cleared
        QRect graph;             // the part of the graph that changed
    };

    // Paints the schematic's background; the pictures are drawn by the
    // first apply() or redrawAll().
    PictureSet();

    // Redraws what a handler asked for: the schematic for RedrawSchematic,
    // the graph frame for RedrawGraphFrame, the plotting step `plot` for
    // RedrawPlot. Other flags concern the window only.
    Damage apply(Redraw redraw, const SimState& state, const std::vector<PlotMark>& plot);
    Damage apply(Redraw redraw, const Simulator& sim) {
        return apply(redraw, sim.state(), sim.lastPlot());
    }
    // Both pictures from scratch, the graph empty.
    void redrawAll(const SimState& state);

    const QImage& schematic() const { return schematic_.image(); }
    const QImage& graph() const { return graph_.image(); }
    // The schematic on plain white, drawn on a scratch picture: the
    // schematic shown keeps its background.
    static QImage schematicWithoutBackground(const SimState& state);

    SchematicPicture& schematicPicture() { return schematic_; }
    const SchematicPicture& schematicPicture() const { return schematic_; }
    GraphPicture& graphPicture() { return graph_; }
    const GraphPicture& graphPicture() const { return graph_; }

private:
    SchematicPicture schematic_;
    GraphPicture graph_;
};

} // namespace ohmora
