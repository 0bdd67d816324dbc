#pragma once
// The document model as the reader fills it: the paragraph under way with
// its spans of text and pictures, and where a finished paragraph goes (the
// document's blocks or a footnote's, or a table cell). A footnote is read
// while the paragraph that holds its mark waits.

#include "richtext/RtfModel.h"
#include "richtext/TableBuilder.h"

#include <cstddef>
#include <string_view>

namespace ohmora::rtf {

class DocumentBuilder {
public:
    explicit DocumentBuilder(Document& document)
        : document_(document), mainTable_(document.blocks), footnoteTable_(footnote_.blocks) {}

    Document& document() { return document_; }
    TableBuilder& table() { return inFootnote_ ? footnoteTable_ : mainTable_; }
    bool paragraphHasContent() const { return !paragraph_.spans.empty(); }
    std::size_t spanCount() const { return paragraph_.spans.size(); }
    // The length of the paragraph under way: its characters, a picture, an
    // object or a footnote's mark counting as one.
    std::size_t paragraphLength() const;
    // Removes the part [from, to) of the paragraph under way.
    void removeFromParagraph(std::size_t from, std::size_t to);

    void character(const CharFormat& format, char16_t c);
    void text(const CharFormat& format, std::u16string_view text);
    // Appends a run of bytes; `decode` appends the characters of each byte
    // to the text it is given.
    template <typename Decode>
    void bytes(const CharFormat& format, std::string_view bytes, Decode decode);
    // Puts text before the paragraph's spans (a list number).
    void prependText(const CharFormat& format, std::u16string_view text);
    void picture(const CharFormat& format, Image image);
    // The twin of the paragraph's last picture, for older readers; false
    // when the last span is not a picture.
    bool fallbackPicture(Image image);
    // The first picture from span `from` on shows `object`; without one,
    // `text` stands for the object.
    void attachObject(std::size_t from, EmbeddedObject object, std::u16string_view text,
                      const CharFormat& format);

    // Footnotes: the mark of the footnote that follows (or, inside one, of
    // its own), and the footnote's text.
    void footnoteMark(const CharFormat& format);
    bool inFootnote() const { return inFootnote_; }
    void beginFootnote();
    void finishFootnote(const ParagraphFormat& format, const CharFormat& mark, bool inCell);

    // The paragraph under way ends with this format and mark, in a table
    // cell or as a block.
    void finishParagraph(const ParagraphFormat& format, const CharFormat& mark, bool inCell);
    void finishCell(const ParagraphFormat& format, const CharFormat& mark);
    void finishRow(const ParagraphFormat& format, const CharFormat& mark);
    // The end of the file: what is under way is kept.
    void finish(const ParagraphFormat& format, const CharFormat& mark, bool inCell);

private:
    std::u16string& textOf(const CharFormat& format);
    void dropEmptySpan();
    void dropDanglingMarks();

    Document& document_;
    Paragraph paragraph_;
    TableBuilder mainTable_;
    Footnote footnote_;
    TableBuilder footnoteTable_;
    Paragraph waitingParagraph_; // the paragraph of the footnote's mark
    bool inFootnote_ = false;
    bool danglingMarks_ = false; // marks of a footnote still to come
};

template <typename Decode>
void DocumentBuilder::bytes(const CharFormat& format, std::string_view bytes, Decode decode) {
    std::u16string& text = textOf(format);
    for (const char c : bytes) {
        decode(static_cast<unsigned char>(c), text);
    }
    dropEmptySpan();
}

} // namespace ohmora::rtf
