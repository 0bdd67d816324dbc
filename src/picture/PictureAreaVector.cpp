// The primitives of a picture area drawn at any resolution: each pixel of
// the model is the unit square it covers, a one-pixel line runs along the
// centres of its pixels from the near edge of the first to the near edge of
// the last (which the model leaves out), a wide pen is a round nib centred
// as the model's nib is, text is drawn as text at the model's positions.
// Squares are snapped to the device's pixels, so that axis-aligned lines
// and fills keep sharp edges at any scale; the rest is antialiased. Every
// shape is clipped to the picture (and the clip) by its geometry, so that
// devices without clipping of their own (an SVG file) draw the same.

#include "picture/PictureArea.h"

#include <QLineF>
#include <QLinearGradient>
#include <QPainter>
#include <QPolygonF>
#include <QRectF>

#include <cmath>

namespace ohmora {

namespace {

constexpr double kRadiansToSixteenthsOfDegree = 180.0 / 3.141592653589793 * 16;

// Liang–Barsky: the part of `line` inside `r`; false when none is. `from`
// receives how far along the line the part starts.
bool clipLine(QLineF& line, const QRectF& r, double& from) {
    const double dx = line.dx(), dy = line.dy();
    double t0 = 0, t1 = 1;
    const double p[] = {-dx, dx, -dy, dy};
    const double q[] = {line.x1() - r.left(), r.right() - line.x1(), line.y1() - r.top(),
                        r.bottom() - line.y1()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) {
                return false;
            }
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0) {
            t0 = std::max(t0, t);
        } else {
            t1 = std::min(t1, t);
        }
    }
    if (t0 > t1) {
        return false;
    }
    const QPointF a = line.pointAt(t0), b = line.pointAt(t1);
    from = t0 * line.length();
    line = QLineF(a, b);
    return true;
}

} // namespace

QRectF PictureArea::drawingBounds() const {
    QRectF bounds(0, 0, width_, height_);
    if (!clip_.isNull()) {
        bounds &= QRectF(clip_.left(), clip_.top(), clip_.width(), clip_.height());
    }
    return bounds;
}

void PictureArea::fillSquares(const QRectF& area, QColor c) {
    const QRectF r = area & drawingBounds();
    if (r.isEmpty()) {
        return;
    }
    QPainter& p = painter();
    const QTransform t = p.worldTransform();
    if (t.type() > QTransform::TxScale) {
        p.fillRect(r, c);
        return;
    }
    const QRectF d = t.mapRect(r);
    const int left = qRound(d.left()), top = qRound(d.top());
    const int right = std::max(qRound(d.right()), left + 1);
    const int bottom = std::max(qRound(d.bottom()), top + 1);
    p.save();
    p.resetTransform();
    p.fillRect(QRect(left, top, right - left, bottom - top), c);
    p.restore();
}

void PictureArea::strokeLine(const QLineF& line, QColor c, double width, bool roundEnds) {
    QLineF part = line;
    double from = 0;
    if (!clipLine(part, drawingBounds(), from)) {
        return;
    }
    QPen pen(c, width, Qt::SolidLine, roundEnds ? Qt::RoundCap : Qt::FlatCap, Qt::RoundJoin);
    if (lineStyle_ == LineStyle::Dashed) {
        pen.setDashPattern({kDashOn / width, kDashOff / width});
        pen.setDashOffset(from / width); // the dashes keep their places when clipped
    }
    QPainter& p = painter();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    if (part.length() == 0) {
        p.drawPoint(part.p1());
    } else {
        p.drawLine(part);
    }
}

void PictureArea::strokePolyline(const std::vector<QPointF>& points, QColor c) {
    const double o = drawWidth_ % 2 == 0 ? 0.0 : 0.5; // the nib's centre
    // Points closer than a tenth of a device pixel to the last one kept
    // change nothing that shows: a ten-minute recording has fifteen points
    // to the pixel.
    QPainter& p = painter();
    const QTransform& t = p.worldTransform();
    const double closest = 0.1 / std::max(1e-9, std::sqrt(std::abs(t.determinant())));
    QPolygonF path;
    path.reserve(qsizetype(points.size()));
    for (const QPointF& point : points) {
        const QPointF at(point.x() + o, point.y() + o);
        if (path.isEmpty() || QLineF(path.back(), at).length() >= closest) {
            path.append(at);
        }
    }
    if (path.size() > 1 && path.back() != QPointF(points.back().x() + o, points.back().y() + o)) {
        path.append(QPointF(points.back().x() + o, points.back().y() + o));
    }
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(c, drawWidth_, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(path);
}

void PictureArea::vectorLine(int x1, int y1, int x2, int y2, QColor c) {
    if (drawWidth_ > 1) {
        if (x1 == x2 && y1 == y2) {
            vectorPoint(x1, y1, c);
            return;
        }
        const double o = drawWidth_ % 2 == 0 ? 0.0 : 0.5; // the nib's centre
        strokeLine(QLineF(x1 + o, y1 + o, x2 + o, y2 + o), c, drawWidth_, true);
        return;
    }
    if (x1 == x2 && y1 == y2) {
        return; // a one-pixel line leaves out its last pixel: nothing
    }
    if (lineStyle_ == LineStyle::Solid && (x1 == x2 || y1 == y2)) {
        // The pixels from the first to the one before the last.
        const int left = x2 > x1 ? x1 : x2 + (x1 == x2 ? 0 : 1);
        const int right = x2 > x1 ? x2 : x1 + 1;
        const int top = y2 > y1 ? y1 : y2 + (y1 == y2 ? 0 : 1);
        const int bottom = y2 > y1 ? y2 : y1 + 1;
        fillSquares(QRectF(left, top, right - left, bottom - top), c);
        return;
    }
    const QLineF centres(x1 + 0.5, y1 + 0.5, x2 + 0.5, y2 + 0.5);
    const QPointF half = (centres.p2() - centres.p1()) / centres.length() * 0.5;
    strokeLine(QLineF(centres.p1() - half, centres.p2() - half), c, 1, false);
}

void PictureArea::vectorBox(int x1, int y1, int x2, int y2, QColor c) {
    if (drawWidth_ > 1) {
        vectorLine(x1, y1, x2, y1, c);
        vectorLine(x2, y1, x2, y2, c);
        vectorLine(x2, y2, x1, y2, c);
        vectorLine(x1, y2, x1, y1, c);
        return;
    }
    const double w = x2 - x1 + 1, h = y2 - y1 + 1;
    fillSquares(QRectF(x1, y1, w, 1), c);
    fillSquares(QRectF(x1, y2, w, 1), c);
    fillSquares(QRectF(x1, y1, 1, h), c);
    fillSquares(QRectF(x2, y1, 1, h), c);
}

void PictureArea::vectorPoint(int x, int y, QColor c) {
    if (drawWidth_ <= 1) {
        fillSquares(QRectF(x, y, 1, 1), c);
        return;
    }
    const double o = drawWidth_ % 2 == 0 ? 0.0 : 0.5;
    const QPointF centre(x + o, y + o);
    if (!drawingBounds().contains(centre)) {
        return;
    }
    QPainter& p = painter();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawEllipse(centre, drawWidth_ / 2.0, drawWidth_ / 2.0);
}

void PictureArea::vectorCircle(int cx, int cy, int radius, QColor c) {
    const QPointF centre(cx + 0.5, cy + 0.5);
    QPainter& p = painter();
    p.setRenderHint(QPainter::Antialiasing, true);
    if (fillStyle_ == FillStyle::Solid) {
        p.setPen(Qt::NoPen);
        p.setBrush(fillColor_);
        p.drawEllipse(centre, radius, radius);
    }
    p.setPen(QPen(c, drawWidth_));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, radius, radius);
}

void PictureArea::vectorArc(double cx, double cy, double a, double b, double start, double end,
                            QColor c) {
    constexpr double kTwoPi = 6.283185307179586;
    const double span = end >= start ? end - start : end + kTwoPi - start;
    QPainter& p = painter();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(c, drawWidth_, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(cx - a, cy - b, 2 * a, 2 * b), qRound(start * kRadiansToSixteenthsOfDegree),
              qRound(span * kRadiansToSixteenthsOfDegree));
}

void PictureArea::vectorGradient(QColor top, QColor bottom) {
    // Row y of the model has the colour of its top edge at its centre.
    QLinearGradient shades(0, 0.5, 0, height_ + 0.5);
    shades.setColorAt(0, top);
    shades.setColorAt(1, bottom);
    QPainter& p = painter();
    p.fillRect(QRectF(0, 0, width_, height_) & drawingBounds(), shades);
}

void PictureArea::vectorText(const QString& text, double x, double baseline) {
    QFont smooth = font_;
    smooth.setStyleStrategy(QFont::PreferAntialias);
    QPainter& p = painter();
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setFont(smooth);
    p.setPen(foreColor_);
    p.drawText(QPointF(x, baseline), text);
}

void PictureArea::vectorClear() {
    const QRect saved = clip_;
    clip_ = QRect();
    fillSquares(QRectF(0, 0, width_, height_), backColor_);
    clip_ = saved;
}

} // namespace ohmora
