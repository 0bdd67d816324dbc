#pragma once
// A panel whose background and texts are drawn into a picture area of its
// own size, like the system's picture boxes, with child controls on top.
// The area has the screen's resolution (its device pixel ratio), so that
// the texts stay sharp on a high-density screen or a projector's zoom.

#include "picture/PictureArea.h"

#include <QColor>
#include <QWidget>

#include <memory>

namespace ohmora {

class DrawnPanel : public QWidget {
public:
    DrawnPanel(QColor background, QWidget* parent) : QWidget(parent), background_(background) {}

    // The drawing, or an empty image before the first paint.
    const QImage& drawing() const;

protected:
    // The picture area, made anew when the panel's size or the screen's
    // resolution changed.
    PictureArea& area();
    // Draws the panel's texts anew into area() (when the window moved to a
    // screen of another resolution).
    virtual void redraw() = 0;
    void paintEvent(QPaintEvent* event) override;

private:
    QColor background_;
    std::unique_ptr<PictureArea> area_;
};

} // namespace ohmora
