#include "richtext/MetafileSvg.h"
#include "richtext/WmfDevice.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace ohmora::rtf::wmf {

namespace {

constexpr double kPi = 3.14159265358979323846;

void addPoints(std::string& out, const wmfD_Coord* points, std::size_t count, bool close) {
    for (std::size_t i = 0; i < count; ++i) {
        out += i == 0 ? "M" : " L";
        add(out, points[i].x);
        out += ',';
        add(out, points[i].y);
    }
    if (close && count > 0) {
        out += " Z";
    }
}

void path(wmfAPI* api, const wmfDC* dc, const std::string& d, bool filled) {
    Device& device = deviceOf(api);
    noteFrame(device, dc);
    if (!room(device) || d.empty()) {
        return;
    }
    device.body +=
        "<path d=\"" + d + "\"" + (filled ? fill(dc) : " fill=\"none\"") + stroke(dc) + "/>\n";
}

// An elliptic arc of the box TL-BR from `start` to `end` (both relative to
// the centre), counterclockwise as the metafile's device draws it.
std::string arc(const wmfDrawArc_t* a, char kind) {
    const Point centre{(a->TL.x + a->BR.x) / 2.0, (a->TL.y + a->BR.y) / 2.0};
    const double rx = std::abs(a->BR.x - a->TL.x) / 2.0;
    const double ry = std::abs(a->BR.y - a->TL.y) / 2.0;
    if (rx <= 0 || ry <= 0) {
        return {};
    }
    const auto onEllipse = [&](const wmfD_Coord& p) {
        const double angle = std::atan2(p.y / ry, p.x / rx);
        return Point{centre.x + rx * std::cos(angle), centre.y + ry * std::sin(angle)};
    };
    const Point from = onEllipse(a->start);
    const Point to = onEllipse(a->end);
    double sweep =
        std::atan2(a->start.y / ry, a->start.x / rx) - std::atan2(a->end.y / ry, a->end.x / rx);
    if (sweep <= 0) {
        sweep += 2 * kPi;
    }
    std::string d = kind == 'p' ? "M" : "";
    if (kind == 'p') {
        add(d, centre.x);
        d += ',';
        add(d, centre.y);
        d += " L";
    } else {
        d += "M";
    }
    add(d, from.x);
    d += ',';
    add(d, from.y);
    d += " A";
    add(d, rx);
    d += ',';
    add(d, ry);
    d += sweep > kPi ? " 0 1,0 " : " 0 0,0 ";
    add(d, to.x);
    d += ',';
    add(d, to.y);
    if (kind != 'a') {
        d += " Z";
    }
    return d;
}

} // namespace

Device& deviceOf(wmfAPI* api) {
    return *static_cast<Device*>(api->user_data);
}

void add(std::string& out, double value) {
    std::array<char, 32> text{};
    const double rounded = std::round(value * 100.0) / 100.0;
    const auto result = std::to_chars(text.data(), text.data() + text.size(), rounded);
    out.append(text.data(), result.ptr);
}

std::string colour(const wmfRGB* rgb) {
    static constexpr std::string_view kHex = "0123456789abcdef";
    std::string out = "#";
    for (const unsigned char c : {rgb->r, rgb->g, rgb->b}) {
        out += kHex[c >> 4];
        out += kHex[c & 0xF];
    }
    return out;
}

bool room(const Device& device) {
    return device.body.size() < kMaxSvgBytes;
}

// The device frame is the metafile's window, as the first drawing finds it.
void noteFrame(Device& device, const wmfDC* dc) {
    if (device.frameKnown || !dc) {
        return;
    }
    const double width = dc->Window.width * dc->pixel_width;
    const double height = dc->Window.height * dc->pixel_height;
    if (!std::isfinite(width) || !std::isfinite(height) || width == 0 || height == 0) {
        return;
    }
    device.frameKnown = true;
    device.frameMin = {std::min(0.0, width), std::min(0.0, height)};
    device.frameMax = {std::max(0.0, width), std::max(0.0, height)};
}

std::string stroke(const wmfDC* dc) {
    const wmfPen* pen = dc->pen;
    if (!pen || (pen->lopnStyle & PS_STYLE_MASK) == PS_NULL) {
        return " stroke=\"none\"";
    }
    std::string out = " stroke=\"" + colour(&pen->lopnColor) + "\" stroke-width=\"";
    const double width = std::max(std::abs(pen->width), std::abs(pen->height));
    add(out, width);
    out += '"';
    const int style = pen->lopnStyle & PS_STYLE_MASK;
    if (style == PS_DASH || style == PS_DOT || style == PS_ALTERNATE || style == PS_DASHDOT) {
        out += " stroke-dasharray=\"";
        add(out, std::max(1.0, style == PS_DASH ? 4 * width : width));
        out += ',';
        add(out, std::max(1.0, 2 * width));
        out += '"';
    }
    return out;
}

std::string fill(const wmfDC* dc) {
    const wmfBrush* brush = dc->brush;
    if (!brush || brush->lbStyle == BS_NULL) {
        return " fill=\"none\"";
    }
    return " fill=\"" + colour(&brush->lbColor) + "\"" +
           (dc->polyfillmode == WINDING ? " fill-rule=\"nonzero\"" : " fill-rule=\"evenodd\"");
}

void drawLine(wmfAPI* api, wmfDrawLine_t* line) {
    const std::array<wmfD_Coord, 2> points = {line->from, line->to};
    std::string d;
    addPoints(d, points.data(), points.size(), false);
    path(api, line->dc, d, false);
}

void polyLine(wmfAPI* api, wmfPolyLine_t* line) {
    std::string d;
    addPoints(d, line->pt, line->count, false);
    path(api, line->dc, d, false);
}

void polygon(wmfAPI* api, wmfPolyLine_t* line) {
    std::string d;
    addPoints(d, line->pt, line->count, true);
    path(api, line->dc, d, true);
}

void polyPolygon(wmfAPI* api, wmfPolyPoly_t* polygons) {
    std::string d;
    for (std::size_t i = 0; i < polygons->npoly; ++i) {
        if (!d.empty()) {
            d += ' ';
        }
        addPoints(d, polygons->pt[i], polygons->count[i], true);
    }
    path(api, polygons->dc, d, true);
}

void rectangle(wmfAPI* api, wmfDrawRectangle_t* rect) {
    const std::array<wmfD_Coord, 4> corners = {rect->TL, wmfD_Coord{rect->BR.x, rect->TL.y},
                                               rect->BR, wmfD_Coord{rect->TL.x, rect->BR.y}};
    std::string d;
    addPoints(d, corners.data(), corners.size(), true);
    path(api, rect->dc, d, true);
}

void drawArc(wmfAPI* api, wmfDrawArc_t* a) {
    path(api, a->dc, arc(a, 'a'), false);
}
void drawPie(wmfAPI* api, wmfDrawArc_t* a) {
    path(api, a->dc, arc(a, 'p'), true);
}
void drawChord(wmfAPI* api, wmfDrawArc_t* a) {
    path(api, a->dc, arc(a, 'c'), true);
}

void drawEllipse(wmfAPI* api, wmfDrawArc_t* a) {
    Device& device = deviceOf(api);
    noteFrame(device, a->dc);
    if (!room(device)) {
        return;
    }
    std::string out = "<ellipse cx=\"";
    add(out, (a->TL.x + a->BR.x) / 2.0);
    out += "\" cy=\"";
    add(out, (a->TL.y + a->BR.y) / 2.0);
    out += "\" rx=\"";
    add(out, std::abs(a->BR.x - a->TL.x) / 2.0);
    out += "\" ry=\"";
    add(out, std::abs(a->BR.y - a->TL.y) / 2.0);
    device.body += out + "\"" + fill(a->dc) + stroke(a->dc) + "/>\n";
}

void drawPixel(wmfAPI* api, wmfDrawPixel_t* pixel) {
    Device& device = deviceOf(api);
    noteFrame(device, pixel->dc);
    if (!room(device)) {
        return;
    }
    std::string out = "<rect x=\"";
    add(out, pixel->pt.x);
    out += "\" y=\"";
    add(out, pixel->pt.y);
    out += "\" width=\"";
    add(out, pixel->pixel_width);
    out += "\" height=\"";
    add(out, pixel->pixel_height);
    device.body += out + "\" fill=\"" + colour(&pixel->color) + "\"/>\n";
}

namespace {

void rectangles(wmfAPI* api, const wmfPolyRectangle_t* region, const std::string& style) {
    Device& device = deviceOf(api);
    noteFrame(device, region->dc);
    for (unsigned int i = 0; i < region->count && room(device); ++i) {
        std::string out = "<rect x=\"";
        add(out, std::min(region->TL[i].x, region->BR[i].x));
        out += "\" y=\"";
        add(out, std::min(region->TL[i].y, region->BR[i].y));
        out += "\" width=\"";
        add(out, std::abs(region->BR[i].x - region->TL[i].x));
        out += "\" height=\"";
        add(out, std::abs(region->BR[i].y - region->TL[i].y));
        out += "\"";
        out += style;
        out += "/>\n";
        device.body += out;
    }
}

} // namespace

void regionPaint(wmfAPI* api, wmfPolyRectangle_t* region) {
    rectangles(api, region, fill(region->dc) + " stroke=\"none\"");
}

void regionFrame(wmfAPI* api, wmfPolyRectangle_t* region) {
    rectangles(api, region, " fill=\"none\"" + stroke(region->dc));
}

// Bit-block transfers of a pattern: the brush, black or white over a rectangle.
void ropDraw(wmfAPI* api, wmfROP_Draw_t* rop) {
    constexpr unsigned long kPatCopy = 0x00F00021;
    constexpr unsigned long kBlackness = 0x00000042;
    constexpr unsigned long kWhiteness = 0x00FF0062;
    std::string style;
    if (rop->ROP == kPatCopy) {
        style = fill(rop->dc);
    } else if (rop->ROP == kBlackness || rop->ROP == kWhiteness) {
        style = rop->ROP == kBlackness ? " fill=\"#000000\"" : " fill=\"#ffffff\"";
    } else {
        return;
    }
    wmfPolyRectangle_t region{};
    region.dc = rop->dc;
    region.TL = &rop->TL;
    region.BR = &rop->BR;
    region.count = 1;
    rectangles(api, &region, style + " stroke=\"none\"");
}

} // namespace ohmora::rtf::wmf
