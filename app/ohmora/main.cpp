// Ohmora: starts the main window. With --screenshot FILE.png it runs the
// start-up, writes the window's image to FILE and exits, which works
// without a display under QT_QPA_PLATFORM=offscreen.

#include "Appearance.h"
#include "AtomicFile.h"
#include "FrenchTranslations.h"
#include "MainWindow.h"
#include "ProgramState.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QPixmap>

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

namespace {

void usage() {
    std::fputs("Usage: ohmora [--screenshot FILE.png]\n", stderr);
}

struct Arguments {
    std::optional<QString> screenshot;
    bool valid = true;
};

// Reads the program's own arguments; Qt's (-platform, ...) have been
// taken out by QApplication already.
Arguments readArguments(const QStringList& args) {
    Arguments out;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--screenshot")) {
            if (i + 1 >= args.size() || args[i + 1].isEmpty() || out.screenshot) {
                std::fputs("ohmora: --screenshot needs one file name\n", stderr);
                out.valid = false;
                return out;
            }
            out.screenshot = args[++i];
        } else if (a.startsWith(QLatin1String("--screenshot="))) {
            const QString file = a.mid(int(std::strlen("--screenshot=")));
            if (file.isEmpty() || out.screenshot) {
                std::fputs("ohmora: --screenshot needs one file name\n", stderr);
                out.valid = false;
                return out;
            }
            out.screenshot = file;
        } else {
            std::fprintf(stderr, "ohmora: unknown argument: %s\n", a.toLocal8Bit().constData());
            out.valid = false;
            return out;
        }
    }
    return out;
}

// Writes the image completely or not at all.
bool writePng(const QImage& image, const QString& path) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    std::string reason = "cannot encode the picture";
    if (!image.save(&buffer, "PNG") ||
        !ohmora::files::writeFileAtomically(
            path.toStdString(), std::string_view(png.constData(), size_t(png.size())), &reason)) {
        std::fprintf(stderr, "ohmora: cannot write %s: %s\n", path.toLocal8Bit().constData(),
                     reason.c_str());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ohmora"));
    QApplication::setFont(ohmora::controlFont());
    ohmora::installFrenchTranslations(app);

    const Arguments args = readArguments(QApplication::arguments());
    if (!args.valid) {
        usage();
        return 2;
    }

    ohmora::ProgramState program;
    if (args.screenshot) {
        ohmora::MainWindow window(program, nullptr, ohmora::MainWindow::Options{false});
        window.show();
        const QImage image = window.grab().toImage();
        return writePng(image, *args.screenshot) ? 0 : 1;
    }

    ohmora::MainWindow window(program);
    window.show();
    return QApplication::exec();
}
