#pragma once
// The schematic picture `schema`: `fondSchema` paints the gradient
// background once and freezes it, `deschema` redraws the whole circuit of
// the montage over it from the simulator state, with switch K's blade and
// the arrows of the ticked quantities in their colours.

#include "core/Circuit.h"
#include "core/SimState.h"
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

    SchematicPicture();

    void fondSchema();
    bool hasBackground() const { return backgroundPainted_; }
    void deschema(const SchematicInput& input);
    // Takes the background away; fondSchema() brings it back.
    void removeBackground();

    // The drawing of `input` on plain white, made on a scratch picture so
    // that this one keeps its background.
    static QImage imageWithoutBackground(const SchematicInput& input);

    const QImage& image() const { return area_.image(); }
    PictureArea& area() { return area_; }

private:
    void drawMontage0(const SchematicInput& s);
    void drawMontage1(const SchematicInput& s);
    void drawMontage2(const SchematicInput& s);
    void drawArrows(const SchematicInput& s);
    void drawBlade(const SchematicInput& s);
    void drawCoil();
    void dot(int x, int y);
    void symbol(int x, int y, const QString& symbol, const QString& subscript = QString());

    PictureArea area_;
    bool backgroundPainted_ = false;
};

} // namespace ohmora
