#pragma once
// The schematic picture `schema`: `fondSchema` paints the gradient
// background once and freezes it, `deschema` redraws the whole circuit of
// the montage over it from the simulator state, with switch K's blade and
// the arrows of the ticked quantities in their colours.

#include "core/Circuit.h"
#include "core/SimState.h"
#include "picture/Drawing.h"
#include "picture/PictureArea.h"

#include <QImage>

#include <array>

namespace ohmora {

// What the schematic shows: the montage's circuit, K's blade, the arrows of
// the ticked quantities in their colours, and the maintaining generator of
// sustained oscillations.
struct SchematicInput {
    int montage = 0;
    int position = 0;
    std::array<bool, kQuantityCount> ticked{};
    std::array<Rgb, kQuantityCount> colours{};
    bool sustained = false;
};

inline SchematicInput schematicInput(const SimState& s) {
    return {s.controls.montage, s.run.position, s.controls.check4, s.controls.colours,
            s.controls.checkRn};
}

class SchematicPicture {
public:
    static constexpr int kSize = 249;

    // The picture at `scale` device pixels to one of its pixels.
    explicit SchematicPicture(double scale = 1);

    void fondSchema();
    bool hasBackground() const { return backgroundPainted_; }
    void deschema(const SchematicInput& input);
    // Takes the background away; fondSchema() brings it back.
    void removeBackground();

    // The drawing of `input` on plain white, made on a scratch picture so
    // that this one keeps its background.
    static QImage imageWithoutBackground(const SchematicInput& input);

    // The schematic of `input` as a drawing, for an export, a page or a
    // view at any scale: with the gradient background or on plain white.
    static Drawing drawing(const SchematicInput& input, bool withBackground);
    // `fondSchema`'s gradient, and `deschema`'s drawing without its clear.
    static void paintBackground(PictureArea& area);
    static void paintCircuit(PictureArea& area, const SchematicInput& input);

    const QImage& image() const { return area_.image(); }
    PictureArea& area() { return area_; }

private:
    PictureArea area_;
    bool backgroundPainted_ = false;
};

} // namespace ohmora
