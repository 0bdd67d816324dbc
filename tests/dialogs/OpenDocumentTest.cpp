// The help through the real prompt interface, in a desktop made in a
// temporary folder (XDG variables and PATH), without a display: the
// desktop's opener is started only when the desktop has an application
// for the document.

#include "dialogs/QtPrompter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace ohmora {
namespace {

namespace fs = std::filesystem;

TEST(OpenDocument, StartsTheOpenerOnlyWhenTheDesktopHasABrowser) {
    const fs::path root =
        fs::temp_directory_path() / ("ohmora-open-document-" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::create_directories(root / "data/applications");
    // The desktop's MIME database tells the kind of the document.
    fs::create_directory_symlink("/usr/share/mime", root / "data/mime");
    // A browser, and an opener that, like xdg-open, reports success once
    // started.
    for (const char* program : {"bin/navigateur", "opener/xdg-open"}) {
        fs::create_directories((root / program).parent_path());
        std::ofstream(root / program) << "#!/bin/sh\nexit 0\n";
        fs::permissions(root / program, fs::perms::owner_all);
    }
    const fs::path help = root / "ohmora-aide.html";
    std::ofstream(help) << "<html></html>";
    for (const auto& [name, value] : {std::pair{"XDG_CONFIG_HOME", "config"},
                                      {"XDG_CONFIG_DIRS", "etc"},
                                      {"XDG_DATA_HOME", "home-data"},
                                      {"XDG_DATA_DIRS", "data"}}) {
        qputenv(name, QByteArray::fromStdString((root / value).string()));
    }
    qputenv("PATH",
            QByteArray::fromStdString((root / "bin").string() + ":" + (root / "opener").string()));
    qunsetenv("XDG_CURRENT_DESKTOP");

    QtPrompter prompter;
    const QString path = QString::fromStdString(help.string());
    EXPECT_FALSE(prompter.openDocument(path)) << "no browser installed";
    std::ofstream(root / "data/applications/nav.desktop")
        << "[Desktop Entry]\nType=Application\nName=Nav\nExec=navigateur %u\n"
           "MimeType=text/html;\n";
    EXPECT_TRUE(prompter.openDocument(path)) << "a browser installed";
}

} // namespace
} // namespace ohmora
