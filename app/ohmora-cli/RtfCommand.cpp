#include "RtfCommand.h"

#include "RichText.h"

#include <QGuiApplication>
#include <QString>
#include <QTextDocument>

#include <filesystem>
#include <memory>
#include <ostream>
#include <unistd.h>

namespace ohmora::cli {

namespace {

// Pictures and fonts need a GUI application; an offscreen one lives only
// while the command runs.
std::unique_ptr<QGuiApplication> makeOffscreenApplication() {
    if (QGuiApplication::instance()) {
        return nullptr;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        // Without it Qt warns on standard error, where the command's messages go.
        const auto dir = std::filesystem::temp_directory_path() /
                         ("ohmora-runtime-" + std::to_string(::getuid()));
        std::error_code ec;
        std::filesystem::create_directories(dir, ec);
        std::filesystem::permissions(dir, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::replace, ec);
        qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(dir.string()));
    }
    static int argc = 1;
    static char name[] = "ohmora-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

void usage(std::ostream& err) {
    err << "usage: ohmora-cli rtf FILE --text\n"
           "       ohmora-cli rtf FILE --rewrite OUT.rtf\n";
}

} // namespace

int runRtfCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const bool text = args.size() == 2 && args[1] == "--text";
    const bool rewrite = args.size() == 3 && args[1] == "--rewrite";
    if (!text && !rewrite) {
        err << "ohmora-cli rtf: expected FILE --text or FILE --rewrite OUT.rtf\n";
        usage(err);
        return 2;
    }
    const auto app = makeOffscreenApplication();
    QTextDocument document;
    QString error;
    if (!rtf::readRtfFile(QString::fromStdString(args[0]), document, &error)) {
        err << "ohmora-cli rtf: " << error.toStdString() << '\n';
        return 1;
    }
    if (text) {
        out << rtf::plainText(document).toStdString() << '\n';
        return 0;
    }
    if (!rtf::writeRtfFile(QString::fromStdString(args[2]), document, &error)) {
        err << "ohmora-cli rtf: cannot write " << args[2] << ": " << error.toStdString() << '\n';
        return 1;
    }
    return 0;
}

} // namespace ohmora::cli
