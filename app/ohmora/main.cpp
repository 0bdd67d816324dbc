// Ohmora: starts the main window, and opens the file it is given (a
// configuration, an exercise or a text: how the desktop opens a file the
// user double-clicks). With --screenshot FILE.png it runs the start-up,
// opens the file given, writes the window's image to FILE and exits, which
// works without a display under QT_QPA_PLATFORM=offscreen. With --zoom 1.5
// the whole program is drawn one and a half times larger.

#include "Application.h"
#include "ReportingPrompter.h"
#include "common/OptionLines.h"
#include "core/ProgramState.h"
#include "dialogs/FrenchTranslations.h"
#include "files/AtomicFile.h"
#include "files/ProgramDirectory.h"
#include "files/TerminationSignals.h"
#include "window/Appearance.h"
#include "window/MainWindow.h"

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QImage>
#include <QPixmap>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <utility>

namespace {

struct Option {
    const char* name;
    const char* value;
    const char* help;
};

// The options, from which the usage is written.
const Option kOptions[] = {
    {"--dir", "DOSSIER",
     "le dossier du programme (exercices, guide, aide, fichier témoin de la suite) ; par "
     "défaut celui de l'exécutable quand il les contient, sinon ../share/ohmora à côté de lui"},
    {"--screenshot", "FICHIER.png",
     "écrire une image de la fenêtre après le démarrage, puis finir"},
    {"--journal", "FICHIER",
     "écrire dans FICHIER une ligne par changement qu'attendent les scripts : le contrôle qui "
     "prend le focus du clavier, la position de K, le début et la fin d'un enregistrement"},
    {"--zoom", "FACTEUR",
     "agrandir tout le programme FACTEUR fois, de 1 à 3 (1,5 ou 2 pour une projection en "
     "classe), en plus de l'échelle du bureau"},
    {"--help", "", "afficher cette aide"},
    {"FICHIER", "",
     "une configuration (.P16), un exercice (.E34) ou un texte (.rtf) à ouvrir au démarrage"},
};

void usage(std::FILE* to = stderr) {
    std::string text = "Usage : ohmora [--dir DOSSIER] [--screenshot FICHIER.png] "
                       "[--zoom FACTEUR] [--journal FICHIER] [--help] [FICHIER]\n";
    for (const Option& o : kOptions) {
        text += ohmora::app::optionLines(o.name, o.value, o.help);
    }
    std::fputs(text.c_str(), to);
}

// Whether a double-dash argument names one of our options ("--name" or
// "--name=VALUE"): told before the application starts, so that a mistyped
// option gets the usage even without a display. Qt's own options take one
// dash.
bool knownLongOption(const char* a) {
    for (const Option& o : kOptions) {
        const std::size_t n = std::strlen(o.name);
        if (o.name[0] == '-' && std::strncmp(a, o.name, n) == 0 && (a[n] == '\0' || a[n] == '=')) {
            return true;
        }
    }
    return false;
}

struct Arguments {
    std::optional<QString> screenshot;
    std::optional<QString> directory;
    std::optional<QString> zoom; // read before the application starts
    std::optional<QString> journal;
    std::optional<QString> file; // to open once the window is up
    bool valid = true;
};

// Reads the program's own arguments (Qt's, -platform and the like, have
// been taken out by QApplication already): "--name VALUE" or
// "--name=VALUE", each at most once, and at most one file.
Arguments readArguments(const QStringList& args) {
    Arguments out;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        if (!a.startsWith(QLatin1Char('-')) && !a.isEmpty()) {
            if (out.file) {
                std::fprintf(stderr, "ohmora\u00A0: un seul fichier à ouvrir\n");
                out.valid = false;
                return out;
            }
            out.file = a;
            continue;
        }
        std::optional<QString>* target = nullptr;
        QString name;
        for (auto [option, slot] : {std::pair{QStringLiteral("--screenshot"), &out.screenshot},
                                    std::pair{QStringLiteral("--dir"), &out.directory},
                                    std::pair{QStringLiteral("--zoom"), &out.zoom},
                                    std::pair{QStringLiteral("--journal"), &out.journal}}) {
            if (a == option || a.startsWith(option + QLatin1Char('='))) {
                target = slot;
                name = option;
            }
        }
        if (!target) {
            std::fprintf(stderr, "ohmora : argument inconnu : %s\n", a.toLocal8Bit().constData());
            out.valid = false;
            return out;
        }
        QString value;
        if (a == name) {
            value = i + 1 < args.size() ? args[++i] : QString();
        } else {
            value = a.mid(name.size() + 1);
        }
        if (value.isEmpty() || target->has_value()) {
            std::fprintf(stderr, "ohmora : %s demande une valeur, une seule fois\n",
                         name.toLocal8Bit().constData());
            out.valid = false;
            return out;
        }
        *target = value;
    }
    return out;
}

// The program directory and the marker file, found from the executable
// when no directory is given: a build, a copy, or an installation whose
// data lives in ../share/ohmora.
ohmora::files::ProgramPaths programPaths(const std::optional<QString>& given) {
    std::optional<std::string> directory;
    if (given) {
        directory = given->toStdString();
    }
    return ohmora::files::locateProgramPaths(directory,
                                             QApplication::applicationDirPath().toStdString());
}

// Writes the image completely or not at all.
bool writePng(const QImage& image, const QString& path) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    std::string reason = "l'image n'a pas pu être codée";
    if (!image.save(&buffer, "PNG") ||
        !ohmora::files::writeFileAtomically(
            path.toStdString(), std::string_view(png.constData(), size_t(png.size())), &reason)) {
        std::fprintf(stderr, "ohmora : impossible d'écrire %s : %s\n",
                     path.toLocal8Bit().constData(), reason.c_str());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    // The help needs no display.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            usage(stdout);
            return 0;
        }
    }
    const ohmora::app::ZoomArgument zoom = ohmora::app::zoomArgument(argc, argv);
    if (!zoom.valid) {
        usage();
        return 2;
    }
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--", 2) == 0 && !knownLongOption(argv[i])) {
            std::fprintf(stderr, "ohmora : argument inconnu : %s\n", argv[i]);
            usage();
            return 2;
        }
    }
    // A picture of the window is made at the factor asked for, whatever the
    // screen; a window on screen at the largest that fits it.
    const bool screenshot = std::any_of(argv + 1, argv + argc, [](const char* a) {
        return std::strncmp(a, "--screenshot", std::strlen("--screenshot")) == 0;
    });
    const std::unique_ptr<QApplication> application =
        ohmora::app::startApplication(argc, argv, zoom.zoom, !screenshot);
    QApplication& app = *application;
    QApplication::setApplicationName(QStringLiteral("Ohmora"));
    // The desktop entry and the icon an installation puts in the desktop's
    // menu and icon theme (none in a build: the window then has no icon).
    QGuiApplication::setDesktopFileName(QStringLiteral("ohmora"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("ohmora")));
    QApplication::setFont(ohmora::controlFont());
    ohmora::installFrenchTranslations(app);

    const Arguments args = readArguments(QApplication::arguments());
    if (!args.valid) {
        usage();
        return 2;
    }

    if (args.directory && !QFileInfo(*args.directory).isDir()) {
        std::fprintf(stderr, "ohmora : %s n'est pas un dossier\n",
                     args.directory->toLocal8Bit().constData());
        return 2;
    }
    const ohmora::files::ProgramPaths paths = programPaths(args.directory);
    ohmora::ProgramState program;
    program.programDirectory = paths.programDirectory;
    if (args.screenshot) {
        // A picture of the window is not a session: the suite is not told
        // that the program runs, and no request of its is taken. Nobody
        // answers its messages: they go to standard error.
        ohmora::app::ReportingPrompter reporting;
        ohmora::MainWindow window(program, &reporting, ohmora::MainWindow::Options{false, nullptr});
        window.show();
        if (args.file) {
            window.session().openFile(*args.file);
        }
        const QImage image = window.grab().toImage();
        return writePng(image, *args.screenshot) && !reporting.failed() ? 0 : 1;
    }

    program.markerFile = paths.markerFile;
    // However the run ends, the suite learns that the program no longer
    // runs: the window's closing, a termination signal, or the toolkit's
    // exit when the display goes away.
    ohmora::files::withdrawPresenceAtTermination();
    QFile journal; // written until the window has gone
    ohmora::MainWindow window(program);
    if (args.journal) {
        journal.setFileName(*args.journal);
        if (!journal.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
            std::fprintf(stderr, "ohmora : impossible d'écrire %s\n",
                         args.journal->toLocal8Bit().constData());
            return 2;
        }
        window.setJournal([&journal](const QString& line) {
            journal.write((line + u'\n').toUtf8());
            journal.flush();
        });
    }
    window.show();
    if (args.file) {
        window.session().openFile(*args.file);
    }
    return QApplication::exec();
}
