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
    hasPicture_ = inPicture_ = inGroup_ = false;
    leftOut_.clear();
    firstSpan_ = spans;
    text_.clear();
    textEnds_.clear();
    format_ = format;
}

void ObjectCapture::beginPicture(std::size_t groupStart, bool reading, std::size_t spans) {
    groupStart_ = groupStart;
    spansAtGroup_ = spans;
    inGroup_ = true;
    inPicture_ = reading;
    // The group, left out of what is kept, takes with it the text read in
    // it before its destination word.
    while (!textEnds_.empty() && textEnds_.back() > groupStart) {
        textEnds_.pop_back();
        text_.pop_back();
    }
}

void ObjectCapture::endPicture(std::size_t groupEnd, std::size_t spans) {
    if (!inGroup_) {
        return;
    }
    if (inPicture_ && spans > spansAtGroup_ && !hasPicture_) {
        hasPicture_ = true;
        pictureGroup_ = leftOut_.size();
    }
    leftOut_.emplace_back(groupStart_, groupEnd + 1);
    inGroup_ = inPicture_ = false;
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
    std::size_t at = std::min(start_, end);
    object.pictureAt = std::string::npos;
    for (std::size_t i = 0; i < leftOut_.size(); ++i) {
        const auto [from, to] = leftOut_[i];
        if (from < at || to > end) {
            continue;
        }
        object.rtf.append(input.substr(at, from - at));
        if (hasPicture_ && i == pictureGroup_) {
            object.pictureAt = object.rtf.size();
        }
        at = to;
    }
    object.rtf.append(input.substr(at, end - at));
    object.pictureAt = std::min(object.pictureAt, object.rtf.size());
    return object;
}

} // namespace ohmora::rtf
