#include "richtext/DocumentBuilder.h"

#include <utility>

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

} // namespace

std::u16string& DocumentBuilder::textOf(const CharFormat& format) {
    if (paragraph_.spans.empty() || paragraph_.spans.back().image >= 0 ||
        !(paragraph_.spans.back().format == format)) {
        paragraph_.spans.push_back(Span{format, {}, -1});
    }
    return paragraph_.spans.back().text;
}

void DocumentBuilder::dropEmptySpan() {
    if (!paragraph_.spans.empty() && paragraph_.spans.back().image < 0 &&
        paragraph_.spans.back().text.empty()) {
        paragraph_.spans.pop_back();
    }
}

void DocumentBuilder::character(const CharFormat& format, char16_t c) {
    textOf(format).push_back(c);
}

void DocumentBuilder::picture(const CharFormat& format, Image image) {
    paragraph_.spans.push_back(Span{format, {}, document_.addImage(std::move(image))});
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
        table_.addParagraph(std::move(paragraph));
        return;
    }
    table_.close();
    document_.blocks.emplace_back(std::move(paragraph));
}

void DocumentBuilder::finishCell(const ParagraphFormat& format, const CharFormat& mark) {
    finishParagraph(format, mark, true);
    table_.finishCell();
}

void DocumentBuilder::finishRow(const ParagraphFormat& format, const CharFormat& mark) {
    if (!paragraph_.spans.empty()) {
        finishParagraph(format, mark, true);
    }
    table_.finishRow();
}

void DocumentBuilder::finish(const ParagraphFormat& format, const CharFormat& mark, bool inCell) {
    if (!paragraph_.spans.empty()) {
        finishParagraph(format, mark, inCell);
    }
    table_.close();
}

} // namespace ohmora::rtf
