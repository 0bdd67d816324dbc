#pragma once
// `Onglets`: the hand-drawn strip of three tabs below the schematic and the
// place of the three panels it shows one at a time. Each repaint measures
// the captions (the selected one bold), so the tab boundaries
// `bordsOnglets` move slightly with the selection.

#include "picture/PictureArea.h"
#include "window/Accessibility.h"

#include <QString>
#include <QWidget>

#include <array>
#include <memory>

namespace ohmora {

class TabStrip : public QWidget, public AccessibleParts {
public:
    static constexpr int kWidth = 417;
    static constexpr int kHeight = 203;

    explicit TabStrip(QWidget* parent = nullptr);

    // Tab 1 `Picture3`, tab 2 `frame2`, tab 3 `Picture1`.
    void setPanels(QWidget* montage, QWidget* quantities, QWidget* recording);

    // `Onglets_Paint`: draws the strip and places the selected panel.
    void paintStrip();

    // `Onglets_MouseUp` at (x, y) in the strip's pixels.
    void release(int x, int y);
    // Tab 1 to 3 chosen as a click on it chooses it (from the keyboard:
    // the arrows, Home and End).
    void select(int tab);

    int ongletActif() const { return ongletActif_; }
    const std::array<int, 6>& bordsOnglets() const { return bordsOnglets_; }
    static const std::array<QString, 3>& nomsOnglets();
    int tabRowHeight() const { return h_; } // h: the height of "W"
    double gap() const { return gap_; }
    // Where panels go: left 4, top h + 5, with 4-pixel margins.
    QRect panelRect() const;
    const QImage& image() const { return area_->image(); }
    int paintCount() const { return paintCount_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int captionWidth(int tab);

    std::unique_ptr<PictureArea> area_; // at the screen's resolution
    std::array<QWidget*, 3> panels_{};
    int ongletActif_ = 0;
    std::array<int, 6> bordsOnglets_{};
    int h_ = 0;
    double gap_ = 0;
    int paintCount_ = 0;
};

} // namespace ohmora
