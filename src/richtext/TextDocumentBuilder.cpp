#include "richtext/DocumentResources.h"
#include "richtext/PictureObjects.h"
#include "richtext/PictureResources.h"
#include "richtext/QtFormats.h"
#include "richtext/TextDocumentAdapter.h"

#include <QAbstractTextDocumentLayout>
#include <QFont>
#include <QFontMetricsF>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLength>
#include <QTextTable>

#include <algorithm>
#include <functional>
#include <numeric>
#include <unordered_map>

namespace ohmora::rtf {

namespace {

// Small capitals are capitals of this part of the text's size.
constexpr double kSmallCapitalsScale = 0.8;
// The footnotes stand under a rule of this part of the text's width.
constexpr double kNotesRulePercent = 30;
constexpr double kNotesTopMargin = 12;

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

// An equation's picture stands on the text's baseline as its own baseline
// does. The layout centres a picture aligned on the middle on half its
// font's x-height above the baseline: the font is given the size whose
// x-height sets the picture's baseline there (the text's size is kept for
// writing it back). An equation taller than two lines (fractions, whose
// line is the picture's middle) is centred with the font as it is.
void alignEquation(QTextImageFormat& format, const Span& s, double baseline) {
    constexpr double kPixelsPerPoint = 96.0 / 72.0;
    constexpr double kTallEquationLines = 2.0;
    format.setVerticalAlignment(QTextCharFormat::AlignMiddle);
    const double height = format.height();
    if (height > kTallEquationLines * s.format.halfPoints / 2.0 * kPixelsPerPoint) {
        return;
    }
    const double descent = (1.0 - baseline) * height;
    const double xHeight = 2.0 * (height - 2.0 * descent);
    const QFontMetricsF metrics(format.font());
    if (height <= 0 || xHeight <= metrics.xHeight() || metrics.xHeight() <= 0) {
        return;
    }
    format.setProperty(kTextSizeProperty, s.format.halfPoints);
    format.setFontPointSize(format.fontPointSize() * xHeight / metrics.xHeight());
}

class Builder {
public:
    Builder(const Document& model, QTextDocument& document)
        : model_(model), cursor_(&document), pictures_(model, document) {}
    void run();
    bool drewPictures() const { return pictures_.drewAny(); }

private:
    const QTextCharFormat& charFormat(const CharFormat& format);
    QTextBlockFormat blockFormat(const Paragraph& paragraph);
    void blocks(const std::vector<Block>& blocks, bool reuseFirst, std::size_t from = 0);
    void paragraph(QTextCursor& cursor, const Paragraph& paragraph, bool newBlock,
                   int addedMark = -1);
    void span(QTextCursor& cursor, const Span& span);
    void picture(QTextCursor& cursor, const Span& span);
    void footnoteMark(QTextCursor& cursor, const Span& span, bool added);
    void smallCapitals(QTextCursor& cursor, const Span& span, QTextCharFormat format);
    void table(const Table& table);
    void notes();

    const Document& model_;
    QTextCursor cursor_;
    PictureResources pictures_;
    std::unordered_map<CharFormat, QTextCharFormat, CharFormatHash> formats_;
    std::unordered_map<ParagraphFormat, QTextBlockFormat, ParagraphFormatHash> blockFormats_;
};

void Builder::run() {
    cursor_.beginEditBlock();
    blocks(model_.blocks, true);
    notes();
    cursor_.endEditBlock();
}

void Builder::blocks(const std::vector<Block>& blocks, bool reuseFirst, std::size_t from) {
    bool reuseBlock =
        reuseFirst; // the cursor stands in an empty block that takes the next paragraph
    for (std::size_t i = from; i < blocks.size(); ++i) {
        if (const auto* p = std::get_if<Paragraph>(&blocks[i])) {
            paragraph(cursor_, *p, !reuseBlock);
            reuseBlock = false;
        } else {
            table(std::get<Table>(blocks[i]));
            reuseBlock = true;
        }
    }
}

const QTextCharFormat& Builder::charFormat(const CharFormat& f) {
    const auto found = formats_.find(f);
    if (found != formats_.end()) {
        return found->second;
    }
    return formats_.emplace(f, qtCharFormat(f, model_.fonts)).first->second;
}

QTextBlockFormat Builder::blockFormat(const Paragraph& p) {
    auto found = blockFormats_.find(p.format);
    if (found == blockFormats_.end()) {
        found = blockFormats_.emplace(p.format, qtBlockFormat(p.format)).first;
    }
    if (p.format.lineSpacing >= 0) {
        return found->second;
    }
    // A picture taller than an exact line spacing makes room for itself, as
    // word processors do: the spacing is kept as the least a line takes.
    double tallest = 0;
    for (const Span& span : p.spans) {
        if (span.image >= 0 && static_cast<std::size_t>(span.image) < model_.images.size()) {
            tallest = std::max(tallest, pictures_.heightOf(span.image));
        }
    }
    if (tallest <= toPixels(-p.format.lineSpacing)) {
        return found->second;
    }
    QTextBlockFormat q = found->second;
    q.setLineHeight(toPixels(-p.format.lineSpacing), QTextBlockFormat::MinimumHeight);
    q.setProperty(kExactLineProperty, p.format.lineSpacing);
    return q;
}

void Builder::paragraph(QTextCursor& cursor, const Paragraph& p, bool newBlock, int addedMark) {
    if (newBlock) {
        cursor.insertBlock(blockFormat(p), charFormat(p.mark));
    } else {
        cursor.setBlockFormat(blockFormat(p));
        cursor.setBlockCharFormat(charFormat(p.mark));
    }
    if (addedMark >= 0) {
        Span mark = textSpan(p.mark);
        mark.footnote = addedMark;
        footnoteMark(cursor, mark, true);
    }
    for (const Span& s : p.spans) {
        span(cursor, s);
    }
}

void Builder::span(QTextCursor& cursor, const Span& s) {
    if (s.image >= 0 && static_cast<std::size_t>(s.image) < model_.images.size()) {
        picture(cursor, s);
    } else if (s.footnote >= 0) {
        footnoteMark(cursor, s, false);
    } else if (!s.text.empty()) {
        QTextCharFormat format = charFormat(s.format);
        if (s.object >= 0 && static_cast<std::size_t>(s.object) < model_.objects.size()) {
            format.setProperty(kObjectProperty, pictures_.keepObject(s.object));
        }
        if (s.format.capitals == Capitals::Small) {
            smallCapitals(cursor, s, format);
        } else {
            cursor.insertText(toQString(s.text), format);
        }
    }
}

void Builder::picture(QTextCursor& cursor, const Span& s) {
    const int fallback =
        s.fallbackImage >= 0 && static_cast<std::size_t>(s.fallbackImage) < model_.images.size()
            ? s.fallbackImage
            : -1;
    QTextImageFormat format = pictures_.format(s.image, fallback, charFormat(s.format));
    if (fallback >= 0) {
        format.setProperty(kFallbackPictureProperty, pictures_.keep(fallback));
    }
    if (s.object >= 0 && static_cast<std::size_t>(s.object) < model_.objects.size()) {
        format.setProperty(kObjectProperty, pictures_.keepObject(s.object));
        alignEquation(format, s, pictures_.baselineOf(s.image, fallback));
    }
    cursor.insertText(QString(QChar::ObjectReplacementCharacter), format);
}

// A footnote's mark shows its number, raised when the file does not place it.
void Builder::footnoteMark(QTextCursor& cursor, const Span& s, bool added) {
    QTextCharFormat format = charFormat(s.format);
    if (s.format.vertical == VerticalPosition::Normal && s.format.offsetHalfPoints <= 0) {
        format.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    }
    format.setProperty(kFootnoteProperty, s.footnote + 1);
    if (added) {
        format.setProperty(kAddedMarkProperty, true);
    }
    cursor.insertText(QString::number(s.footnote + 1), format);
}

// Small capitals: the small letters are shown as capitals of a smaller
// size, the text itself keeping its letters.
void Builder::smallCapitals(QTextCursor& cursor, const Span& s, QTextCharFormat format) {
    format.setFontCapitalization(QFont::MixedCase);
    format.setProperty(kSmallCapitalsProperty, s.format.halfPoints);
    QTextCharFormat small = format;
    small.setFontCapitalization(QFont::AllUppercase);
    small.setFontPointSize(s.format.halfPoints / 2.0 * kSmallCapitalsScale);
    const QString text = toQString(s.text);
    qsizetype start = 0;
    while (start < text.size()) {
        const bool lower = text[start].isLower();
        qsizetype end = start;
        while (end < text.size() && text[end].isLower() == lower) {
            ++end;
        }
        cursor.insertText(text.mid(start, end - start), lower ? small : format);
        start = end;
    }
}

bool startsWithItsMark(const Footnote& note, int index) {
    const auto* first =
        note.blocks.empty() ? nullptr : std::get_if<Paragraph>(&note.blocks.front());
    return first && !first->spans.empty() && first->spans.front().footnote == index;
}

// The footnotes, gathered at the end under a rule, each with its number.
void Builder::notes() {
    if (model_.footnotes.empty()) {
        return;
    }
    cursor_.movePosition(QTextCursor::End);
    QTextFrameFormat frame;
    frame.setTopMargin(kNotesTopMargin);
    frame.setProperty(kNotesFrameProperty, true);
    cursor_.insertFrame(frame);
    QTextBlockFormat rule;
    rule.setProperty(QTextFormat::BlockTrailingHorizontalRulerWidth,
                     QTextLength(QTextLength::PercentageLength, kNotesRulePercent));
    rule.setProperty(kNotesRuleProperty, true);
    cursor_.setBlockFormat(rule);
    for (std::size_t i = 0; i < model_.footnotes.size(); ++i) {
        const Footnote& note = model_.footnotes[i];
        const int index = static_cast<int>(i);
        if (startsWithItsMark(note, index)) {
            blocks(note.blocks, false);
            continue;
        }
        // A note that does not start with its own mark gets one.
        const auto* first =
            note.blocks.empty() ? nullptr : std::get_if<Paragraph>(&note.blocks.front());
        paragraph(cursor_, first ? *first : Paragraph{}, true, index);
        blocks(note.blocks, false, first ? 1 : 0);
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
    const bool laidOut =
        document.findChild<QAbstractTextDocumentLayout*>(QString(), Qt::FindDirectChildrenOnly);
    Builder builder(model, document);
    builder.run();
    // A document that nothing lays out yet is given a layout only when it
    // has pictures of its own to draw: laying out a long text costs time.
    if (laidOut || builder.drewPictures()) {
        installPictureHandler(document);
    }
    document.setUndoRedoEnabled(undo);
    document.setModified(false);
}

} // namespace ohmora::rtf
