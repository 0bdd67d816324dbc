#include "picture/PictureArea.h"

#include <QFontMetrics>
#include <QPainter>

#include <QLineF>
#include <QRectF>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace ohmora {

namespace {

constexpr int kDotsPerMetre96Dpi = 3780;

} // namespace

int toPixel(double v) {
    return int(std::floor(v + 0.5));
}

int fontPixelSize(double points) {
    return toPixel(points * 96.0 / 72.0);
}

QFont pictureFont(const QString& name, double points, bool bold, bool italic) {
    QFont f(name);
    f.setPixelSize(fontPixelSize(points));
    f.setBold(bold);
    f.setItalic(italic);
    // Glyph pixels must not depend on the screen's smoothing settings, and
    // the widths must add up glyph by glyph as the text position advances:
    // fully hinted glyphs advance by whole pixels, as a classic desktop
    // draws them, so that letters neither collide nor drift apart.
    f.setStyleStrategy(QFont::NoAntialias);
    f.setHintingPreference(QFont::PreferFullHinting);
    f.setKerning(false);
    return f;
}

PictureArea::PictureArea(int width, int height, QColor backColor)
    : PictureArea(width, height, backColor, 1.0) {}

PictureArea::PictureArea(int width, int height, QColor backColor, double scale)
    : mode_(scale == 1.0 ? Mode::Pixels : Mode::Scaled), width_(width), height_(height),
      scale_(scale),
      image_(int(std::ceil(width * scale)), int(std::ceil(height * scale)), QImage::Format_RGB32),
      backColor_(backColor), font_(pictureFont(fontName_, fontSize_)) {
    const int dotsPerMetre = toPixel(kDotsPerMetre96Dpi * scale);
    image_.setDotsPerMeterX(dotsPerMetre);
    image_.setDotsPerMeterY(dotsPerMetre);
    image_.fill(backColor_);
}

PictureArea::PictureArea(const QImage& image, int width, int height, double scale)
    : mode_(scale == 1.0 ? Mode::Pixels : Mode::Scaled), width_(width), height_(height),
      scale_(scale), image_(image.convertToFormat(QImage::Format_RGB32)), backColor_(Qt::white),
      font_(pictureFont(fontName_, fontSize_)) {
    image_.detach();
}

PictureArea::PictureArea(QPainter& painter, int width, int height, QColor backColor)
    : mode_(Mode::Painter), width_(width), height_(height), backColor_(backColor),
      font_(pictureFont(fontName_, fontSize_)), external_(&painter) {
    external_->save();
}

PictureArea::~PictureArea() {
    endPainting();
    if (external_) {
        external_->restore();
    }
}

const QImage& PictureArea::image() const {
    // Handing the image out may share its pixels; a painter left open would
    // then write into the copy.
    endPainting();
    return image_;
}

QPainter& PictureArea::painter() {
    if (external_) {
        return *external_;
    }
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(&image_);
        const bool smooth = mode_ == Mode::Scaled;
        painter_->setRenderHint(QPainter::Antialiasing, smooth);
        painter_->setRenderHint(QPainter::TextAntialiasing, smooth);
        if (smooth) {
            painter_->scale(scale_, scale_);
        }
        if (!clip_.isNull()) {
            painter_->setClipRect(clip_);
        }
    }
    return *painter_;
}

void PictureArea::endPainting() const {
    painter_.reset();
}

void PictureArea::cls() {
    currentX_ = currentY_ = 0;
    if (mode_ == Mode::Painter) {
        vectorClear();
        return;
    }
    endPainting();
    if (hasBackground() && background_.size() == image_.size()) {
        std::memcpy(image_.bits(), background_.constBits(), size_t(image_.sizeInBytes()));
    } else {
        image_.fill(backColor_);
    }
}

void PictureArea::freezeBackground() {
    endPainting();
    if (mode_ != Mode::Painter) {
        background_ = image_.copy();
    }
}

void PictureArea::removeBackground() {
    background_ = QImage();
}

void PictureArea::setClip(const QRect& clip) {
    endPainting();
    clip_ = clip;
}

void PictureArea::setFontName(const QString& name) {
    fontName_ = name;
    updateFont();
}
void PictureArea::setFontSize(double points) {
    fontSize_ = points;
    updateFont();
}
void PictureArea::setFontBold(bool on) {
    bold_ = on;
    updateFont();
}
void PictureArea::setFontItalic(bool on) {
    italic_ = on;
    updateFont();
}

void PictureArea::setFont(const QString& name, double points, bool bold, bool italic) {
    fontName_ = name;
    fontSize_ = points;
    bold_ = bold;
    italic_ = italic;
    updateFont();
}

void PictureArea::updateFont() {
    font_ = pictureFont(fontName_, fontSize_, bold_, italic_);
}

// --- pixels -----------------------------------------------------------------

bool PictureArea::clipped(int x, int y) const {
    return !clip_.isNull() && !clip_.contains(x, y);
}

void PictureArea::plotPixel(int x, int y, QRgb c) {
    if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height() || clipped(x, y))
        return;
    reinterpret_cast<QRgb*>(image_.scanLine(y))[x] = c;
}

// The footprint of a pen of the current width centred on (x, y): a round
// nib, which at width 2 is a 2 × 2 square up and to the left.
void PictureArea::stamp(int x, int y, QRgb c) {
    const int w = drawWidth_;
    if (w <= 1) {
        plotPixel(x, y, c);
        return;
    }
    const int lo = -(w / 2), hi = (w - 1) / 2;
    const double centre = (w % 2 == 0) ? -0.5 : 0.0;
    const double r2 = double(w) * w / 4.0;
    for (int j = lo; j <= hi; ++j)
        for (int i = lo; i <= hi; ++i)
            if ((i - centre) * (i - centre) + (j - centre) * (j - centre) <= r2)
                plotPixel(x + i, y + j, c);
}

void PictureArea::horizontalSpan(int x1, int x2, int y, QRgb c) {
    if (y < 0 || y >= image_.height() ||
        (!clip_.isNull() && (y < clip_.top() || y > clip_.bottom())))
        return;
    if (x1 > x2)
        std::swap(x1, x2);
    x1 = std::max(x1, 0);
    x2 = std::min(x2, image_.width() - 1);
    if (!clip_.isNull()) {
        x1 = std::max(x1, clip_.left());
        x2 = std::min(x2, clip_.right());
    }
    if (x1 > x2)
        return;
    QRgb* row = reinterpret_cast<QRgb*>(image_.scanLine(y));
    std::fill(row + x1, row + x2 + 1, c);
}

void PictureArea::thinLine(int x1, int y1, int x2, int y2, QRgb c, bool lastPixel) {
    const bool dashed = lineStyle_ == LineStyle::Dashed;
    if (y1 == y2 && drawWidth_ <= 1 && !dashed) {
        if (x1 == x2) {
            if (lastPixel)
                plotPixel(x1, y1, c);
            return;
        }
        const int end = lastPixel ? x2 : (x2 > x1 ? x2 - 1 : x2 + 1);
        horizontalSpan(x1, end, y1, c);
        return;
    }
    const int dx = std::abs(x2 - x1), dy = -std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    int x = x1, y = y1;
    for (int step = 0;; ++step) {
        const bool last = (x == x2 && y == y2);
        if (last && !lastPixel)
            break;
        if (!dashed || step % (kDashOn + kDashOff) < kDashOn)
            stamp(x, y, c);
        if (last)
            break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

void PictureArea::wideLine(int x1, int y1, int x2, int y2, QRgb c) {
    thinLine(x1, y1, x2, y2, c, true);
}

// --- primitives ---------------------------------------------------------------

void PictureArea::line(int x1, int y1, int x2, int y2) {
    line(x1, y1, x2, y2, foreColor_);
}

void PictureArea::line(int x1, int y1, int x2, int y2, QColor c) {
    if (mode_ != Mode::Pixels) {
        vectorLine(x1, y1, x2, y2, c);
        currentX_ = x2;
        currentY_ = y2;
        return;
    }
    const QRgb rgb = c.rgb();
    if (drawWidth_ <= 1)
        thinLine(x1, y1, x2, y2, rgb, false);
    else
        wideLine(x1, y1, x2, y2, rgb);
    currentX_ = x2;
    currentY_ = y2;
}

void PictureArea::verticalGradient(QColor top, QColor bottom) {
    if (mode_ != Mode::Pixels) {
        vectorGradient(top, bottom);
        return;
    }
    const int h = height_;
    const auto shade = [h](int from, int to, int y) {
        return toPixel(from + (to - from) * double(y) / h);
    };
    for (int y = 0; y <= h; ++y) {
        const QColor c(shade(top.red(), bottom.red(), y), shade(top.green(), bottom.green(), y),
                       shade(top.blue(), bottom.blue(), y));
        horizontalSpan(0, width_ - 1, y, c.rgb());
    }
}

void PictureArea::exactLine(double x1, double y1, double x2, double y2, QColor c) {
    if (mode_ == Mode::Pixels) {
        line(int(std::nearbyint(x1)), int(std::nearbyint(y1)), int(std::nearbyint(x2)),
             int(std::nearbyint(y2)), c);
        return;
    }
    const double o = drawWidth_ % 2 == 0 ? 0.0 : 0.5; // the nib's centre
    if (x1 == x2 && y1 == y2) {
        exactPoint(x2, y2, c);
    } else {
        strokeLine(QLineF(x1 + o, y1 + o, x2 + o, y2 + o), c, drawWidth_, true);
    }
    currentX_ = x2;
    currentY_ = y2;
}

void PictureArea::exactPoint(double x, double y, QColor c) {
    if (mode_ == Mode::Pixels) {
        pset(int(std::nearbyint(x)), int(std::nearbyint(y)), c);
        return;
    }
    const double o = drawWidth_ % 2 == 0 ? 0.0 : 0.5;
    strokeLine(QLineF(x + o, y + o, x + o, y + o), c, drawWidth_, true);
    currentX_ = x;
    currentY_ = y;
}

void PictureArea::exactPolyline(const std::vector<QPointF>& points, QColor c) {
    if (points.size() == 1) {
        exactPoint(points.front().x(), points.front().y(), c);
        return;
    }
    if (mode_ == Mode::Pixels || lineStyle_ == LineStyle::Dashed) {
        for (size_t i = 1; i < points.size(); ++i) {
            exactLine(points[i - 1].x(), points[i - 1].y(), points[i].x(), points[i].y(), c);
        }
        return;
    }
    if (points.empty()) {
        return;
    }
    strokePolyline(points, c);
    currentX_ = points.back().x();
    currentY_ = points.back().y();
}

void PictureArea::box(int x1, int y1, int x2, int y2) {
    box(x1, y1, x2, y2, foreColor_);
}

void PictureArea::box(int x1, int y1, int x2, int y2, QColor c) {
    if (x1 > x2)
        std::swap(x1, x2);
    if (y1 > y2)
        std::swap(y1, y2);
    if (fillStyle_ == FillStyle::Solid && x2 - x1 > 1 && y2 - y1 > 1)
        filledBox(x1 + 1, y1 + 1, x2 - 1, y2 - 1, fillColor_);
    if (mode_ != Mode::Pixels) {
        vectorBox(x1, y1, x2, y2, c);
        currentX_ = x2;
        currentY_ = y2;
        return;
    }
    const QRgb rgb = c.rgb();
    thinLine(x1, y1, x2, y1, rgb, true);
    thinLine(x2, y1, x2, y2, rgb, true);
    thinLine(x2, y2, x1, y2, rgb, true);
    thinLine(x1, y2, x1, y1, rgb, true);
    currentX_ = x2;
    currentY_ = y2;
}

void PictureArea::filledBox(int x1, int y1, int x2, int y2, QColor c) {
    if (y1 > y2)
        std::swap(y1, y2);
    if (mode_ != Mode::Pixels) {
        const int left = std::min(x1, x2), right = std::max(x1, x2);
        fillSquares(QRectF(left, y1, right - left + 1, y2 - y1 + 1), c);
        currentX_ = right;
        currentY_ = y2;
        return;
    }
    const QRgb rgb = c.rgb();
    for (int y = std::max(y1, 0); y <= std::min(y2, image_.height() - 1); ++y)
        horizontalSpan(x1, x2, y, rgb);
    currentX_ = std::max(x1, x2);
    currentY_ = y2;
}

void PictureArea::pset(int x, int y) {
    pset(x, y, foreColor_);
}

void PictureArea::pset(int x, int y, QColor c) {
    if (mode_ != Mode::Pixels)
        vectorPoint(x, y, c);
    else
        stamp(x, y, c.rgb());
    currentX_ = x;
    currentY_ = y;
}

void PictureArea::circle(int cx, int cy, int radius) {
    circle(cx, cy, radius, foreColor_);
}

void PictureArea::circle(int cx, int cy, int radius, QColor c) {
    currentX_ = cx;
    currentY_ = cy;
    if (radius < 0)
        return;
    if (mode_ != Mode::Pixels) {
        vectorCircle(cx, cy, radius, c);
        return;
    }
    // Midpoint circle: the outline, and per row its leftmost and rightmost
    // pixel, between which a solid fill goes.
    std::vector<int> left(size_t(2 * radius + 1), 0), right(size_t(2 * radius + 1), -1);
    std::vector<std::pair<int, int>> outline;
    auto add = [&](int i, int j) {
        outline.emplace_back(i, j);
        const int rowIndex = j + radius;
        const auto row = size_t(rowIndex);
        if (right[row] < left[row]) {
            left[row] = right[row] = i;
        } else {
            left[row] = std::min(left[row], i);
            right[row] = std::max(right[row], i);
        }
    };
    int x = radius, y = 0, err = 1 - radius;
    while (x >= y) {
        add(x, y), add(-x, y), add(x, -y), add(-x, -y);
        add(y, x), add(-y, x), add(y, -x), add(-y, -x);
        ++y;
        if (err < 0) {
            err += 2 * y + 1;
        } else {
            --x;
            err += 2 * (y - x) + 1;
        }
    }
    if (fillStyle_ == FillStyle::Solid) {
        const QRgb fill = fillColor_.rgb();
        for (int j = -radius; j <= radius; ++j) {
            const int rowIndex = j + radius;
            const auto row = size_t(rowIndex);
            if (right[row] - left[row] > 1)
                horizontalSpan(cx + left[row] + 1, cx + right[row] - 1, cy + j, fill);
        }
    }
    const QRgb rgb = c.rgb();
    for (auto [i, j] : outline)
        stamp(cx + i, cy + j, rgb);
}

void PictureArea::arc(int cx, int cy, int radius, double start, double end, double aspect) {
    arc(cx, cy, radius, start, end, aspect, foreColor_);
}

void PictureArea::arc(int cx, int cy, int radius, double start, double end, double aspect,
                      QColor c) {
    currentX_ = cx;
    currentY_ = cy;
    // The radius is the larger of the two half-axes.
    const double a = aspect < 1 ? radius : radius / aspect;
    const double b = aspect < 1 ? radius * aspect : radius;
    if (a <= 0 || b <= 0)
        return;
    if (mode_ != Mode::Pixels) {
        vectorArc(cx + 0.5, cy + 0.5, a, b, start, end, c);
        return;
    }
    constexpr double kTwoPi = 6.283185307179586;
    auto inArc = [&](int i, int j) {
        double angle = std::atan2(-double(j), double(i));
        if (angle < 0)
            angle += kTwoPi;
        if (start <= end)
            return angle >= start && angle <= end;
        return angle >= start || angle <= end; // the arc crosses angle 0
    };
    const QRgb rgb = c.rgb();
    auto plot = [&](int i, int j) {
        if (inArc(i, j))
            stamp(cx + i, cy + j, rgb);
    };
    // Both ways across the ellipse, so that steep and flat parts have no
    // gaps.
    const int ia = int(std::floor(a)), jb = int(std::floor(b));
    for (int i = -ia; i <= ia; ++i) {
        const int j = toPixel(b * std::sqrt(std::max(0.0, 1.0 - double(i) * i / (a * a))));
        plot(i, j), plot(i, -j);
    }
    for (int j = -jb; j <= jb; ++j) {
        const int i = toPixel(a * std::sqrt(std::max(0.0, 1.0 - double(j) * j / (b * b))));
        plot(i, j), plot(-i, j);
    }
    // The end points themselves, rounded to their pixels, so that arcs whose
    // angles stop a hair short of a quarter still meet.
    for (double angle : {start, end})
        stamp(cx + toPixel(a * std::cos(angle)), cy + toPixel(-b * std::sin(angle)), rgb);
}

// --- text -----------------------------------------------------------------

void PictureArea::print(const QString& text) {
    const QFontMetrics m(font_);
    if (!italic_ && italicOverhang_ > 0 && !text.isEmpty()) {
        currentX_ += italicOverhang_;
    }
    italicOverhang_ = 0;
    if (mode_ != Mode::Pixels) {
        vectorText(text, toPixel(currentX_), toPixel(currentY_) + m.ascent());
    } else {
        QPainter& p = painter();
        p.setFont(font_);
        p.setPen(foreColor_);
        p.drawText(toPixel(currentX_), toPixel(currentY_) + m.ascent(), text);
    }
    currentX_ += m.horizontalAdvance(text);
    if (italic_ && !text.isEmpty()) {
        italicOverhang_ = std::max(0, -m.rightBearing(text.back()));
    }
}

int PictureArea::textWidth(const QString& text) const {
    return QFontMetrics(font_).horizontalAdvance(text);
}

int PictureArea::textHeight(const QString&) const {
    return QFontMetrics(font_).height();
}

} // namespace ohmora
