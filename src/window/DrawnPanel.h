#pragma once
// A panel whose background and texts are drawn into a picture area of its
// own size, like the system's picture boxes, with child controls on top.

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
    // The picture area, made anew when the panel's size changed.
    PictureArea& area();
    void paintEvent(QPaintEvent* event) override;

private:
    QColor background_;
    std::unique_ptr<PictureArea> area_;
};

} // namespace ohmora
