#include "richtext/DocumentResources.h"
#include "richtext/PictureBuilder.h"
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
#include <map>
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
    Paragraph paragraph(const QTextBlock& block, int* leadingMark = nullptr);
    void fragment(Paragraph& p, const QTextFragment& fragment, int* leadingMark);
    void frameParagraphs(const QTextFrame* frame, std::vector<Paragraph>& out, int depth);
    void notes(const QTextFrame* frame);
    Table table(const QTextTable* table);
    std::vector<int> columnWidths(const QTextTable* table) const;
    int image(const QTextImageFormat& format);
    int keptImage(const QString& name, const QTextImageFormat* shownAs);
    int object(const QString& name);
    int font(const QString& family);
    void renumberFootnotes();

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
    QHash<QString, int> objects_;
    // Footnotes by the number their marks show, in the order of the notes.
    std::map<int, Footnote> notes_;
    std::vector<int> markOrder_; // the numbers of the marks in the text, first ones first
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
    if (const int halfPoints = q.intProperty(kSmallCapitalsProperty); halfPoints > 0) {
        f.capitals = Capitals::Small;
        f.halfPoints = halfPoints;
    }
    if (const int halfPoints = q.intProperty(kTextSizeProperty); halfPoints > 0) {
        f.halfPoints = halfPoints;
    }
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
    bool afterNotes = false;
    for (; !it.atEnd(); ++it) {
        const QTextFrame* frame = it.currentFrame();
        if (!frame && afterNotes && it.currentBlock().length() == 1) {
            continue; // the empty block a document keeps after the footnotes' frame
        }
        afterNotes = false;
        if (!frame) {
            model_.blocks.emplace_back(paragraph(it.currentBlock()));
        } else if (const auto* t = qobject_cast<const QTextTable*>(frame)) {
            model_.blocks.emplace_back(table(t));
        } else if (frame->frameFormat().boolProperty(kNotesFrameProperty)) {
            notes(frame);
            afterNotes = true;
        } else {
            std::vector<Paragraph> paragraphs;
            frameParagraphs(frame, paragraphs, 0);
            for (Paragraph& p : paragraphs) {
                model_.blocks.emplace_back(std::move(p));
            }
        }
    }
    renumberFootnotes();
    // The notes' pictures were met after the text's, where a file has them
    // at their marks.
    model_.numberAsWritten();
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

// The text a span keeps of a fragment: no control character, no object
// or paragraph mark.
std::u16string printable(const QString& text) {
    std::u16string clean;
    clean.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= 0x20 || u == u'\t') && u != 0xFFFC && u != 0x2029) {
            clean.push_back(u);
        }
    }
    return clean;
}

void addText(Paragraph& p, const CharFormat& format, std::u16string clean, int object = -1) {
    if (clean.empty()) {
        return;
    }
    if (!p.spans.empty()) {
        Span& last = p.spans.back();
        if (last.image < 0 && last.footnote < 0 && last.object == object && last.format == format) {
            last.text += clean;
            return;
        }
    }
    Span span = textSpan(format, std::move(clean));
    span.object = object;
    p.spans.push_back(std::move(span));
}

Paragraph Extractor::paragraph(const QTextBlock& block, int* leadingMark) {
    Paragraph p;
    p.format = paragraphFormat(block.blockFormatIndex());
    p.mark = charFormat(block.charFormatIndex());
    addText(p, p.mark, printable(listPrefix(block)));
    if (leadingMark) {
        *leadingMark = 0;
    }
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        fragment(p, it.fragment(), p.spans.empty() ? leadingMark : nullptr);
    }
    return p;
}

void Extractor::fragment(Paragraph& p, const QTextFragment& fragment, int* leadingMark) {
    const CharFormat& format = charFormat(fragment.charFormatIndex());
    const QTextCharFormat q = fragment.charFormat();
    const QString text = fragment.text();
    const int objectType = q.objectType();
    if (text.front() == QChar::ObjectReplacementCharacter &&
        (objectType == QTextFormat::ImageObject || objectType == kDrawnPictureObject)) {
        const QTextImageFormat picture = q.toImageFormat();
        Span span = textSpan(format);
        span.image = image(picture);
        if (span.image < 0) {
            return; // nothing to show: neither its twin nor its object is kept
        }
        const QString fallback = q.stringProperty(kFallbackPictureProperty);
        span.fallbackImage = fallback.isEmpty() ? -1 : keptImage(fallback, nullptr);
        span.object = object(q.stringProperty(kObjectProperty));
        for (qsizetype i = 0; i < text.size(); ++i) {
            p.spans.push_back(span);
        }
    } else if (const int number = q.intProperty(kFootnoteProperty); number > 0) {
        if (leadingMark) {
            *leadingMark = number;
        }
        if (!q.boolProperty(kAddedMarkProperty)) {
            Span span = textSpan(format);
            span.footnote = number - 1; // renumbered once the whole text is read
            p.spans.push_back(span);
            markOrder_.push_back(number);
        }
    } else if (std::u16string clean = printable(text); !clean.empty()) {
        // An equation shown by its text alone is kept only with some text.
        addText(p, format, std::move(clean), object(q.stringProperty(kObjectProperty)));
    }
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

// The footnotes' frame: each note starts with a paragraph that starts with
// its mark; what comes before the first note belongs to none.
void Extractor::notes(const QTextFrame* frame) {
    Footnote* note = nullptr;
    for (auto it = frame->begin(); !it.atEnd(); ++it) {
        if (const auto* t = qobject_cast<const QTextTable*>(it.currentFrame())) {
            if (note) {
                note->blocks.emplace_back(table(t));
            }
            continue;
        }
        if (it.currentFrame() || it.currentBlock().blockFormat().boolProperty(kNotesRuleProperty)) {
            continue;
        }
        int mark = 0;
        Paragraph p = paragraph(it.currentBlock(), &mark);
        if (mark > 0) {
            note = &notes_[mark];
        }
        if (note) {
            note->blocks.emplace_back(std::move(p));
        }
    }
}

// Footnotes are numbered in the order of their marks in the text; a note
// whose mark is gone stays, after the others.
void Extractor::renumberFootnotes() {
    std::map<int, int> index;
    const auto place = [this, &index](int number) {
        const auto found = notes_.find(number);
        if (found != notes_.end() && index.emplace(number, model_.footnotes.size()).second) {
            model_.footnotes.push_back(std::move(found->second));
        }
    };
    for (const int number : markOrder_) {
        place(number);
    }
    for (const auto& entry : notes_) {
        place(entry.first);
    }
    const auto renumber = [&index](Paragraph& p) {
        std::erase_if(p.spans, [&index](Span& span) {
            if (span.footnote < 0) {
                return false;
            }
            const auto found = index.find(span.footnote + 1);
            span.footnote = found == index.end() ? -1 : found->second;
            return span.footnote < 0;
        });
    };
    forEachParagraph(model_.blocks, renumber);
    for (Footnote& note : model_.footnotes) {
        forEachParagraph(note.blocks, renumber);
    }
}

std::vector<int> Extractor::columnWidths(const QTextTable* t) const {
    // A table with no widths of its own is as wide as the text area.
    const int tableTwips =
        document_.textWidth() > 0 ? toTwips(document_.textWidth()) : kDefaultTableTwips;
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
            widths.push_back(static_cast<int>(std::lround(length.rawValue() * tableTwips / 100)));
        } else {
            widths.push_back(tableTwips / std::max(1, columns));
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

// A picture the reader kept, at the size it is shown at: a picture the user
// made larger or smaller keeps its bytes and takes its new size.
int Extractor::keptImage(const QString& name, const QTextImageFormat* shownAs) {
    if (name.isEmpty()) {
        return -1;
    }
    const std::optional<Image> kept =
        decodeImage(document_.resource(QTextDocument::UserResource, QUrl(name)).toByteArray());
    if (!kept) {
        return -1;
    }
    Image image = *kept;
    if (shownAs && shownAs->width() > 0 && shownAs->height() > 0) {
        const int width = std::min(toTwips(shownAs->width()), kMaxTwips);
        const int height = std::min(toTwips(shownAs->height()), kMaxTwips);
        if (std::abs(width - image.widthTwips) > kTwipsPerPixel ||
            std::abs(height - image.heightTwips) > kTwipsPerPixel) {
            const std::int64_t goalWidth = std::int64_t{width} * 100 / std::max(1, image.scaleX);
            const std::int64_t goalHeight = std::int64_t{height} * 100 / std::max(1, image.scaleY);
            if (goalWidth > kMaxTwips || goalHeight > kMaxTwips) {
                image.scaleX = image.scaleY = 100; // a goal size a file can give
            }
            image.goalWidth = width * 100 / std::max(1, image.scaleX);
            image.goalHeight = height * 100 / std::max(1, image.scaleY);
            // The size a reader makes of them.
            image.widthTwips = image.goalWidth * image.scaleX / 100;
            image.heightTwips = image.goalHeight * image.scaleY / 100;
        }
    }
    return model_.addImage(std::move(image));
}

int Extractor::image(const QTextImageFormat& format) {
    if (const int kept = keptImage(originalOf(format.name()), &format); kept >= 0) {
        return kept;
    }
    // A picture pasted or drawn in the text area is stored as PNG.
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
    image.goalWidth = image.widthTwips;
    image.goalHeight = image.heightTwips;
    return model_.addImage(std::move(image));
}

int Extractor::object(const QString& name) {
    if (name.isEmpty()) {
        return -1;
    }
    const auto found = objects_.constFind(name);
    if (found != objects_.constEnd()) {
        return found.value();
    }
    const std::optional<EmbeddedObject> kept =
        decodeObject(document_.resource(QTextDocument::UserResource, QUrl(name)).toByteArray());
    int index = -1;
    if (kept) {
        index = static_cast<int>(model_.objects.size());
        model_.objects.push_back(*kept);
    }
    objects_.insert(name, index);
    return index;
}

} // namespace

Document extractTextDocument(const QTextDocument& document) {
    return Extractor(document).run();
}

} // namespace ohmora::rtf
