#include "RtfCommand.h"

#include "OffscreenApplication.h"
#include "richtext/RichText.h"

#include <QGuiApplication>
#include <QString>
#include <QTextDocument>

#include <memory>
#include <ostream>

namespace ohmora::cli {

namespace {

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
