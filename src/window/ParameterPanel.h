#pragma once
// `Picture3`, the "Montage" tab: the montage list, the option "Entretien
// des oscillations" and, for the current montage only, its parameter boxes
// with their component names, italic symbols (subscripts 4 pixels lower)
// and units drawn around them. Every refresh rebuilds the drawing from the
// montage number; hidden boxes keep their texts.

#include "window/DrawnPanel.h"
#include "window/ParameterBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QWidget>

#include <array>
#include <memory>

namespace ohmora {

// Where a parameter box goes and what is drawn around it.
struct ParameterPlace {
    int box;
    int left;
    int top;
    const char* name;      // printed at x = 14, or nullptr
    const char* symbol;    // italic, right-aligned against the box
    const char* subscript; // upright, 4 pixels lower, or nullptr
    const char* unit;      // right of the box
};

// The places of the montage's boxes, in drawing order (empty for a montage
// other than 0, 1 and 2).
std::vector<ParameterPlace> parameterPlaces(int montage);

class ParameterPanel : public DrawnPanel {
public:
    static constexpr int kBoxWidth = 73;
    static constexpr int kBoxHeight = 19;

    explicit ParameterPanel(QWidget* parent = nullptr);

    QComboBox* montageList() const { return montageList_; }
    QCheckBox* sustainedOption() const { return sustainedOption_; }
    ParameterBox* box(int i) const { return boxes_[size_t(i)]; }

    // The panel's paint for a montage: places and shows its boxes, hides the
    // others and redraws the texts.
    void refresh(int montage);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void redraw() override { draw(); }

private:
    void draw();

    QComboBox* montageList_;     // `Combo1`
    QCheckBox* sustainedOption_; // `CheckRn`
    std::array<ParameterBox*, 14> boxes_{};
    int montage_ = 0;
};

} // namespace ohmora
