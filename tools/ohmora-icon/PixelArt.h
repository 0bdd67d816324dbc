#pragma once
// Small icon sizes drawn pixel by pixel in a text file: lines "C = #rrggbb"
// or "C = #rrggbbaa" give the colour of character C (any character but a
// blank, '=' or '#'), then one line per row of pixels, all as long as there
// are rows. Lines that start with '#' are comments.

#include <QImage>

#include <string>
#include <variant>

namespace ohmora::icon {

struct ArtError {
    std::string message;
};

std::variant<QImage, ArtError> readPixelArt(const std::string& text);

} // namespace ohmora::icon
