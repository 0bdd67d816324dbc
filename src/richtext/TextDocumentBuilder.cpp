#include "richtext/QtFormats.h"
#include "richtext/TextDocumentAdapter.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QUrl>

#include <algorithm>
#include <functional>
#include <numeric>
#include <unordered_map>

namespace ohmora::rtf {

namespace {

constexpr int kPlaceholderWidth = 64;
constexpr int kPlaceholderHeight = 48;

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
    return formats_.emplace(f, qtCharFormat(f, model_.fonts)).first->second;
}

const QTextBlockFormat& Builder::blockFormat(const ParagraphFormat& f) {
    const auto found = blockFormats_.find(f);
    if (found != blockFormats_.end()) {
        return found->second;
    }
    return blockFormats_.emplace(f, qtBlockFormat(f)).first->second;
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
        q.setWidth(toPixels(image.widthTwips));
        q.setHeight(toPixels(image.heightTwips));
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

QTextTableFormat tableFormat(const Table& t, std::size_t columns) {
    const Row* widest = nullptr;
    for (const Row& row : t.rows) {
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
    return format;
}

void Builder::table(const Table& t) {
    std::size_t columns = 1;
    for (const Row& row : t.rows) {
        columns = std::max(columns, row.cells.size());
    }
    QTextTable* table = cursor_.insertTable(static_cast<int>(t.rows.size()),
                                            static_cast<int>(columns), tableFormat(t, columns));
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

} // namespace

void buildTextDocument(const Document& model, QTextDocument& document) {
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    document.clear();
    Builder(model, document).run();
    document.setUndoRedoEnabled(undo);
    document.setModified(false);
}

} // namespace ohmora::rtf
