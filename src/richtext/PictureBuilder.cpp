#include "richtext/PictureBuilder.h"

#include "richtext/RtfTokenizer.h"

#include <algorithm>
#include <cstdint>

namespace ohmora::rtf {

namespace {

constexpr std::size_t kMaxPropertyName = 32;
constexpr int kMaxPictureNumber = 1'000'000;

} // namespace

void PictureBuilder::start(std::size_t depth) {
    image_ = Image{};
    depth_ = depth;
    goalWidth_ = goalHeight_ = 0;
    scaleX_ = scaleY_ = 100;
    pendingNibble_ = -1;
    tooLarge_ = false;
}

void PictureBuilder::word(Keyword keyword, int parameter) {
    const int value = std::clamp(parameter, 0, kMaxPictureNumber);
    switch (keyword) {
    case Keyword::PngBlip:
        image_.kind = ImageKind::Png;
        break;
    case Keyword::JpegBlip:
        image_.kind = ImageKind::Jpeg;
        break;
    case Keyword::Metafile:
        image_.kind = ImageKind::Metafile;
        break;
    case Keyword::OtherBlip:
        image_.kind = ImageKind::Other;
        break;
    case Keyword::PictureWidth:
        image_.pixelWidth = value;
        break;
    case Keyword::PictureHeight:
        image_.pixelHeight = value;
        break;
    case Keyword::PictureGoalWidth:
        goalWidth_ = std::min(value, kMaxTwips);
        break;
    case Keyword::PictureGoalHeight:
        goalHeight_ = std::min(value, kMaxTwips);
        break;
    case Keyword::PictureScaleX:
        scaleX_ = std::clamp(value, 1, 1000);
        break;
    case Keyword::PictureScaleY:
        scaleY_ = std::clamp(value, 1, 1000);
        break;
    default:
        break;
    }
}

void PictureBuilder::hexText(std::string_view text) {
    if (tooLarge_) {
        return;
    }
    std::string& data = image_.data;
    for (const char c : text) {
        const int digit = hexDigit(c);
        if (digit < 0) {
            continue;
        }
        if (pendingNibble_ < 0) {
            pendingNibble_ = digit;
        } else {
            data.push_back(static_cast<char>(pendingNibble_ << 4 | digit));
            pendingNibble_ = -1;
        }
    }
    if (data.size() > kMaxPictureBytes) {
        tooLarge_ = true;
        data = std::string();
    }
}

void PictureBuilder::byte(unsigned char value) {
    // A hex escape inside picture data is the byte itself.
    if (!tooLarge_ && pendingNibble_ < 0) {
        image_.data.push_back(static_cast<char>(value));
    }
}

void PictureBuilder::binary(std::string_view bytes) {
    if (tooLarge_) {
        return;
    }
    if (image_.data.size() + bytes.size() > kMaxPictureBytes) {
        tooLarge_ = true;
        image_.data = std::string();
        return;
    }
    image_.data.append(bytes);
}

void PictureBuilder::startShape() {
    property_.clear();
    shapeBounds_ = {};
}

void PictureBuilder::shapeBound(Keyword keyword, int twips) {
    shapeBounds_[static_cast<std::size_t>(keyword) - static_cast<std::size_t>(Keyword::ShapeLeft)] =
        twips;
}

void PictureBuilder::startPropertyName() {
    property_.clear();
}

void PictureBuilder::propertyNameCharacter(char16_t c) {
    if (c != u' ' && property_.size() < kMaxPropertyName) {
        property_.push_back(static_cast<char>(c < 0x80 ? c : u'?'));
    }
}

std::optional<Image> PictureBuilder::finish(bool inShape) {
    depth_ = 0;
    if (tooLarge_ || image_.data.empty()) {
        return std::nullopt;
    }
    Image image = std::move(image_);
    image_ = Image{};
    std::int64_t width = goalWidth_;
    std::int64_t height = goalHeight_;
    const int shapeWidth = shapeBounds_[1] - shapeBounds_[0];
    const int shapeHeight = shapeBounds_[3] - shapeBounds_[2];
    if ((width <= 0 || height <= 0) && inShape && shapeWidth > 0 && shapeHeight > 0) {
        // A shape's picture fills the shape.
        width = shapeWidth;
        height = shapeHeight;
    } else if (width <= 0 || height <= 0) {
        // Bitmaps give their size in pixels, metafiles in hundredths of a
        // millimetre.
        const bool metafile = image.kind == ImageKind::Metafile;
        const std::int64_t w = image.pixelWidth;
        const std::int64_t h = image.pixelHeight;
        width = metafile ? w * 1440 / 2540 : w * kTwipsPerPixel;
        height = metafile ? h * 1440 / 2540 : h * kTwipsPerPixel;
    }
    image.widthTwips = static_cast<int>(std::min<std::int64_t>(width * scaleX_ / 100, kMaxTwips));
    image.heightTwips = static_cast<int>(std::min<std::int64_t>(height * scaleY_ / 100, kMaxTwips));
    if (image.widthTwips <= 0 || image.heightTwips <= 0) {
        image.widthTwips = image.heightTwips = 0;
    }
    return image;
}

} // namespace ohmora::rtf
