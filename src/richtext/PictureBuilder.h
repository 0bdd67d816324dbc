#pragma once
// A picture as the reader reads it: its kind, size and scaling from the
// words of its \pict group, its bytes from hex digits, \'hh escapes or
// \binN data, and, for a picture inside a drawing object (\shp), the
// object's bounds, which give its size when the picture gives none. The
// bytes are bounded: a picture past kMaxPictureBytes is dropped.

#include "richtext/RtfKeywords.h"
#include "richtext/RtfModel.h"
#include "richtext/RtfTokenizer.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace ohmora::rtf {

constexpr std::size_t kMaxPictureBytes = std::size_t{64} << 20;
// 22 inches, the largest page a word processor offers.
constexpr int kMaxTwips = 31680;

class PictureBuilder {
public:
    // A \pict group opens.
    void start();

    void word(Keyword keyword, const Token& token);
    void hexText(std::string_view text);
    void byte(unsigned char value);
    void binary(std::string_view bytes);

    // Drawing objects: the shape whose picture may follow, its bounds, and
    // the name of the property being read (its picture is in "pib").
    void startShape();
    void shapeBound(Keyword keyword, int twips);
    void startPropertyName();
    void propertyNameCharacter(char16_t c);
    bool inPictureProperty() const { return property_ == "pib"; }

    // The picture read since start(), at its size; nothing when it has no
    // bytes or too many. `inShape`: it fills its drawing object.
    std::optional<Image> finish(bool inShape);

private:
    Image image_;
    int pendingNibble_ = -1;
    bool tooLarge_ = false;
    std::string property_;
    std::array<int, 4> shapeBounds_{}; // left, right, top, bottom
};

} // namespace ohmora::rtf
