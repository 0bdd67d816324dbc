#pragma once
// The drawing device this program gives libwmf's record player: each
// primitive the player hands over is written as an SVG element. Shapes are
// in WmfShapes.cpp, texts, bitmaps and the player's set-up in WmfToSvg.cpp.

extern "C" {
#include <libwmf/api.h>
#include <libwmf/defs.h>
#include <libwmf/ipa.h>
}

#include <string>

namespace ohmora::rtf::wmf {

struct Point {
    double x;
    double y;
};

struct Device {
    std::string body;
    bool frameKnown = false;
    Point frameMin{0, 0};
    Point frameMax{0, 0};
    std::size_t bitmapBytes = 0;
};

Device& deviceOf(wmfAPI* api);
// Appends a coordinate, with two decimals and a point whatever the locale.
void add(std::string& out, double value);
std::string colour(const wmfRGB* rgb);
bool room(const Device& device);
void noteFrame(Device& device, const wmfDC* dc);
std::string fill(const wmfDC* dc);
std::string stroke(const wmfDC* dc);

void drawLine(wmfAPI* api, wmfDrawLine_t* line);
void polyLine(wmfAPI* api, wmfPolyLine_t* line);
void polygon(wmfAPI* api, wmfPolyLine_t* line);
void polyPolygon(wmfAPI* api, wmfPolyPoly_t* polygons);
void rectangle(wmfAPI* api, wmfDrawRectangle_t* rect);
void drawArc(wmfAPI* api, wmfDrawArc_t* a);
void drawPie(wmfAPI* api, wmfDrawArc_t* a);
void drawChord(wmfAPI* api, wmfDrawArc_t* a);
void drawEllipse(wmfAPI* api, wmfDrawArc_t* a);
void drawPixel(wmfAPI* api, wmfDrawPixel_t* pixel);
void regionPaint(wmfAPI* api, wmfPolyRectangle_t* region);
void regionFrame(wmfAPI* api, wmfPolyRectangle_t* region);
void ropDraw(wmfAPI* api, wmfROP_Draw_t* rop);

} // namespace ohmora::rtf::wmf
