#include "PixelArt.h"

#include <map>
#include <optional>
#include <sstream>
#include <vector>

namespace ohmora::icon {

namespace {

std::optional<QRgb> readColour(const std::string& text) {
    if ((text.size() != 7 && text.size() != 9) || text[0] != '#') {
        return std::nullopt;
    }
    unsigned long value = 0;
    for (size_t i = 1; i < text.size(); ++i) {
        const char c = text[i];
        const int digit = c >= '0' && c <= '9'   ? c - '0'
                          : c >= 'a' && c <= 'f' ? c - 'a' + 10
                          : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                 : -1;
        if (digit < 0) {
            return std::nullopt;
        }
        value = value * 16 + unsigned(digit);
    }
    if (text.size() == 7) {
        return qRgba(int(value >> 16 & 0xff), int(value >> 8 & 0xff), int(value & 0xff), 0xff);
    }
    return qRgba(int(value >> 24 & 0xff), int(value >> 16 & 0xff), int(value >> 8 & 0xff),
                 int(value & 0xff));
}

std::string trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string::npos) {
        return {};
    }
    return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

} // namespace

std::variant<QImage, ArtError> readPixelArt(const std::string& text) {
    std::map<char, QRgb> palette;
    std::vector<std::string> rows;
    std::istringstream in(text);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        const std::string where = "line " + std::to_string(number) + ": ";
        line = trimmed(line);
        if (line.empty() || line[0] == '#') {
            continue;
        }
        if (line.size() > 2 && line.find('=') != std::string::npos && rows.empty()) {
            const std::string value = trimmed(line.substr(line.find('=') + 1));
            const std::optional<QRgb> colour = readColour(value);
            if (!colour || trimmed(line.substr(0, line.find('='))).size() != 1) {
                return ArtError{where + "expected \"C = #rrggbb\" or \"C = #rrggbbaa\""};
            }
            palette[line[0]] = *colour;
            continue;
        }
        for (char c : line) {
            if (palette.count(c) == 0) {
                return ArtError{where + "no colour for '" + std::string(1, c) + "'"};
            }
        }
        if (!rows.empty() && line.size() != rows.front().size()) {
            return ArtError{where + "a row of " + std::to_string(line.size()) +
                            " pixels where the first has " + std::to_string(rows.front().size())};
        }
        rows.push_back(line);
    }
    if (rows.empty() || rows.size() != rows.front().size()) {
        return ArtError{"the picture is not square: " + std::to_string(rows.size()) + " rows of " +
                        std::to_string(rows.empty() ? 0 : rows.front().size()) + " pixels"};
    }
    const int size = int(rows.size());
    QImage image(size, size, QImage::Format_ARGB32);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            image.setPixel(x, y, palette[rows[size_t(y)][size_t(x)]]);
        }
    }
    return image;
}

} // namespace ohmora::icon
