#include "Application.h"

#include "window/MainWindow.h"
#include "window/Zoom.h"

#include <QScreen>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace ohmora::app {

namespace {

constexpr const char* kZoomOption = "--zoom";

// The application at `factor` times the screens' scale. The environment
// is given back afterwards: the programs this one starts (the help's
// browser) keep the desktop's scale.
std::unique_ptr<QApplication> scaledApplication(int& argc, char** argv, double factor) {
    const bool had = qEnvironmentVariableIsSet("QT_SCALE_FACTOR");
    const QByteArray before = qgetenv("QT_SCALE_FACTOR");
    qputenv("QT_SCALE_FACTOR", QByteArray::number(factor, 'g', 6));
    auto app = std::make_unique<QApplication>(argc, argv);
    if (had) {
        qputenv("QT_SCALE_FACTOR", before);
    } else {
        qunsetenv("QT_SCALE_FACTOR");
    }
    return app;
}

} // namespace

ZoomArgument zoomArgument(int argc, char** argv) {
    ZoomArgument out;
    const std::size_t length = std::strlen(kZoomOption);
    for (int i = 1; i < argc; ++i) {
        const char* value = nullptr;
        if (std::strcmp(argv[i], kZoomOption) == 0) {
            value = i + 1 < argc ? argv[i + 1] : "";
        } else if (std::strncmp(argv[i], kZoomOption, length) == 0 && argv[i][length] == '=') {
            value = argv[i] + length + 1;
        } else {
            continue;
        }
        out.zoom = readZoom(value);
        if (!out.zoom) {
            std::fprintf(stderr,
                         "ohmora : --zoom demande un facteur de 1 à 3 (1,5 ou 2 par "
                         "exemple), pas « %s »\n",
                         value);
            out.valid = false;
        }
        return out;
    }
    return out;
}

std::unique_ptr<QApplication> startApplication(int& argc, char** argv, std::optional<double> zoom,
                                               bool fitScreen) {
    if (!zoom || *zoom == 1) {
        return std::make_unique<QApplication>(argc, argv);
    }
    // The desktop's own factor, which the run's multiplies.
    bool read = false;
    double desktop = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&read);
    if (!read || desktop <= 0) {
        desktop = 1;
    }
    // Qt takes its own arguments (-platform and the like) out of argv: a
    // second start needs them back.
    const int givenCount = argc;
    const std::vector<char*> given(argv, argv + argc);
    auto app = scaledApplication(argc, argv, desktop * *zoom);
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!fitScreen || !screen) {
        return app;
    }
    const double ratio = screen->devicePixelRatio(); // the desktop's, the run's, the screen's
    const QRect available = screen->availableGeometry();
    const double fitting =
        fittingZoom(*zoom, ratio / *zoom, MainWindow::kWidth, MainWindow::kHeight,
                    int(available.width() * ratio), int(available.height() * ratio));
    if (fitting >= *zoom) {
        return app;
    }
    std::fprintf(stderr,
                 "ohmora : agrandie %s fois, la fenêtre dépasserait l'écran ; elle est agrandie "
                 "%s fois\n",
                 zoomText(*zoom).c_str(), zoomText(fitting).c_str());
    app.reset();
    argc = givenCount;
    std::copy(given.begin(), given.end(), argv);
    return scaledApplication(argc, argv, desktop * fitting);
}

} // namespace ohmora::app
