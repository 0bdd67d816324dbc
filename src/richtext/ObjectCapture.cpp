#include "richtext/ObjectCapture.h"

#include <algorithm>

namespace ohmora::rtf {

namespace {

// An equation's text is a substitute, kept short.
constexpr std::size_t kMaxEquationText = 4096;

} // namespace

void ObjectCapture::begin(ObjectKind kind, std::size_t contentStart, std::size_t depth,
                          std::size_t spans, const CharFormat& format) {
    active_ = true;
    kind_ = kind;
    start_ = contentStart;
    depth_ = depth;
    hasPicture_ = inPicture_ = false;
    firstSpan_ = spans;
    text_.clear();
    textEnds_.clear();
    format_ = format;
}

void ObjectCapture::beginPicture(std::size_t groupStart) {
    if (!hasPicture_) {
        pictureStart_ = groupStart;
        inPicture_ = true;
        // The picture's group, left out of what is kept, takes with it the
        // text read in it before its destination word.
        while (!textEnds_.empty() && textEnds_.back() > groupStart) {
            textEnds_.pop_back();
            text_.pop_back();
        }
    }
}

void ObjectCapture::endPicture(std::size_t groupEnd, bool gotPicture) {
    if (inPicture_ && !gotPicture) {
        inPicture_ = false;
    } else if (inPicture_) {
        pictureEnd_ = groupEnd + 1;
        hasPicture_ = true;
        inPicture_ = false;
    }
}

void ObjectCapture::text(char16_t c, std::size_t at) {
    // Control characters are no text of the equation's, as in the text area.
    const bool control = c < 0x20 && c != u'\t';
    if (!inPicture_ && !control && text_.size() < kMaxEquationText) {
        text_.push_back(c);
        textEnds_.push_back(at);
    }
}

EmbeddedObject ObjectCapture::finish(std::string_view input, std::size_t closeBrace) {
    active_ = false;
    EmbeddedObject object;
    object.kind = kind_;
    const std::size_t end = std::min(closeBrace, input.size());
    const std::size_t start = std::min(start_, end);
    if (hasPicture_ && pictureStart_ >= start && pictureEnd_ <= end) {
        object.rtf.append(input.substr(start, pictureStart_ - start));
        object.rtf.append(input.substr(pictureEnd_, end - pictureEnd_));
        object.pictureAt = pictureStart_ - start;
    } else {
        object.rtf.append(input.substr(start, end - start));
        object.pictureAt = object.rtf.size();
    }
    return object;
}

} // namespace ohmora::rtf
