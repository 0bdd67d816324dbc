#include "richtext/MetafileProtocol.h"
#include "richtext/MetafileSvg.h"
#include "richtext/SvgText.h"
#include "richtext/WmfDevice.h"
#include "richtext/WmfRecords.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>

namespace ohmora::rtf {

namespace wmf {

namespace {

// A font's ascent and descent as parts of its size, for texts a metafile
// aligns on their top or their bottom: those of the usual text fonts.
constexpr double kAscent = 0.89;
constexpr double kDescent = 0.21;
constexpr std::size_t kMaxBitmapBytes = std::size_t{16} << 20;
constexpr unsigned kAlignVertical = 24; // TA_BASELINE: TA_TOP is 0, TA_BOTTOM 8

// The player gives texts no width: the device aligns them itself (and the
// player, which takes any text aligned right for centred, moves none).
float stringWidth(wmfAPI*, wmfFont*, char*) {
    return 0.0F;
}
void mapFont(wmfAPI*, wmfFont*) {}

// Where the text's baseline starts, from the point the player gives: the
// player moves a text aligned on its top down by its whole height, which is
// undone here for the font's ascent.
Point baselineStart(const wmfDrawText_t* text, double size, double angle) {
    const unsigned vertical = text->dc->textalign & kAlignVertical;
    double shift = 0; // along the text's vertical, downwards
    if (vertical == 0) {
        shift = kAscent * size - text->font_height;
    } else if (vertical == 8) {
        shift = -kDescent * size;
    }
    return {text->pt.x - shift * std::sin(angle), text->pt.y + shift * std::cos(angle)};
}

std::string textStyle(const wmfFont* font, const wmfDC* dc, double size) {
    const std::string family = font->lfFaceName ? font->lfFaceName : "";
    std::string out = " font-family=\"" + xmlEscaped(installedFamily(family)) + "\" font-size=\"";
    add(out, size);
    out += '"';
    if (font->lfWeight >= 600) {
        out += " font-weight=\"bold\"";
    }
    if (font->lfItalic) {
        out += " font-style=\"italic\"";
    }
    if (font->lfUnderline || font->lfStrikeOut) {
        out += font->lfUnderline ? " text-decoration=\"underline\""
                                 : " text-decoration=\"line-through\"";
    }
    const unsigned horizontal = dc->textalign & 6U;
    if (horizontal != 0) {
        out += horizontal == 6 ? " text-anchor=\"middle\"" : " text-anchor=\"end\"";
    }
    return out + " fill=\"" + colour(&dc->textcolor) + "\"";
}

void drawText(wmfAPI* api, wmfDrawText_t* text) {
    Device& device = deviceOf(api);
    noteFrame(device, text->dc);
    const wmfFont* font = text->dc->font;
    if (!room(device) || !font || !text->str) {
        return;
    }
    // The player keeps the font's height without its sign, which tells a
    // cell height from a character height: it is taken for the font's size.
    const double size = text->font_height;
    const double angle = -(font->lfEscapement / 10.0) * 3.14159265358979323846 / 180.0;
    const Point start = baselineStart(text, size, angle);
    const std::string family = font->lfFaceName ? font->lfFaceName : "";
    const std::string content =
        decodeMetafileText(text->str, family, static_cast<int>(font->lfCharSet));
    std::string out = "<text x=\"";
    add(out, start.x);
    out += "\" y=\"";
    add(out, start.y);
    out += '"' + textStyle(font, text->dc, size);
    if (font->lfEscapement != 0) {
        out += " transform=\"rotate(";
        add(out, font->lfEscapement / -10.0);
        out += ' ';
        add(out, start.x);
        out += ' ';
        add(out, start.y);
        out += ")\"";
    }
    device.body += out + " xml:space=\"preserve\">" + xmlEscaped(content) + "</text>\n";
}

std::uint32_t readU32(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4 && at + i < bytes.size(); ++i) {
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    }
    return value;
}

std::string base64(const std::string& bytes) {
    static constexpr std::string_view kDigits =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        std::uint32_t group = 0;
        const std::size_t n = std::min<std::size_t>(3, bytes.size() - i);
        for (std::size_t k = 0; k < 3; ++k) {
            group = group << 8 | (k < n ? static_cast<unsigned char>(bytes[i + k]) : 0U);
        }
        for (std::size_t k = 0; k < 4; ++k) {
            out += k <= n ? kDigits[group >> (18 - 6 * k) & 0x3F] : '=';
        }
    }
    return out;
}

// A device-independent bitmap as a BMP file, which QtSvg shows.
std::string bmpFile(const std::string& dib) {
    const std::uint32_t headerSize = readU32(dib, 0);
    const std::uint32_t bits = readU32(dib, 14) & 0xFFFF;
    const std::uint32_t compression = readU32(dib, 16);
    std::uint32_t colours = headerSize >= 36 ? readU32(dib, 32) : 0;
    if (colours == 0 && bits <= 8) {
        colours = 1U << bits;
    }
    const std::uint32_t masks = compression == 3 && headerSize == 40 ? 12 : 0;
    const std::uint32_t offset =
        14 + headerSize + 4 * std::min<std::uint32_t>(colours, 256) + masks;
    std::string file = "BM";
    for (const std::uint32_t value : {static_cast<std::uint32_t>(14 + dib.size()), 0U, offset}) {
        for (int i = 0; i < 4; ++i) {
            file += static_cast<char>(value >> (8 * i) & 0xFF);
        }
    }
    return file + dib;
}

void bitmapRead(wmfAPI* api, wmfBMP_Read_t* read) {
    Device& device = deviceOf(api);
    read->bmp.data = nullptr;
    if (!read->buffer || read->length < 40 ||
        device.bitmapBytes + static_cast<std::size_t>(read->length) > kMaxBitmapBytes) {
        return;
    }
    device.bitmapBytes += static_cast<std::size_t>(read->length);
    auto dib = std::make_unique<std::string>(reinterpret_cast<const char*>(read->buffer),
                                             static_cast<std::size_t>(read->length));
    read->bmp.width = static_cast<U16>(readU32(*dib, 4));
    read->bmp.height = static_cast<U16>(readU32(*dib, 8));
    read->bmp.data = dib.release();
}

void bitmapFree(wmfAPI*, wmfBMP* bmp) {
    delete static_cast<std::string*>(bmp->data);
    bmp->data = nullptr;
}

void bitmapDraw(wmfAPI* api, wmfBMP_Draw_t* draw) {
    Device& device = deviceOf(api);
    noteFrame(device, draw->dc);
    if (!room(device) || !draw->bmp.data) {
        return;
    }
    std::string out = "<image x=\"";
    add(out, draw->pt.x);
    out += "\" y=\"";
    add(out, draw->pt.y);
    out += "\" width=\"";
    add(out, std::abs(draw->pixel_width * draw->crop.w));
    out += "\" height=\"";
    add(out, std::abs(draw->pixel_height * draw->crop.h));
    device.body += out + "\" preserveAspectRatio=\"none\" xlink:href=\"data:image/bmp;base64," +
                   base64(bmpFile(*static_cast<std::string*>(draw->bmp.data))) + "\"/>\n";
}

void nothing(wmfAPI*) {}
void noUserData(wmfAPI*, wmfUserData_t*) {}
void noRegion(wmfAPI*, wmfPolyRectangle_t*) {}
void noFlood(wmfAPI*, wmfFlood_t*) {}

void installDevice(wmfAPI* api) {
    auto* functions = static_cast<wmfFunctionReference*>(api->function_reference);
    *functions = wmfFunctionReference{};
    functions->device_open = nothing;
    functions->device_close = nothing;
    functions->device_begin = nothing;
    functions->device_end = nothing;
    functions->flood_interior = noFlood;
    functions->flood_exterior = noFlood;
    functions->draw_pixel = drawPixel;
    functions->draw_pie = drawPie;
    functions->draw_chord = drawChord;
    functions->draw_arc = drawArc;
    functions->draw_ellipse = drawEllipse;
    functions->draw_line = drawLine;
    functions->poly_line = polyLine;
    functions->draw_polygon = polygon;
    functions->draw_polypolygon = polyPolygon;
    functions->draw_rectangle = rectangle;
    functions->rop_draw = ropDraw;
    functions->bmp_draw = bitmapDraw;
    functions->bmp_read = bitmapRead;
    functions->bmp_free = bitmapFree;
    functions->draw_text = drawText;
    functions->udata_init = noUserData;
    functions->udata_copy = noUserData;
    functions->udata_set = noUserData;
    functions->udata_free = noUserData;
    functions->region_frame = regionFrame;
    functions->region_paint = regionPaint;
    functions->region_clip = noRegion;
}

// libwmf's player and its device for one picture; errors are not printed.
class Player {
public:
    Player() {
        wmfAPI_Options options{};
        options.function = installDevice;
        const unsigned long flags =
            WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
        if (wmf_lite_create(&api_, flags, &options) != wmf_E_None) {
            api_ = nullptr;
            return;
        }
        fonts_.map = mapFont;
        fonts_.stringwidth = stringWidth;
        api_->font_data = &fonts_;
        api_->user_data = &device_;
    }
    Player(const Player&) = delete;
    Player& operator=(const Player&) = delete;
    ~Player() {
        if (api_) {
            wmf_lite_destroy(api_);
        }
    }

    std::optional<std::string> play(std::string& records);

private:
    wmfAPI* api_ = nullptr;
    wmfFontData fonts_{};
    Device device_;
};

std::optional<std::string> Player::play(std::string& records) {
    if (!api_ || wmf_mem_open(api_, reinterpret_cast<unsigned char*>(records.data()),
                              static_cast<long>(records.size())) != wmf_E_None) {
        return std::nullopt;
    }
    wmfD_Rect box{};
    const bool played =
        wmf_scan(api_, 0, &box) == wmf_E_None && wmf_play(api_, 0, &box) == wmf_E_None;
    wmf_mem_close(api_);
    if (!played || device_.body.empty()) {
        return std::nullopt;
    }
    const Point min = device_.frameKnown ? device_.frameMin : Point{box.TL.x, box.TL.y};
    const Point max = device_.frameKnown ? device_.frameMax : Point{box.BR.x, box.BR.y};
    if (!(max.x > min.x) || !(max.y > min.y)) {
        return std::nullopt;
    }
    std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" "
                      "xmlns:xlink=\"http://www.w3.org/1999/xlink\" version=\"1.1\" viewBox=\"";
    add(svg, min.x);
    svg += ' ';
    add(svg, min.y);
    svg += ' ';
    add(svg, max.x - min.x);
    svg += ' ';
    add(svg, max.y - min.y);
    return svg + "\">\n" + device_.body + "</svg>\n";
}

} // namespace

} // namespace wmf

std::optional<std::string> wmfToSvg(std::string_view bytes) {
    if (bytes.size() > kMaxMetafileBytes) {
        return std::nullopt;
    }
    std::string records = normalizeWmf(bytes);
    if (records.empty()) {
        return std::nullopt;
    }
    wmf::Player player;
    return player.play(records);
}

std::optional<std::string> metafileToSvg(ImageKind kind, std::string_view bytes) {
    switch (kind) {
    case ImageKind::Wmf:
        return wmfToSvg(bytes);
    case ImageKind::Emf:
        return emfToSvg(bytes);
    default:
        return std::nullopt;
    }
}

std::optional<std::string> answerOne(const MetafileFrame& request) {
    if (request.tag == 'W') {
        return wmfToSvg(request.payload);
    }
    if (request.tag == 'E') {
        return emfToSvg(request.payload);
    }
    return std::nullopt;
}

} // namespace ohmora::rtf
