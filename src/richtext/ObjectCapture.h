#pragma once
// Keeps an equation (\mmath) or an embedded object (\object) as the file
// wrote it: the bytes of its group after its first word, but for the groups
// of its picture (\mmathPict, \result) right inside it: the first of them
// that gives a picture is read as a picture of the document, written back
// where it stood; the others, which give none, are left out. An equation's text, which the reader
// does not lay out, is kept to be shown when the equation has no picture.

#include "richtext/RtfModel.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ohmora::rtf {

class ObjectCapture {
public:
    bool active() const { return active_; }
    // Whether a picture group now would be the object's picture: its first.
    bool takesPicture() const { return active_ && !hasPicture_ && !inPicture_; }
    // Whether the object's picture group is being read.
    bool inPicture() const { return active_ && inPicture_; }
    std::size_t depth() const { return depth_; }

    // The object's group, at this depth of the group stack, has its content
    // from `contentStart` on; the paragraph has `spans` spans so far, and
    // the object stands in the text in `format` (the words inside its group
    // are the object's own).
    void begin(ObjectKind kind, std::size_t contentStart, std::size_t depth, std::size_t spans,
               const CharFormat& format);
    // A picture group, from its opening brace to its closing one; read as
    // the object's picture when `reading`, the paragraph then having
    // `spans` spans.
    void beginPicture(std::size_t groupStart, bool reading, std::size_t spans);
    void endPicture(std::size_t groupEnd, std::size_t spans);
    // A character of the equation's text, read before byte `at` of the file.
    void text(char16_t c, std::size_t at);

    // The object's group closes at `closeBrace`.
    EmbeddedObject finish(std::string_view input, std::size_t closeBrace);
    std::size_t firstSpan() const { return firstSpan_; }
    const std::u16string& equationText() const { return text_; }
    const CharFormat& format() const { return format_; }

private:
    bool active_ = false;
    ObjectKind kind_ = ObjectKind::Equation;
    std::size_t depth_ = 0;
    std::size_t start_ = 0;
    std::size_t groupStart_ = 0;   // of the picture group under way
    std::size_t spansAtGroup_ = 0; // the paragraph's spans when it began
    std::vector<std::pair<std::size_t, std::size_t>> leftOut_; // picture groups' bytes
    std::size_t pictureGroup_ = 0; // the one in leftOut_ that gave the picture
    bool hasPicture_ = false;
    bool inPicture_ = false;
    bool inGroup_ = false;
    std::size_t firstSpan_ = 0;
    std::u16string text_;
    std::vector<std::size_t> textEnds_; // where each character of text_ was read
    CharFormat format_;
};

} // namespace ohmora::rtf
