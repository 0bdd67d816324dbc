#include "richtext/DocumentBuilder.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace ohmora::rtf {

namespace {

void replaceLoneSurrogates(std::u16string& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            text[i] = 0xFFFD;
        }
    }
}

bool isTextSpan(const Span& span) {
    return span.image < 0 && span.object < 0 && span.footnote < 0;
}

// The paragraph without the marks of notes that never came, the texts on
// either side of one joined as the reader joins them.
void dropMarks(Paragraph& paragraph, int noteCount) {
    std::vector<Span> kept;
    for (Span& span : paragraph.spans) {
        if (span.footnote >= noteCount) {
            continue;
        }
        if (!kept.empty() && isTextSpan(span) && isTextSpan(kept.back()) &&
            kept.back().format == span.format) {
            kept.back().text += span.text;
        } else {
            kept.push_back(std::move(span));
        }
    }
    paragraph.spans = std::move(kept);
}

} // namespace

std::u16string& DocumentBuilder::textOf(const CharFormat& format) {
    if (paragraph_.spans.empty() || !isTextSpan(paragraph_.spans.back()) ||
        !(paragraph_.spans.back().format == format)) {
        paragraph_.spans.push_back(textSpan(format));
    }
    return paragraph_.spans.back().text;
}

std::size_t DocumentBuilder::paragraphLength() const {
    std::size_t length = 0;
    for (const Span& span : paragraph_.spans) {
        length += isTextSpan(span) ? span.text.size() : 1;
    }
    return length;
}

void DocumentBuilder::removeFromParagraph(std::size_t from, std::size_t to) {
    // Text only: a picture keeps its place among the document's pictures.
    std::vector<Span> kept;
    std::size_t at = 0; // where the span stands
    for (Span& span : paragraph_.spans) {
        const std::size_t length = isTextSpan(span) ? span.text.size() : 1;
        const std::size_t end = at + length;
        if (isTextSpan(span) && end > from && at < to) {
            const std::size_t cutFrom = std::max(from, at) - at;
            span.text.erase(cutFrom, std::min(to, end) - at - cutFrom);
        }
        at = end;
        if (isTextSpan(span) && span.text.empty()) {
            continue;
        }
        if (!kept.empty() && isTextSpan(span) && isTextSpan(kept.back()) &&
            kept.back().format == span.format) {
            kept.back().text += span.text; // as the reader would have read them
        } else {
            kept.push_back(std::move(span));
        }
    }
    paragraph_.spans = std::move(kept);
}

void DocumentBuilder::dropEmptySpan() {
    if (!paragraph_.spans.empty() && isTextSpan(paragraph_.spans.back()) &&
        paragraph_.spans.back().text.empty()) {
        paragraph_.spans.pop_back();
    }
}

void DocumentBuilder::character(const CharFormat& format, char16_t c) {
    textOf(format).push_back(c);
}

void DocumentBuilder::text(const CharFormat& format, std::u16string_view text) {
    textOf(format).append(text);
    dropEmptySpan();
}

void DocumentBuilder::prependText(const CharFormat& format, std::u16string_view text) {
    if (!paragraph_.spans.empty() && isTextSpan(paragraph_.spans.front()) &&
        paragraph_.spans.front().format == format) {
        paragraph_.spans.front().text.insert(0, text);
    } else {
        paragraph_.spans.insert(paragraph_.spans.begin(), textSpan(format, std::u16string(text)));
    }
}

void DocumentBuilder::picture(const CharFormat& format, Image image) {
    Span span = textSpan(format);
    span.image = document_.addImage(std::move(image));
    paragraph_.spans.push_back(std::move(span));
}

bool DocumentBuilder::fallbackPicture(Image image) {
    if (paragraph_.spans.empty() || paragraph_.spans.back().image < 0 ||
        paragraph_.spans.back().fallbackImage >= 0) {
        return false;
    }
    paragraph_.spans.back().fallbackImage = document_.addImage(std::move(image));
    return true;
}

void DocumentBuilder::attachObject(std::size_t from, EmbeddedObject object,
                                   std::u16string_view text, const CharFormat& format) {
    const int index = static_cast<int>(document_.objects.size());
    for (std::size_t i = from; i < paragraph_.spans.size(); ++i) {
        Span& span = paragraph_.spans[i];
        if (span.image >= 0 && span.object < 0) {
            span.object = index;
            span.format = format; // where the object stands, whatever its group says
            document_.objects.push_back(std::move(object));
            return;
        }
    }
    // No picture: the object's text stands for it, if it has one.
    if (text.empty()) {
        return;
    }
    Span span = textSpan(format, std::u16string(text));
    span.object = index;
    document_.objects.push_back(std::move(object));
    paragraph_.spans.push_back(std::move(span));
}

void DocumentBuilder::footnoteMark(const CharFormat& format) {
    if (!inFootnote_) {
        // A note belongs to the last mark before it: a mark still waiting
        // for its note when another comes never gets one.
        dropDanglingMarks();
    }
    Span span = textSpan(format);
    span.footnote = static_cast<int>(document_.footnotes.size());
    paragraph_.spans.push_back(std::move(span));
    danglingMarks_ = !inFootnote_;
}

void DocumentBuilder::beginFootnote() {
    waitingParagraph_ = std::exchange(paragraph_, Paragraph{});
    inFootnote_ = true;
}

void DocumentBuilder::finishFootnote(const ParagraphFormat& format, const CharFormat& mark,
                                     bool inCell) {
    if (!paragraph_.spans.empty()) {
        finishParagraph(format, mark, inCell);
    }
    footnoteTable_.close();
    if (footnote_.blocks.empty()) {
        finishParagraph(format, mark, false); // a note has a paragraph, be it empty
    }
    document_.footnotes.push_back(std::exchange(footnote_, Footnote{}));
    paragraph_ = std::exchange(waitingParagraph_, Paragraph{});
    inFootnote_ = false;
    danglingMarks_ = false;
}

void DocumentBuilder::finishParagraph(const ParagraphFormat& format, const CharFormat& mark,
                                      bool inCell) {
    Paragraph paragraph = std::exchange(paragraph_, Paragraph{});
    for (Span& span : paragraph.spans) {
        replaceLoneSurrogates(span.text);
    }
    paragraph.format = format;
    if (paragraph.format.lineSpacing == 0) {
        paragraph.format.lineMultiple = false; // a multiple of nothing is single spacing
    }
    paragraph.mark = mark;
    if (inCell) {
        table().addParagraph(std::move(paragraph));
        return;
    }
    table().close();
    (inFootnote_ ? footnote_.blocks : document_.blocks).emplace_back(std::move(paragraph));
}

void DocumentBuilder::finishCell(const ParagraphFormat& format, const CharFormat& mark) {
    finishParagraph(format, mark, true);
    table().finishCell();
}

void DocumentBuilder::finishRow(const ParagraphFormat& format, const CharFormat& mark) {
    if (!paragraph_.spans.empty()) {
        finishParagraph(format, mark, true);
    }
    table().finishRow();
}

void DocumentBuilder::finish(const ParagraphFormat& format, const CharFormat& mark, bool inCell) {
    if (inFootnote_) {
        finishFootnote(format, mark, inCell);
    }
    if (!paragraph_.spans.empty()) {
        finishParagraph(format, mark, inCell);
    }
    mainTable_.close();
    dropDanglingMarks();
}

void DocumentBuilder::dropDanglingMarks() {
    if (!danglingMarks_) {
        return;
    }
    // Marks of a footnote the file never gave.
    const auto count = static_cast<int>(document_.footnotes.size());
    const auto drop = [count](Paragraph& p) { dropMarks(p, count); };
    forEachParagraph(document_.blocks, drop);
    mainTable_.forEachOpenParagraph(drop);
    drop(paragraph_);
    danglingMarks_ = false;
}

} // namespace ohmora::rtf
