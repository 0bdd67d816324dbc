#include "VectorIcon.h"

#include <QLinearGradient>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <utility>

namespace ohmora::icon {

namespace {

// A deep blue tile, a light graph frame, the amber charge curve of the
// capacitor, and below it a resistor and a capacitor in series in white.
const QColor kTileTop(0x2f, 0x74, 0xb5);
const QColor kTileBottom(0x1b, 0x46, 0x72);
const QColor kTileEdge(0x12, 0x34, 0x57);
const QColor kAxis(0xa8, 0xc8, 0xe6);
const QColor kCurve(0xff, 0xc1, 0x2e);
const QColor kComponent(0xff, 0xff, 0xff);

// Lines of 8 units on the centres of the pixels of a 32 pixel icon.
constexpr double kAxisLeft = 44;
constexpr double kAxisBottom = 140;
constexpr double kAxisRight = 224;
constexpr double kCurveTop = 58;
constexpr double kTimeConstant = 34; // units of the time axis
constexpr double kWire = 196;        // height of the circuit's wire

Shape line(std::vector<QPointF> points, QColor colour, double width) {
    Shape s;
    s.kind = Shape::Kind::Polyline;
    s.points = std::move(points);
    s.stroke = colour;
    s.width = width;
    return s;
}

Shape rect(QPointF topLeft, QPointF bottomRight, QColor fill, QColor stroke, double width) {
    Shape s;
    s.kind = Shape::Kind::Rect;
    s.points = {topLeft, bottomRight};
    s.fill = fill;
    s.stroke = stroke;
    s.width = width;
    return s;
}

// u(t) = 1 - exp(-t / tau) from the origin of the axes to their right end.
std::vector<QPointF> chargeCurve() {
    std::vector<QPointF> points;
    constexpr int kSteps = 48;
    for (int i = 0; i <= kSteps; ++i) {
        const double t = (kAxisRight - 8 - kAxisLeft) * i / kSteps;
        const double u = 1 - std::exp(-t / kTimeConstant);
        points.emplace_back(kAxisLeft + t, kAxisBottom - (kAxisBottom - kCurveTop) * u);
    }
    return points;
}

QString svgColour(const QColor& c) {
    return c.name(QColor::HexRgb);
}

} // namespace

VectorIcon::VectorIcon() {
    Shape tile;
    tile.kind = Shape::Kind::RoundedRect;
    tile.points = {{20, 20}, {236, 236}};
    tile.fill = kTileTop;
    tile.fillBottom = kTileBottom;
    tile.stroke = kTileEdge;
    tile.width = 8;
    tile.radius = 40;
    shapes_.push_back(tile);

    shapes_.push_back(
        line({{kAxisLeft, 36}, {kAxisLeft, kAxisBottom}, {kAxisRight, kAxisBottom}}, kAxis, 8));
    Shape curve = line(chargeCurve(), kCurve, 16);
    curve.round = true;
    shapes_.push_back(curve);

    // The wire, cut by the resistor's box and between the plates.
    shapes_.push_back(line({{24, kWire}, {68, kWire}}, kComponent, 8));
    shapes_.push_back(line({{116, kWire}, {160, kWire}}, kComponent, 8));
    shapes_.push_back(line({{208, kWire}, {232, kWire}}, kComponent, 8));
    shapes_.push_back(rect({68, kWire - 16}, {116, kWire + 16}, QColor(), kComponent, 8));
    shapes_.push_back(rect({160, kWire - 36}, {176, kWire + 36}, kComponent, QColor(), 0));
    shapes_.push_back(rect({192, kWire - 36}, {208, kWire + 36}, kComponent, QColor(), 0));
}

namespace {

// Snaps a drawing to the pixels of a small bitmap: straight lines and
// boxes fall on whole pixels (a stroke of an odd number of pixels on the
// pixels' centres), so that they stay sharp; curves are left as they are.
class PixelGrid {
public:
    explicit PixelGrid(double size) : scale_(size / VectorIcon::kUnits) {}

    double width(double units) const { return std::max(1.0, std::round(units * scale_)); }
    double coordinate(double units, double strokeWidth) const {
        const double pixels = units * scale_;
        if (int(strokeWidth) % 2 == 1) {
            return std::floor(pixels) + 0.5;
        }
        return std::round(pixels);
    }
    QPointF point(QPointF units, double strokeWidth) const {
        return {coordinate(units.x(), strokeWidth), coordinate(units.y(), strokeWidth)};
    }
    QPointF unsnapped(QPointF units) const { return units * scale_; }

private:
    double scale_;
};

} // namespace

void VectorIcon::paint(QPainter& painter, double size) const {
    const PixelGrid grid(size);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    for (const Shape& s : shapes_) {
        const double width = s.stroke.isValid() ? grid.width(s.width) : 0;
        QPen pen(Qt::NoPen);
        if (s.stroke.isValid()) {
            pen = QPen(s.stroke, width, Qt::SolidLine, s.round ? Qt::RoundCap : Qt::FlatCap,
                       s.round ? Qt::RoundJoin : Qt::MiterJoin);
        }
        painter.setPen(pen);
        if (s.kind == Shape::Kind::Polyline) {
            std::vector<QPointF> points;
            for (QPointF p : s.points) {
                points.push_back(s.round ? grid.unsnapped(p) : grid.point(p, width));
            }
            painter.setBrush(Qt::NoBrush);
            painter.drawPolyline(points.data(), int(points.size()));
            continue;
        }
        const QRectF box(grid.point(s.points[0], width), grid.point(s.points[1], width));
        if (s.fillBottom.isValid()) {
            QLinearGradient gradient(box.topLeft(), box.bottomLeft());
            gradient.setColorAt(0, s.fill);
            gradient.setColorAt(1, s.fillBottom);
            painter.setBrush(gradient);
        } else if (s.fill.isValid()) {
            painter.setBrush(s.fill);
        } else {
            painter.setBrush(Qt::NoBrush);
        }
        if (s.kind == Shape::Kind::RoundedRect) {
            const double radius = s.radius * size / kUnits;
            painter.drawRoundedRect(box, radius, radius);
        } else {
            painter.drawRect(box);
        }
    }
    painter.restore();
}

std::string VectorIcon::svg() const {
    std::ostringstream out;
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\""
        << " viewBox=\"0 0 256 256\">\n";
    int gradients = 0;
    for (const Shape& s : shapes_) {
        std::string paint = "none";
        if (s.fillBottom.isValid()) {
            const std::string id = "g" + std::to_string(++gradients);
            out << "  <defs><linearGradient id=\"" << id
                << "\" x1=\"0\" y1=\"0\" x2=\"0\" y2=\"1\">"
                << "<stop offset=\"0\" stop-color=\"" << svgColour(s.fill).toStdString() << "\"/>"
                << "<stop offset=\"1\" stop-color=\"" << svgColour(s.fillBottom).toStdString()
                << "\"/></linearGradient></defs>\n";
            paint = "url(#" + id + ")";
        } else if (s.fill.isValid()) {
            paint = svgColour(s.fill).toStdString();
        }
        std::ostringstream stroke;
        if (s.stroke.isValid()) {
            stroke << " stroke=\"" << svgColour(s.stroke).toStdString() << "\" stroke-width=\""
                   << s.width << "\"";
        }
        if (s.kind == Shape::Kind::Polyline) {
            out << "  <polyline fill=\"none\"" << stroke.str() << " stroke-linecap=\""
                << (s.round ? "round" : "butt") << "\" stroke-linejoin=\""
                << (s.round ? "round" : "miter") << "\" points=\"";
            for (size_t i = 0; i < s.points.size(); ++i) {
                // Two decimals are far below a pixel at any size.
                out << (i ? " " : "") << std::round(s.points[i].x() * 100) / 100 << ','
                    << std::round(s.points[i].y() * 100) / 100;
            }
            out << "\"/>\n";
            continue;
        }
        const QRectF box(s.points[0], s.points[1]);
        out << "  <rect x=\"" << box.x() << "\" y=\"" << box.y() << "\" width=\"" << box.width()
            << "\" height=\"" << box.height() << "\"";
        if (s.kind == Shape::Kind::RoundedRect) {
            out << " rx=\"" << s.radius << "\"";
        }
        out << " fill=\"" << paint << "\"" << stroke.str() << "/>\n";
    }
    out << "</svg>\n";
    return out.str();
}

} // namespace ohmora::icon
