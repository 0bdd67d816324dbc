#include "TextDocumentAdapter.h"

#include <QBuffer>
#include <QColor>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>
#include <QUrl>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numeric>
#include <unordered_map>

namespace ohmora::rtf {

namespace {

constexpr double kTwipsPerPixel = 15.0;
constexpr int kPlaceholderWidth = 64;
constexpr int kPlaceholderHeight = 48;
constexpr int kMaxFrameNesting = 16;
// A table of the text area with no widths of its own is as wide as a page's text.
constexpr int kTableTwips = 9000;
// The column widths of a table as the file gave them, in twips.
constexpr int kColumnTwipsProperty = QTextFormat::UserProperty + 1;

QString toQString(const std::u16string& text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

std::u16string toU16(const QString& text) {
    return text.toStdU16String();
}

int toTwips(double pixels) {
    return static_cast<int>(std::lround(pixels * kTwipsPerPixel));
}

QColor toQColor(std::uint32_t rgb) {
    return QColor(static_cast<int>(rgb >> 16 & 0xFF), static_cast<int>(rgb >> 8 & 0xFF),
                  static_cast<int>(rgb & 0xFF));
}

std::uint32_t toRgb(const QColor& colour) {
    return static_cast<std::uint32_t>(colour.red()) << 16 |
           static_cast<std::uint32_t>(colour.green()) << 8 |
           static_cast<std::uint32_t>(colour.blue());
}

struct CharFormatHash {
    std::size_t operator()(const CharFormat& f) const {
        std::size_t h = std::hash<int>()(f.font);
        const auto mix = [&h](std::size_t v) { h = h * 1000003u ^ v; };
        mix(static_cast<std::size_t>(f.halfPoints));
        mix(static_cast<std::size_t>(f.bold) | static_cast<std::size_t>(f.italic) << 1 |
            static_cast<std::size_t>(f.underline) << 2 | static_cast<std::size_t>(f.strike) << 3 |
            static_cast<std::size_t>(f.vertical) << 4 | static_cast<std::size_t>(f.capitals) << 6);
        mix(static_cast<std::size_t>(f.offsetHalfPoints));
        mix(f.foreground);
        mix(f.background);
        return h;
    }
};

struct ParagraphFormatHash {
    std::size_t operator()(const ParagraphFormat& f) const {
        std::size_t h =
            static_cast<std::size_t>(f.alignment) | static_cast<std::size_t>(f.lineMultiple) << 2;
        for (const int v : {f.leftTwips, f.rightTwips, f.firstLineTwips, f.spaceBeforeTwips,
                            f.spaceAfterTwips, f.lineSpacing}) {
            h = h * 1000003u ^ static_cast<std::size_t>(v);
        }
        return h;
    }
};

// ---------------------------------------------------------------- building

class Builder {
public:
    Builder(const Document& model, QTextDocument& document)
        : model_(model), document_(document), cursor_(&document) {}
    void run();

private:
    const QTextCharFormat& charFormat(const CharFormat& format);
    const QTextBlockFormat& blockFormat(const ParagraphFormat& format);
    void paragraph(QTextCursor& cursor, const Paragraph& paragraph, bool newBlock);
    void table(const Table& table);
    QTextImageFormat imageFormat(int index, const CharFormat& format);

    const Document& model_;
    QTextDocument& document_;
    QTextCursor cursor_;
    std::unordered_map<CharFormat, QTextCharFormat, CharFormatHash> formats_;
    std::unordered_map<ParagraphFormat, QTextBlockFormat, ParagraphFormatHash> blockFormats_;
    std::vector<QString> imageNames_;
    QImage placeholder_;
};

void Builder::run() {
    imageNames_.resize(model_.images.size());
    cursor_.beginEditBlock();
    bool reuseBlock = true; // the cursor stands in an empty block that takes the next paragraph
    for (const Block& block : model_.blocks) {
        if (const auto* p = std::get_if<Paragraph>(&block)) {
            paragraph(cursor_, *p, !reuseBlock);
            reuseBlock = false;
        } else {
            table(std::get<Table>(block));
            reuseBlock = true;
        }
    }
    cursor_.endEditBlock();
}

const QTextCharFormat& Builder::charFormat(const CharFormat& f) {
    const auto found = formats_.find(f);
    if (found != formats_.end()) {
        return found->second;
    }
    QTextCharFormat q;
    if (f.font >= 0 && static_cast<std::size_t>(f.font) < model_.fonts.size()) {
        q.setFontFamilies({toQString(model_.fonts[static_cast<std::size_t>(f.font)])});
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
    return formats_.emplace(f, q).first->second;
}

const QTextBlockFormat& Builder::blockFormat(const ParagraphFormat& f) {
    const auto found = blockFormats_.find(f);
    if (found != blockFormats_.end()) {
        return found->second;
    }
    QTextBlockFormat q;
    switch (f.alignment) {
    case Alignment::Left:
        q.setAlignment(Qt::AlignLeft);
        break;
    case Alignment::Centre:
        q.setAlignment(Qt::AlignHCenter);
        break;
    case Alignment::Right:
        q.setAlignment(Qt::AlignRight);
        break;
    case Alignment::Justify:
        q.setAlignment(Qt::AlignJustify);
        break;
    }
    q.setLeftMargin(f.leftTwips / kTwipsPerPixel);
    q.setRightMargin(f.rightTwips / kTwipsPerPixel);
    q.setTextIndent(f.firstLineTwips / kTwipsPerPixel);
    if (f.firstLineTwips < 0) {
        // Word processors put a tab stop at a hanging indent, where the text
        // of a list item starts after its bullet and tab.
        q.setTabPositions(
            {QTextOption::Tab(-f.firstLineTwips / kTwipsPerPixel, QTextOption::LeftTab)});
    }
    q.setTopMargin(f.spaceBeforeTwips / kTwipsPerPixel);
    q.setBottomMargin(f.spaceAfterTwips / kTwipsPerPixel);
    if (f.lineSpacing > 0 && f.lineMultiple) {
        q.setLineHeight(f.lineSpacing / 2.4, QTextBlockFormat::ProportionalHeight);
    } else if (f.lineSpacing > 0) {
        q.setLineHeight(f.lineSpacing / kTwipsPerPixel, QTextBlockFormat::MinimumHeight);
    } else if (f.lineSpacing < 0) {
        q.setLineHeight(-f.lineSpacing / kTwipsPerPixel, QTextBlockFormat::FixedHeight);
    }
    return blockFormats_.emplace(f, q).first->second;
}

// A picture the document cannot show (a metafile, damaged data) keeps its
// place as a framed grey box with a cross, drawn small once and stretched to
// the picture's size where it is shown.
QImage placeholder() {
    QImage picture(kPlaceholderWidth, kPlaceholderHeight, QImage::Format_RGB32);
    picture.fill(QColor(224, 224, 224));
    QPainter painter(&picture);
    painter.setPen(QColor(128, 128, 128));
    const QRect frame = picture.rect().adjusted(0, 0, -1, -1);
    painter.drawRect(frame);
    painter.drawLine(frame.topLeft(), frame.bottomRight());
    painter.drawLine(frame.topRight(), frame.bottomLeft());
    return picture;
}

QTextImageFormat Builder::imageFormat(int index, const CharFormat& format) {
    const Image& image = model_.images[static_cast<std::size_t>(index)];
    QString& name = imageNames_[static_cast<std::size_t>(index)];
    if (name.isEmpty()) {
        name = QStringLiteral("rtfimage:%1").arg(index + 1);
        QByteArray bytes = QByteArray::fromStdString(image.data);
        QBuffer buffer(&bytes);
        QImageReader reader(&buffer);
        const bool readable = (image.kind == ImageKind::Png || image.kind == ImageKind::Jpeg) &&
                              reader.canRead() && reader.size().isValid();
        if (readable) {
            document_.addResource(QTextDocument::ImageResource, QUrl(name), bytes);
        } else {
            if (placeholder_.isNull()) {
                placeholder_ = placeholder();
            }
            document_.addResource(QTextDocument::ImageResource, QUrl(name), placeholder_);
        }
    }
    QTextImageFormat q;
    q.merge(charFormat(format));
    q.setName(name);
    if (image.widthTwips > 0 && image.heightTwips > 0) {
        q.setWidth(image.widthTwips / kTwipsPerPixel);
        q.setHeight(image.heightTwips / kTwipsPerPixel);
    }
    return q;
}

void Builder::paragraph(QTextCursor& cursor, const Paragraph& p, bool newBlock) {
    if (newBlock) {
        cursor.insertBlock(blockFormat(p.format), charFormat(p.mark));
    } else {
        cursor.setBlockFormat(blockFormat(p.format));
        cursor.setBlockCharFormat(charFormat(p.mark));
    }
    for (const Span& span : p.spans) {
        if (span.image >= 0 && static_cast<std::size_t>(span.image) < model_.images.size()) {
            cursor.insertImage(imageFormat(span.image, span.format));
        } else if (!span.text.empty()) {
            cursor.insertText(toQString(span.text), charFormat(span.format));
        }
    }
}

void Builder::table(const Table& t) {
    std::size_t columns = 1;
    const Row* widest = nullptr;
    for (const Row& row : t.rows) {
        columns = std::max(columns, row.cells.size());
        if (!widest || row.cells.size() > widest->cells.size()) {
            widest = &row;
        }
    }
    QTextTableFormat format;
    format.setBorder(1);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setBorderCollapse(true);
    format.setCellPadding(4);
    format.setCellSpacing(0);
    if (widest && widest->cellWidthsTwips.size() == columns &&
        std::all_of(widest->cellWidthsTwips.begin(), widest->cellWidthsTwips.end(),
                    [](int w) { return w > 0; })) {
        // The columns share the width of the text area as they share the
        // row's; the widths of the file are kept for writing it back.
        const double total =
            std::accumulate(widest->cellWidthsTwips.begin(), widest->cellWidthsTwips.end(), 0.0);
        QList<QTextLength> widths;
        QVariantList twips;
        for (const int w : widest->cellWidthsTwips) {
            widths.append(QTextLength(QTextLength::PercentageLength, w / total * 100.0));
            twips.append(w);
        }
        format.setColumnWidthConstraints(widths);
        format.setProperty(kColumnTwipsProperty, twips);
    }
    QTextTable* table =
        cursor_.insertTable(static_cast<int>(t.rows.size()), static_cast<int>(columns), format);
    for (std::size_t r = 0; r < t.rows.size(); ++r) {
        const Row& row = t.rows[r];
        for (std::size_t c = 0; c < row.cells.size(); ++c) {
            QTextCursor cursor =
                table->cellAt(static_cast<int>(r), static_cast<int>(c)).firstCursorPosition();
            bool newBlock = false;
            for (const Paragraph& p : row.cells[c].paragraphs) {
                paragraph(cursor, p, newBlock);
                newBlock = true;
            }
        }
    }
    cursor_ = table->lastCursorPosition();
    cursor_.movePosition(QTextCursor::NextBlock);
}

// ---------------------------------------------------------------- extracting

class Extractor {
public:
    explicit Extractor(const QTextDocument& document);
    Document run();

private:
    CharFormat charFormat(const QTextCharFormat& format);
    const CharFormat& charFormat(int index);
    static ParagraphFormat paragraphFormat(const QTextBlockFormat& format);
    const ParagraphFormat& paragraphFormat(int index);
    Paragraph paragraph(const QTextBlock& block);
    void frameParagraphs(const QTextFrame* frame, std::vector<Paragraph>& out, int depth);
    Table table(const QTextTable* table);
    int image(const QTextImageFormat& format);
    int font(const QString& family);

    const QTextDocument& document_;
    QString defaultFamily_;
    double defaultPoints_ = 12.0;
    Document model_;
    QHash<QString, int> fontIndex_;
    struct DecodedImage {
        std::string png;
        QSize size;
    };
    QHash<QString, DecodedImage> decodedImages_;
    std::unordered_multimap<std::size_t, int> imagesByHash_;
    // Conversions by the document's own format numbers: a document has few
    // formats and many fragments.
    QList<QTextFormat> formats_;
    std::unordered_map<int, CharFormat> charFormats_;
    std::unordered_map<int, ParagraphFormat> paragraphFormats_;
};

const CharFormat& Extractor::charFormat(int index) {
    const auto found = charFormats_.find(index);
    if (found != charFormats_.end()) {
        return found->second;
    }
    return charFormats_.emplace(index, charFormat(formats_.value(index).toCharFormat()))
        .first->second;
}

const ParagraphFormat& Extractor::paragraphFormat(int index) {
    const auto found = paragraphFormats_.find(index);
    if (found != paragraphFormats_.end()) {
        return found->second;
    }
    return paragraphFormats_.emplace(index, paragraphFormat(formats_.value(index).toBlockFormat()))
        .first->second;
}

Extractor::Extractor(const QTextDocument& document)
    : document_(document), formats_(document.allFormats()) {
    const QFont font = document.defaultFont();
    defaultFamily_ = font.family();
    if (font.pointSizeF() > 0) {
        defaultPoints_ = font.pointSizeF();
    }
}

Document Extractor::run() {
    const QTextFrame* root = document_.rootFrame();
    auto it = root->begin();
    // A document that starts with a table still has an empty block before
    // it, which no file holds.
    if (auto next = it; !it.atEnd() && it.currentBlock().length() == 1 && !(++next).atEnd() &&
                        qobject_cast<const QTextTable*>(next.currentFrame())) {
        it = next;
    }
    for (; !it.atEnd(); ++it) {
        if (const QTextFrame* frame = it.currentFrame()) {
            if (const auto* t = qobject_cast<const QTextTable*>(frame)) {
                model_.blocks.emplace_back(table(t));
            } else {
                std::vector<Paragraph> paragraphs;
                frameParagraphs(frame, paragraphs, 0);
                for (Paragraph& p : paragraphs) {
                    model_.blocks.emplace_back(std::move(p));
                }
            }
        } else {
            model_.blocks.emplace_back(paragraph(it.currentBlock()));
        }
    }
    return std::move(model_);
}

int Extractor::font(const QString& family) {
    const auto found = fontIndex_.constFind(family);
    if (found != fontIndex_.constEnd()) {
        return found.value();
    }
    const int index = static_cast<int>(model_.fonts.size());
    model_.fonts.push_back(toU16(family));
    fontIndex_.insert(family, index);
    return index;
}

CharFormat Extractor::charFormat(const QTextCharFormat& q) {
    CharFormat f;
    const QStringList families = q.fontFamilies().toStringList();
    f.font =
        font(families.isEmpty() || families.front().isEmpty() ? defaultFamily_ : families.front());
    const double points = q.hasProperty(QTextFormat::FontPointSize) && q.fontPointSize() > 0
                              ? q.fontPointSize()
                              : defaultPoints_;
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

ParagraphFormat Extractor::paragraphFormat(const QTextBlockFormat& q) {
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
        f.lineSpacing = static_cast<int>(std::lround(q.lineHeight() * 2.4));
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
    return f;
}

QString listPrefix(const QTextBlock& block) {
    const QTextList* list = block.textList();
    if (!list) {
        return {};
    }
    switch (list->format().style()) {
    case QTextListFormat::ListDisc:
        return QStringLiteral("\u2022\t");
    case QTextListFormat::ListCircle:
        return QStringLiteral("\u25E6\t");
    case QTextListFormat::ListSquare:
        return QStringLiteral("\u25AA\t");
    default:
        return list->itemText(block) + QLatin1Char('\t');
    }
}

Paragraph Extractor::paragraph(const QTextBlock& block) {
    Paragraph p;
    p.format = paragraphFormat(block.blockFormatIndex());
    p.mark = charFormat(block.charFormatIndex());
    const auto addText = [&p](const CharFormat& format, const QString& text) {
        std::u16string clean;
        clean.reserve(static_cast<std::size_t>(text.size()));
        for (const QChar c : text) {
            const char16_t u = c.unicode();
            if ((u >= 0x20 || u == u'\t') && u != 0xFFFC && u != 0x2029) {
                clean.push_back(u);
            }
        }
        if (clean.empty()) {
            return;
        }
        if (!p.spans.empty() && p.spans.back().image < 0 && p.spans.back().format == format) {
            p.spans.back().text += clean;
        } else {
            p.spans.push_back(Span{format, std::move(clean), -1});
        }
    };
    addText(p.mark, listPrefix(block));
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const CharFormat& format = charFormat(fragment.charFormatIndex());
        const QString text = fragment.text();
        if (text.front() == QChar::ObjectReplacementCharacter &&
            fragment.charFormat().isImageFormat()) {
            const int index = image(fragment.charFormat().toImageFormat());
            for (qsizetype i = 0; index >= 0 && i < text.size(); ++i) {
                p.spans.push_back(Span{format, {}, index});
            }
        } else {
            addText(format, text);
        }
    }
    return p;
}

void Extractor::frameParagraphs(const QTextFrame* frame, std::vector<Paragraph>& out, int depth) {
    for (auto it = frame->begin(); !it.atEnd(); ++it) {
        if (const QTextFrame* inner = it.currentFrame()) {
            if (depth < kMaxFrameNesting) {
                frameParagraphs(inner, out, depth + 1);
            }
        } else {
            out.push_back(paragraph(it.currentBlock()));
        }
    }
}

Table Extractor::table(const QTextTable* t) {
    Table model;
    const int columns = t->columns();
    std::vector<int> widths;
    const QList<QTextLength> constraints = t->format().columnWidthConstraints();
    const QVariantList twips = t->format().property(kColumnTwipsProperty).toList();
    for (int c = 0; c < columns; ++c) {
        const QTextLength length = c < constraints.size() ? constraints[c] : QTextLength();
        if (twips.size() == columns) {
            widths.push_back(twips[c].toInt());
        } else if (length.type() == QTextLength::FixedLength) {
            widths.push_back(toTwips(length.rawValue()));
        } else if (length.type() == QTextLength::PercentageLength) {
            widths.push_back(static_cast<int>(std::lround(length.rawValue() * kTableTwips / 100)));
        } else {
            widths.push_back(kTableTwips / std::max(1, columns));
        }
    }
    for (int r = 0; r < t->rows(); ++r) {
        Row row;
        row.cellWidthsTwips = widths;
        for (int c = 0; c < columns; ++c) {
            Cell cell;
            const QTextTableCell qcell = t->cellAt(r, c);
            for (auto it = qcell.begin(); !it.atEnd(); ++it) {
                if (const QTextFrame* inner = it.currentFrame()) {
                    frameParagraphs(inner, cell.paragraphs, 1);
                } else {
                    cell.paragraphs.push_back(paragraph(it.currentBlock()));
                }
            }
            row.cells.push_back(std::move(cell));
        }
        model.rows.push_back(std::move(row));
    }
    return model;
}

QByteArray pngBytes(const QVariant& resource, QSize& size) {
    QByteArray bytes;
    if (resource.userType() == QMetaType::QByteArray) {
        bytes = resource.toByteArray();
        QBuffer buffer(&bytes);
        QImageReader reader(&buffer);
        size = reader.size();
        if (bytes.startsWith("\x89PNG\r\n\x1a\n") && size.isValid()) {
            return bytes;
        }
    }
    QImage image = resource.userType() == QMetaType::QByteArray ? QImage::fromData(bytes)
                                                                : resource.value<QImage>();
    if (image.isNull()) {
        return {};
    }
    size = image.size();
    QByteArray png;
    QBuffer out(&png);
    out.open(QIODevice::WriteOnly);
    image.save(&out, "PNG");
    return png;
}

int Extractor::image(const QTextImageFormat& format) {
    auto decoded = decodedImages_.constFind(format.name());
    if (decoded == decodedImages_.constEnd()) {
        DecodedImage picture;
        picture.png =
            pngBytes(document_.resource(QTextDocument::ImageResource, QUrl(format.name())),
                     picture.size)
                .toStdString();
        decoded = decodedImages_.insert(format.name(), picture);
    }
    if (decoded->png.empty()) {
        return -1;
    }
    Image image;
    image.kind = ImageKind::Png;
    image.data = decoded->png;
    image.pixelWidth = decoded->size.width();
    image.pixelHeight = decoded->size.height();
    image.widthTwips = format.width() > 0 ? toTwips(format.width()) : image.pixelWidth * 15;
    image.heightTwips = format.height() > 0 ? toTwips(format.height()) : image.pixelHeight * 15;
    // A picture shown several times at one size is kept once, as the reader keeps it.
    const std::size_t hash = std::hash<std::string_view>()(image.data);
    const auto [first, last] = imagesByHash_.equal_range(hash);
    for (auto it = first; it != last; ++it) {
        if (model_.images[static_cast<std::size_t>(it->second)] == image) {
            return it->second;
        }
    }
    const int index = static_cast<int>(model_.images.size());
    model_.images.push_back(std::move(image));
    imagesByHash_.emplace(hash, index);
    return index;
}

} // namespace

void buildTextDocument(const Document& model, QTextDocument& document) {
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    document.clear();
    Builder(model, document).run();
    document.setUndoRedoEnabled(undo);
    document.setModified(false);
}

Document extractTextDocument(const QTextDocument& document) {
    return Extractor(document).run();
}

} // namespace ohmora::rtf
