#pragma once
// A picture area as the windows of this program know it: a persistent image
// drawn with a current text position, a fore colour, a pen width, a fill
// style and a font, and a background image that a clear restores. The
// drawings are written in the coordinates of that model, its pixels.
//
// At scale 1 the primitives keep the model's pixel rules: a one-pixel line
// leaves out its last pixel, outline and filled boxes cover both corners,
// nothing is antialiased. At any other scale, and on any painter (an SVG
// file, a printed page), the same calls draw the same shapes anew at the
// device's resolution: every pixel of the model becomes the square it
// covers, lines and curves are stroked smoothly along the pixels' centres,
// text is drawn as text, never an enlarged bitmap.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPointF>
#include <QRect>
#include <QString>

#include <memory>
#include <vector>

class QPainter;
class QLineF;
class QRectF;

namespace ohmora {

enum class FillStyle { Transparent, Solid };
// Construction lines are dashed: four pixels drawn, three left out.
enum class LineStyle { Solid, Dashed };
inline constexpr int kDashOn = 4;
inline constexpr int kDashOff = 3;

// Rounds a picture coordinate held as a real number to its pixel: halves go
// up, as the text position of a picture area is rounded when drawing.
int toPixel(double v);

// Pixel height of a font size in points on a 96-DPI screen (8 and 8.25 give
// 11, 10 gives 13, 12 gives 16).
int fontPixelSize(double points);

// The font of a picture area: name, size in points, bold and italic, with
// antialiasing off so that every glyph pixel is reproducible.
QFont pictureFont(const QString& name, double points, bool bold = false, bool italic = false);

class PictureArea {
public:
    // A persistent picture of width × height pixels, drawn pixel for pixel.
    PictureArea(int width, int height, QColor backColor = Qt::white);
    // The same picture at `scale` device pixels to one of its pixels: its
    // image is the picture drawn anew at that resolution (scale 1 is the
    // picture above).
    PictureArea(int width, int height, QColor backColor, double scale);
    // Drawing over a copy of `image`, a picture of width × height pixels
    // at `scale` (such as another area's image).
    PictureArea(const QImage& image, int width, int height, double scale);
    // Drawing on `painter`, whose transform takes the picture's pixels to
    // where they go (an SVG generator, a printed page); the drawing stays
    // within the picture's bounds. There is no image: a clear paints the
    // back colour and a frozen background is not kept.
    PictureArea(QPainter& painter, int width, int height, QColor backColor = Qt::white);
    ~PictureArea();
    PictureArea(const PictureArea&) = delete;
    PictureArea& operator=(const PictureArea&) = delete;

    // The picture's size in its own pixels, whatever the scale.
    int width() const { return width_; }
    int height() const { return height_; }
    double scale() const { return scale_; }
    // The primitives follow the model's pixel rules (a persistent picture
    // at scale 1).
    bool pixelExact() const { return mode_ == Mode::Pixels; }

    // The persistent image, with everything drawn so far: width × height
    // pixels at 96 DPI, or scaled with its resolution (96 DPI × scale), so
    // that it keeps its size on paper. Null when drawing on a painter.
    const QImage& image() const;

    QColor backColor() const { return backColor_; }
    void setBackColor(QColor c) { backColor_ = c; }

    // Restores the frozen background image, or fills with the back colour;
    // the text position returns to (0, 0).
    void cls();
    // The current image becomes the background that every clear restores.
    void freezeBackground();
    void removeBackground();
    bool hasBackground() const { return !background_.isNull(); }

    double currentX() const { return currentX_; }
    double currentY() const { return currentY_; }
    void setCurrentX(double x) { currentX_ = x, italicOverhang_ = 0; }
    void setCurrentY(double y) { currentY_ = y; }
    void setCurrentPosition(double x, double y) {
        currentX_ = x, currentY_ = y, italicOverhang_ = 0;
    }

    QColor foreColor() const { return foreColor_; }
    void setForeColor(QColor c) { foreColor_ = c; }
    int drawWidth() const { return drawWidth_; }
    void setDrawWidth(int w) { drawWidth_ = w < 1 ? 1 : w; }
    FillStyle fillStyle() const { return fillStyle_; }
    void setFillStyle(FillStyle s) { fillStyle_ = s; }
    QColor fillColor() const { return fillColor_; }
    void setFillColor(QColor c) { fillColor_ = c; }
    LineStyle lineStyle() const { return lineStyle_; }
    void setLineStyle(LineStyle s) { lineStyle_ = s; }

    // Drawing stays within `clip` (the picture's pixels, both edges
    // included) until the clip is cleared.
    void setClip(const QRect& clip);
    void clearClip() { setClip(QRect()); }

    QString fontName() const { return fontName_; }
    void setFontName(const QString& name);
    double fontSize() const { return fontSize_; }
    void setFontSize(double points);
    bool fontBold() const { return bold_; }
    void setFontBold(bool on);
    bool fontItalic() const { return italic_; }
    void setFontItalic(bool on);
    // All four font settings at once, as each drawing starts with them.
    void setFont(const QString& name, double points, bool bold, bool italic);
    const QFont& font() const { return font_; }

    // Lines in the fore colour or the colour given. At pen width 1 the last
    // pixel is left out; wider pens have round ends and cover both points.
    // The current position moves to the end point.
    void line(int x1, int y1, int x2, int y2);
    void line(int x1, int y1, int x2, int y2, QColor c);
    // The whole picture shaded from `top` at its first row to `bottom` at
    // row `height`: row y has top + (bottom - top) × y / height, each
    // component rounded. At other scales a smooth gradient.
    void verticalGradient(QColor top, QColor bottom);
    // A line of the current pen between positions held more finely than
    // pixels (the pixel a position rounds to is the one the line(s) above
    // take): at scale 1 the line between the rounded positions, at others
    // the exact one. A point when both ends are the same.
    void exactLine(double x1, double y1, double x2, double y2, QColor c);
    void exactPoint(double x, double y, QColor c);
    // The lines through `points` in turn, joined, as one stroke (a point
    // when there is one): the curves of the finer resolutions, where
    // thousands of segments of a recording are one path.
    void exactPolyline(const std::vector<QPointF>& points, QColor c);
    // Outline of the rectangle with both corners included.
    void box(int x1, int y1, int x2, int y2);
    void box(int x1, int y1, int x2, int y2, QColor c);
    // Solid rectangle covering both corners.
    void filledBox(int x1, int y1, int x2, int y2, QColor c);
    void pset(int x, int y);
    void pset(int x, int y, QColor c);
    // Outline in the fore colour (or the colour given); filled with the fill
    // colour when the fill style is solid.
    void circle(int cx, int cy, int radius);
    void circle(int cx, int cy, int radius, QColor c);
    // Elliptic arc: horizontal radius `radius`, vertical radius radius ×
    // aspect, from angle `start` to `end` in radians, counterclockwise on
    // the screen from the direction of +x.
    void arc(int cx, int cy, int radius, double start, double end, double aspect);
    void arc(int cx, int cy, int radius, double start, double end, double aspect, QColor c);

    // Draws the text in the fore colour with its top-left corner at the
    // current position and moves the position right by the text's width.
    // Upright text that follows italic text on the same line starts after
    // the italic text's last glyph, where that glyph leans beyond its
    // advance: a subscript never runs into its symbol.
    void print(const QString& text);
    int textWidth(const QString& text) const;
    int textHeight(const QString& text = QString()) const;

private:
    enum class Mode { Pixels, Scaled, Painter };

    QPainter& painter();
    void endPainting() const;
    void updateFont();
    bool clipped(int x, int y) const;
    void plotPixel(int x, int y, QRgb c);
    void stamp(int x, int y, QRgb c);
    void thinLine(int x1, int y1, int x2, int y2, QRgb c, bool lastPixel);
    void wideLine(int x1, int y1, int x2, int y2, QRgb c);
    void horizontalSpan(int x1, int x2, int y, QRgb c);

    // The same primitives at any resolution (PictureAreaVector.cpp), in the
    // picture's pixels.
    QRectF drawingBounds() const;
    void fillSquares(const QRectF& area, QColor c);
    void strokeLine(const QLineF& line, QColor c, double width, bool roundEnds);
    void strokePolyline(const std::vector<QPointF>& points, QColor c);
    void vectorLine(int x1, int y1, int x2, int y2, QColor c);
    void vectorBox(int x1, int y1, int x2, int y2, QColor c);
    void vectorPoint(int x, int y, QColor c);
    void vectorCircle(int cx, int cy, int radius, QColor c);
    void vectorArc(double cx, double cy, double a, double b, double start, double end, QColor c);
    void vectorGradient(QColor top, QColor bottom);
    void vectorText(const QString& text, double x, double baseline);
    void vectorClear();

    Mode mode_ = Mode::Pixels;
    int width_ = 0, height_ = 0;
    double scale_ = 1;
    mutable QImage image_;
    QImage background_;
    QColor backColor_;
    double currentX_ = 0, currentY_ = 0;
    int italicOverhang_ = 0; // how far the last italic glyph printed leans past the position
    QColor foreColor_ = Qt::black;
    int drawWidth_ = 1;
    FillStyle fillStyle_ = FillStyle::Transparent;
    QColor fillColor_ = Qt::black;
    LineStyle lineStyle_ = LineStyle::Solid;
    QRect clip_; // null: the whole picture
    QString fontName_ = QStringLiteral("Arial");
    double fontSize_ = 8.25;
    bool bold_ = false, italic_ = false;
    QFont font_;
    mutable std::unique_ptr<QPainter> painter_; // on image_
    QPainter* external_ = nullptr;              // the painter drawn on, in Painter mode
};

} // namespace ohmora
