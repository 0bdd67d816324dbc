#pragma once
// The program's icon as shapes on a 256-unit square: drawn with QPainter
// for the large bitmap sizes and written as the scalable SVG, so that both
// come from one drawing.

#include <QColor>
#include <QPointF>

#include <string>
#include <vector>

class QPainter;

namespace ohmora::icon {

struct Shape {
    enum class Kind { RoundedRect, Rect, Polyline };
    Kind kind = Kind::Polyline;
    std::vector<QPointF> points; // two corners, or the line's points
    QColor fill;                 // invalid: none
    QColor fillBottom;           // valid: a vertical gradient from `fill`
    QColor stroke;               // invalid: none
    double width = 0;
    double radius = 0;
    bool round = false; // round caps and joins, drawn as they fall at any size
};

class VectorIcon {
public:
    static constexpr double kUnits = 256;

    VectorIcon();

    const std::vector<Shape>& shapes() const { return shapes_; }
    // Draws the icon on a square of `size` pixels at the painter's origin.
    void paint(QPainter& painter, double size) const;
    std::string svg() const;

private:
    std::vector<Shape> shapes_;
};

} // namespace ohmora::icon
