#include "richtext/QtFormats.h"

#include "richtext/DocumentResources.h"

#include <QFont>
#include <QTextOption>

#include <algorithm>
#include <cmath>

namespace ohmora::rtf {

namespace {

// Line spacing as a multiple: 240 is one line, 100 %.
constexpr double kMultiplePerPercent = 2.4;

QColor toQColor(std::uint32_t rgb) {
    return QColor(static_cast<int>(rgb >> 16 & 0xFF), static_cast<int>(rgb >> 8 & 0xFF),
                  static_cast<int>(rgb & 0xFF));
}

std::uint32_t toRgb(const QColor& colour) {
    return static_cast<std::uint32_t>(colour.red()) << 16 |
           static_cast<std::uint32_t>(colour.green()) << 8 |
           static_cast<std::uint32_t>(colour.blue());
}

Qt::Alignment qtAlignment(Alignment alignment) {
    switch (alignment) {
    case Alignment::Centre:
        return Qt::AlignHCenter;
    case Alignment::Right:
        return Qt::AlignRight;
    case Alignment::Justify:
        return Qt::AlignJustify;
    case Alignment::Left:
        break;
    }
    return Qt::AlignLeft;
}

} // namespace

QString toQString(const std::u16string& text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

int toTwips(double pixels) {
    return static_cast<int>(std::lround(pixels * kTwipsPerPixel));
}

double toPixels(int twips) {
    return twips / static_cast<double>(kTwipsPerPixel);
}

QTextCharFormat qtCharFormat(const CharFormat& f, const std::vector<std::u16string>& fonts) {
    QTextCharFormat q;
    if (f.font >= 0 && static_cast<std::size_t>(f.font) < fonts.size()) {
        q.setFontFamilies({toQString(fonts[static_cast<std::size_t>(f.font)])});
    }
    const double points = f.halfPoints / 2.0;
    q.setFontPointSize(points);
    q.setFontWeight(f.bold ? QFont::Bold : QFont::Normal);
    q.setFontItalic(f.italic);
    q.setFontUnderline(f.underline);
    q.setFontStrikeOut(f.strike);
    q.setFontCapitalization(f.capitals == Capitals::All     ? QFont::AllUppercase
                            : f.capitals == Capitals::Small ? QFont::SmallCaps
                                                            : QFont::MixedCase);
    q.setVerticalAlignment(
        f.vertical == VerticalPosition::Superscript ? QTextCharFormat::AlignSuperScript
        : f.vertical == VerticalPosition::Subscript ? QTextCharFormat::AlignSubScript
                                                    : QTextCharFormat::AlignNormal);
    if (f.offsetHalfPoints != 0) {
        // The document states the offset in percent of the font size.
        q.setBaselineOffset(f.offsetHalfPoints / 2.0 / points * 100.0);
    }
    if (f.foreground != kNoColour) {
        q.setForeground(toQColor(f.foreground));
    }
    if (f.background != kNoColour) {
        q.setBackground(toQColor(f.background));
    }
    return q;
}

QTextBlockFormat qtBlockFormat(const ParagraphFormat& f) {
    QTextBlockFormat q;
    q.setAlignment(qtAlignment(f.alignment));
    q.setLeftMargin(toPixels(f.leftTwips));
    q.setRightMargin(toPixels(f.rightTwips));
    q.setTextIndent(toPixels(f.firstLineTwips));
    if (f.firstLineTwips < 0) {
        // Word processors put a tab stop at a hanging indent, where the text
        // of a list item starts after its bullet and tab.
        q.setTabPositions({QTextOption::Tab(toPixels(-f.firstLineTwips), QTextOption::LeftTab)});
    }
    q.setTopMargin(toPixels(f.spaceBeforeTwips));
    q.setBottomMargin(toPixels(f.spaceAfterTwips));
    if (f.lineSpacing > 0 && f.lineMultiple) {
        q.setLineHeight(f.lineSpacing / kMultiplePerPercent, QTextBlockFormat::ProportionalHeight);
    } else if (f.lineSpacing > 0) {
        q.setLineHeight(toPixels(f.lineSpacing), QTextBlockFormat::MinimumHeight);
    } else if (f.lineSpacing < 0) {
        q.setLineHeight(toPixels(-f.lineSpacing), QTextBlockFormat::FixedHeight);
    }
    return q;
}

CharFormat modelCharFormat(const QTextCharFormat& q, double defaultPoints) {
    CharFormat f;
    const double points = q.hasProperty(QTextFormat::FontPointSize) && q.fontPointSize() > 0
                              ? q.fontPointSize()
                              : defaultPoints;
    f.halfPoints = std::max(2, static_cast<int>(std::lround(points * 2)));
    f.bold = q.fontWeight() >= QFont::DemiBold;
    f.italic = q.fontItalic();
    f.underline = q.fontUnderline();
    f.strike = q.fontStrikeOut();
    f.capitals = q.fontCapitalization() == QFont::AllUppercase ? Capitals::All
                 : q.fontCapitalization() == QFont::SmallCaps  ? Capitals::Small
                                                               : Capitals::None;
    f.vertical =
        q.verticalAlignment() == QTextCharFormat::AlignSuperScript ? VerticalPosition::Superscript
        : q.verticalAlignment() == QTextCharFormat::AlignSubScript ? VerticalPosition::Subscript
                                                                   : VerticalPosition::Normal;
    f.offsetHalfPoints = static_cast<int>(std::lround(q.baselineOffset() / 100.0 * points * 2));
    if (q.hasProperty(QTextFormat::ForegroundBrush) && q.foreground().style() != Qt::NoBrush) {
        f.foreground = toRgb(q.foreground().color());
    }
    if (q.hasProperty(QTextFormat::BackgroundBrush) && q.background().style() != Qt::NoBrush) {
        f.background = toRgb(q.background().color());
    }
    return f;
}

ParagraphFormat modelParagraphFormat(const QTextBlockFormat& q) {
    ParagraphFormat f;
    const Qt::Alignment horizontal = q.alignment() & Qt::AlignHorizontal_Mask;
    f.alignment = horizontal & Qt::AlignHCenter   ? Alignment::Centre
                  : horizontal & Qt::AlignRight   ? Alignment::Right
                  : horizontal & Qt::AlignJustify ? Alignment::Justify
                                                  : Alignment::Left;
    f.leftTwips = toTwips(q.leftMargin());
    f.rightTwips = toTwips(q.rightMargin());
    f.firstLineTwips = toTwips(q.textIndent());
    f.spaceBeforeTwips = toTwips(q.topMargin());
    f.spaceAfterTwips = toTwips(q.bottomMargin());
    switch (q.lineHeightType()) {
    case QTextBlockFormat::ProportionalHeight:
        f.lineSpacing = static_cast<int>(std::lround(q.lineHeight() * kMultiplePerPercent));
        f.lineMultiple = true;
        break;
    case QTextBlockFormat::MinimumHeight:
        f.lineSpacing = toTwips(q.lineHeight());
        break;
    case QTextBlockFormat::FixedHeight:
        f.lineSpacing = -toTwips(q.lineHeight());
        break;
    default:
        break;
    }
    if (f.lineSpacing == 0) {
        f.lineMultiple = false;
    }
    // An exact spacing shown as the least a line takes, for a tall picture.
    if (const int exact = q.intProperty(kExactLineProperty);
        exact < 0 && q.lineHeightType() == QTextBlockFormat::MinimumHeight &&
        f.lineSpacing == -exact) {
        f.lineSpacing = exact;
    }
    return f;
}

} // namespace ohmora::rtf
