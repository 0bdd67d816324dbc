#pragma once
// The schematic picture `schema`: `fondSchema` paints the gradient
// background once and freezes it, `deschema` redraws the whole circuit of
// the montage over it from the simulator state, with switch K's blade and
// the arrows of the ticked quantities in their colours.

#include "PictureArea.h"
#include "Simulator.h"

#include <QImage>

namespace ohmora {

class SchematicPicture {
public:
    static constexpr int kSize = 249;

    SchematicPicture();

    void fondSchema();
    void deschema(const SimState& state);
    // Takes the background away (copies without background); fondSchema()
    // brings it back.
    void removeBackground();

    // Redraws for RedrawSchematic (deschema of sim.state()); paints the
    // background first when fondSchema() has never run. Other flags are
    // ignored.
    void apply(Redraw redraw, const Simulator& sim);

    const QImage& image() const { return area_.image(); }
    PictureArea& area() { return area_; }

private:
    void drawMontage0(const SimState& s);
    void drawMontage1(const SimState& s);
    void drawMontage2(const SimState& s);
    void drawArrows(const SimState& s);
    void drawBlade(const SimState& s);
    void drawCoil();
    void dot(int x, int y);
    void symbol(int x, int y, const QString& symbol, const QString& subscript = QString());

    PictureArea area_;
    bool backgroundPainted_ = false;
};

} // namespace ohmora
