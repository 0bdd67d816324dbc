#include "GuiApplication.h"

#include <filesystem>
#include <unistd.h>

namespace ohmora::cli {

std::unique_ptr<QGuiApplication> makeGuiApplication() {
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

} // namespace ohmora::cli
