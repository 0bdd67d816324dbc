#include "richtext/PictureBuilder.h"

#include "richtext/RtfTokenizer.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>

namespace ohmora::rtf {

namespace {

constexpr std::size_t kMaxPropertyName = 32;
constexpr std::size_t kMaxOtherWords = 256;
constexpr int kMaxPictureNumber = 1'000'000;
constexpr int kMaxScale = 1000;

ImageKind kindOf(Keyword keyword) {
    switch (keyword) {
    case Keyword::PngBlip:
        return ImageKind::Png;
    case Keyword::JpegBlip:
        return ImageKind::Jpeg;
    case Keyword::WmfBlip:
        return ImageKind::Wmf;
    case Keyword::EmfBlip:
        return ImageKind::Emf;
    default:
        return ImageKind::Other;
    }
}

// The size of a PNG picture, from its header; 0 when the bytes hold none.
std::pair<int, int> pngSize(const std::string& data) {
    constexpr std::string_view kSignature = "\x89PNG\r\n\x1a\nIHDR";
    if (data.size() < 24 || data.compare(0, 8, kSignature.substr(0, 8)) != 0 ||
        data.compare(12, 4, kSignature.substr(8)) != 0) {
        return {0, 0};
    }
    const auto be32 = [&data](std::size_t at) {
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < 4; ++i) {
            value = value << 8 | static_cast<unsigned char>(data[at + i]);
        }
        return static_cast<int>(std::min<std::uint32_t>(value, kMaxPictureNumber));
    };
    return {be32(16), be32(20)};
}

// A word with its parameter, as written.
std::string formatWord(const Token& token) {
    std::string word(token.text);
    if (token.hasParameter) {
        word += std::to_string(token.parameter);
    }
    return word;
}

} // namespace

void PictureBuilder::start() {
    image_ = Image{};
    pendingNibble_ = -1;
    tooLarge_ = false;
}

void PictureBuilder::word(Keyword keyword, const Token& token) {
    const int value = std::clamp(token.parameter, 0, kMaxPictureNumber);
    switch (keyword) {
    case Keyword::PngBlip:
    case Keyword::JpegBlip:
    case Keyword::WmfBlip:
    case Keyword::EmfBlip:
    case Keyword::Metafile:
    case Keyword::OtherBlip:
        image_.kind = kindOf(keyword);
        image_.format = formatWord(token);
        if (image_.format == defaultFormatWord(image_.kind)) {
            image_.format.clear();
        }
        break;
    case Keyword::PictureWidth:
        image_.pixelWidth = value;
        break;
    case Keyword::PictureHeight:
        image_.pixelHeight = value;
        break;
    case Keyword::PictureGoalWidth:
        image_.goalWidth = std::min(value, kMaxTwips);
        break;
    case Keyword::PictureGoalHeight:
        image_.goalHeight = std::min(value, kMaxTwips);
        break;
    case Keyword::PictureScaleX:
        image_.scaleX = std::clamp(value, 1, kMaxScale);
        break;
    case Keyword::PictureScaleY:
        image_.scaleY = std::clamp(value, 1, kMaxScale);
        break;
    case Keyword::PictureOther:
        if (image_.otherWords.size() < kMaxOtherWords) {
            image_.otherWords += '\\' + formatWord(token);
        }
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
    if (tooLarge_ || image_.data.empty()) {
        return std::nullopt;
    }
    Image image = std::exchange(image_, Image{});
    if (image.kind == ImageKind::Png && (image.pixelWidth <= 0 || image.pixelHeight <= 0)) {
        // A file that gives no pixel size: the picture's own.
        std::tie(image.pixelWidth, image.pixelHeight) = pngSize(image.data);
    }
    std::int64_t width = image.goalWidth;
    std::int64_t height = image.goalHeight;
    const int shapeWidth = shapeBounds_[1] - shapeBounds_[0];
    const int shapeHeight = shapeBounds_[3] - shapeBounds_[2];
    if ((width <= 0 || height <= 0) && inShape && shapeWidth > 0 && shapeHeight > 0) {
        // A shape's picture fills the shape.
        width = shapeWidth;
        height = shapeHeight;
    } else if (width <= 0 || height <= 0) {
        // Bitmaps give their size in pixels, metafiles in hundredths of a
        // millimetre.
        const bool metafile = image.kind == ImageKind::Wmf || image.kind == ImageKind::Emf;
        const std::int64_t w = image.pixelWidth;
        const std::int64_t h = image.pixelHeight;
        width = metafile ? w * 1440 / 2540 : w * kTwipsPerPixel;
        height = metafile ? h * 1440 / 2540 : h * kTwipsPerPixel;
    }
    // The size found is the goal size a writer gives it.
    if (width > 0 && height > 0) {
        image.goalWidth = static_cast<int>(std::min<std::int64_t>(width, kMaxTwips));
        image.goalHeight = static_cast<int>(std::min<std::int64_t>(height, kMaxTwips));
    }
    image.widthTwips =
        static_cast<int>(std::min<std::int64_t>(width * image.scaleX / 100, kMaxTwips));
    image.heightTwips =
        static_cast<int>(std::min<std::int64_t>(height * image.scaleY / 100, kMaxTwips));
    if (image.widthTwips <= 0 || image.heightTwips <= 0) {
        image.widthTwips = image.heightTwips = 0;
    }
    return image;
}

} // namespace ohmora::rtf
