#pragma once
// `frame2`, the "Graphe" tab: the quantity boxes `Check4` 0..6 with their
// colour swatches `Labelcol`, captioned, shown and placed for the montage.

#include "core/Circuit.h"

#include <QCheckBox>
#include <QColor>
#include <QWidget>

#include <array>
#include <functional>

namespace ohmora {

// A colour swatch: a square of the curve's colour that reports clicks, and
// Space or Enter when Tab has brought the focus to it.
class Swatch : public QWidget {
public:
    Swatch(int index, QWidget* parent = nullptr);

    int index() const { return index_; }
    QColor colour() const { return colour_; }
    void setColour(const QColor& colour);

    std::function<void(int)> onClick;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int index_;
    QColor colour_;
    bool pressed_ = false;
};

class QuantityPanel : public QWidget {
public:
    explicit QuantityPanel(QWidget* parent = nullptr);

    QCheckBox* check(int k) const { return checks_[size_t(k)]; }
    Swatch* swatch(int k) const { return swatches_[size_t(k)]; }

    // The panel's paint for a montage: captions, visibility and tops.
    void refresh(int montage);

private:
    std::array<QCheckBox*, kQuantityCount> checks_{};
    std::array<Swatch*, kQuantityCount> swatches_{};
};

} // namespace ohmora
