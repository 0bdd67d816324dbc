#include "richtext/QtFormats.h"
#include "richtext/TextDocumentAdapter.h"

#include <QBuffer>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QImageReader>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>
#include <QUrl>

#include <cmath>
#include <unordered_map>

namespace ohmora::rtf {

namespace {

constexpr int kMaxFrameNesting = 16;

class Extractor {
public:
    explicit Extractor(const QTextDocument& document);
    Document run();

private:
    const CharFormat& charFormat(int index);
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
    // Conversions by the document's own format numbers: a document has few
    // formats and many fragments.
    QList<QTextFormat> formats_;
    std::unordered_map<int, CharFormat> charFormats_;
    std::unordered_map<int, ParagraphFormat> paragraphFormats_;
};

Extractor::Extractor(const QTextDocument& document)
    : document_(document), formats_(document.allFormats()) {
    const QFont font = document.defaultFont();
    defaultFamily_ = font.family();
    if (font.pointSizeF() > 0) {
        defaultPoints_ = font.pointSizeF();
    }
}

const CharFormat& Extractor::charFormat(int index) {
    const auto found = charFormats_.find(index);
    if (found != charFormats_.end()) {
        return found->second;
    }
    const QTextCharFormat q = formats_.value(index).toCharFormat();
    CharFormat f = modelCharFormat(q, defaultPoints_);
    const QStringList families = q.fontFamilies().toStringList();
    f.font =
        font(families.isEmpty() || families.front().isEmpty() ? defaultFamily_ : families.front());
    return charFormats_.emplace(index, f).first->second;
}

const ParagraphFormat& Extractor::paragraphFormat(int index) {
    const auto found = paragraphFormats_.find(index);
    if (found != paragraphFormats_.end()) {
        return found->second;
    }
    return paragraphFormats_
        .emplace(index, modelParagraphFormat(formats_.value(index).toBlockFormat()))
        .first->second;
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
    model_.fonts.push_back(family.toStdU16String());
    fontIndex_.insert(family, index);
    return index;
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

void addText(Paragraph& p, const CharFormat& format, const QString& text) {
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
}

Paragraph Extractor::paragraph(const QTextBlock& block) {
    Paragraph p;
    p.format = paragraphFormat(block.blockFormatIndex());
    p.mark = charFormat(block.charFormatIndex());
    addText(p, p.mark, listPrefix(block));
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
            addText(p, format, text);
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

std::vector<int> columnWidths(const QTextTable* t) {
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
            widths.push_back(
                static_cast<int>(std::lround(length.rawValue() * kDefaultTableTwips / 100)));
        } else {
            widths.push_back(kDefaultTableTwips / std::max(1, columns));
        }
    }
    return widths;
}

Table Extractor::table(const QTextTable* t) {
    Table model;
    const std::vector<int> widths = columnWidths(t);
    for (int r = 0; r < t->rows(); ++r) {
        Row row;
        row.cellWidthsTwips = widths;
        for (int c = 0; c < t->columns(); ++c) {
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
    image.widthTwips =
        format.width() > 0 ? toTwips(format.width()) : image.pixelWidth * kTwipsPerPixel;
    image.heightTwips =
        format.height() > 0 ? toTwips(format.height()) : image.pixelHeight * kTwipsPerPixel;
    return model_.addImage(std::move(image));
}

} // namespace

Document extractTextDocument(const QTextDocument& document) {
    return Extractor(document).run();
}

} // namespace ohmora::rtf
