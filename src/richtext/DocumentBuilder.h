#pragma once
// The document model as the reader fills it: the paragraph under way with
// its spans of text and pictures, and where a finished paragraph goes (the
// document's blocks, or a table cell).

#include "richtext/RtfModel.h"
#include "richtext/TableBuilder.h"

#include <string_view>

namespace ohmora::rtf {

class DocumentBuilder {
public:
    explicit DocumentBuilder(Document& document) : document_(document), table_(document.blocks) {}

    Document& document() { return document_; }
    TableBuilder& table() { return table_; }
    bool paragraphHasContent() const { return !paragraph_.spans.empty(); }

    void character(const CharFormat& format, char16_t c);
    // Appends a run of text; `decode` gives the character of each byte,
    // or 0 for a byte left out.
    template <typename Decode>
    void text(const CharFormat& format, std::string_view bytes, Decode decode);
    void picture(const CharFormat& format, Image image);

    // The paragraph under way ends with this format and mark, in a table
    // cell or as a block of the document.
    void finishParagraph(const ParagraphFormat& format, const CharFormat& mark, bool inCell);
    void finishCell(const ParagraphFormat& format, const CharFormat& mark);
    void finishRow(const ParagraphFormat& format, const CharFormat& mark);
    // The end of the file: what is under way is kept.
    void finish(const ParagraphFormat& format, const CharFormat& mark, bool inCell);

private:
    std::u16string& textOf(const CharFormat& format);
    void dropEmptySpan();

    Document& document_;
    Paragraph paragraph_;
    TableBuilder table_;
};

template <typename Decode>
void DocumentBuilder::text(const CharFormat& format, std::string_view bytes, Decode decode) {
    std::u16string& text = textOf(format);
    for (const char c : bytes) {
        if (const char16_t u = decode(static_cast<unsigned char>(c)); u != 0) {
            text.push_back(u);
        }
    }
    dropEmptySpan();
}

} // namespace ohmora::rtf
