// ohmora-icon: makes the program's icon for the desktop's icon theme, the
// scalable SVG and one PNG per size. The small sizes are drawn pixel by
// pixel (ART-DIR/ohmora-N.txt), so that they stay sharp; the others are the
// scalable drawing rendered at that size.
//   ohmora-icon ART-DIR OUTPUT-DIR
// writes OUTPUT-DIR/hicolor/scalable/apps/ohmora.svg and
// OUTPUT-DIR/hicolor/NxN/apps/ohmora.png.

#include "PixelArt.h"
#include "VectorIcon.h"
#include "files/AtomicFile.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>

#include <array>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <variant>

namespace {

namespace fs = std::filesystem;
using ohmora::icon::ArtError;

constexpr std::array kSizes = {16, 22, 24, 32, 48, 64, 128, 256};

bool write(const fs::path& path, std::string_view bytes) {
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    std::string reason;
    if (!ohmora::files::writeFileAtomically(path.string(), bytes, &reason)) {
        std::cerr << "ohmora-icon: cannot write " << path.string() << ": " << reason << '\n';
        return false;
    }
    return true;
}

std::variant<QImage, ArtError> iconAt(int size, const fs::path& artDir,
                                      const ohmora::icon::VectorIcon& drawing) {
    const fs::path art = artDir / ("ohmora-" + std::to_string(size) + ".txt");
    if (fs::exists(art)) {
        std::ifstream in(art, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        auto image = ohmora::icon::readPixelArt(text.str());
        if (const auto* error = std::get_if<ArtError>(&image)) {
            return ArtError{art.string() + ": " + error->message};
        }
        if (std::get<QImage>(image).width() != size) {
            return ArtError{art.string() + ": not " + std::to_string(size) + " pixels wide"};
        }
        return image;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    drawing.paint(painter, size);
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: ohmora-icon ART-DIR OUTPUT-DIR\n";
        return 2;
    }
    const fs::path artDir(argv[1]);
    const fs::path theme = fs::path(argv[2]) / "hicolor";
    const ohmora::icon::VectorIcon drawing;
    if (!write(theme / "scalable" / "apps" / "ohmora.svg", drawing.svg())) {
        return 1;
    }
    for (int size : kSizes) {
        const auto image = iconAt(size, artDir, drawing);
        if (const auto* error = std::get_if<ArtError>(&image)) {
            std::cerr << "ohmora-icon: " << error->message << '\n';
            return 1;
        }
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (!std::get<QImage>(image).save(&buffer, "PNG")) {
            std::cerr << "ohmora-icon: cannot encode the " << size << " pixel picture\n";
            return 1;
        }
        const std::string dir = std::to_string(size) + "x" + std::to_string(size);
        if (!write(theme / dir / "apps" / "ohmora.png",
                   std::string_view(png.constData(), size_t(png.size())))) {
            return 1;
        }
    }
    return 0;
}
