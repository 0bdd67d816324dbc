// The application the desktop opens a kind of document with, found in a
// desktop made in a temporary folder: its configuration, its data and its
// programs.

#include "dialogs/DesktopApplications.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <unistd.h>

using namespace ohmora::desktop;
namespace fs = std::filesystem;

namespace {

// A desktop of its own, with one installed program, "navigateur".
struct FakeDesktop {
    fs::path root;
    XdgEnvironment xdg;

    explicit FakeDesktop(const std::string& name) {
        root = fs::temp_directory_path() /
               ("ohmora-desktop-" + std::to_string(::getpid()) + "-" + name);
        fs::remove_all(root);
        xdg.configHome = (root / "config").string();
        xdg.configDirs = {(root / "etc").string()};
        xdg.dataHome = (root / "home-data").string();
        xdg.dataDirs = {(root / "data").string()};
        xdg.path = {(root / "bin").string()};
        write("bin/navigateur", "#!/bin/sh\n");
        fs::permissions(root / "bin/navigateur", fs::perms::owner_all);
    }
    void write(const std::string& relative, const std::string& text) const {
        fs::create_directories((root / relative).parent_path());
        std::ofstream(root / relative) << text;
    }
    void entry(const std::string& relative, const std::string& lines) const {
        write(relative, "[Desktop Entry]\nType=Application\nName=N\n" + lines);
    }
};

const std::string kBrowser = "Exec=navigateur %u\nMimeType=text/html;application/xhtml+xml;\n";

struct Row {
    const char* name;
    std::function<void(FakeDesktop&)> make;
    std::optional<std::string> application;
};

} // namespace

TEST(DesktopApplications, TheApplicationForAKindOfDocument) {
    const Row rows[] = {
        {"nothing installed", [](FakeDesktop&) {}, std::nullopt},
        {"an entry's MimeType",
         [](FakeDesktop& d) { d.entry("data/applications/nav.desktop", kBrowser); }, "nav.desktop"},
        {"an entry in a subfolder",
         [](FakeDesktop& d) { d.entry("data/applications/web/nav.desktop", kBrowser); },
         "web-nav.desktop"},
        {"an entry for other kinds only",
         [](FakeDesktop& d) {
             d.entry("data/applications/nav.desktop", "Exec=navigateur\nMimeType=text/plain;\n");
         },
         std::nullopt},
        {"a program that is not installed",
         [](FakeDesktop& d) {
             d.entry("data/applications/nav.desktop", "Exec=absent %u\nMimeType=text/html;\n");
         },
         std::nullopt},
        {"a TryExec that is not installed",
         [](FakeDesktop& d) {
             d.entry("data/applications/nav.desktop", "TryExec=absent\n" + kBrowser);
         },
         std::nullopt},
        {"a link, not an application",
         [](FakeDesktop& d) {
             d.write("data/applications/nav.desktop", "[Desktop Entry]\nType=Link\n" + kBrowser);
         },
         std::nullopt},
        {"hidden by the user's own entry",
         [](FakeDesktop& d) {
             d.entry("data/applications/nav.desktop", kBrowser);
             d.entry("home-data/applications/nav.desktop", "Hidden=true\n" + kBrowser);
         },
         std::nullopt},
        {"the default of a mimeapps.list",
         [](FakeDesktop& d) {
             d.entry("data/applications/a.desktop", kBrowser);
             d.entry("data/applications/b.desktop", kBrowser);
             d.write("config/mimeapps.list", "[Default Applications]\ntext/html=b.desktop\n");
         },
         "b.desktop"},
        {"a default not installed, then the associations",
         [](FakeDesktop& d) {
             d.entry("data/applications/a.desktop", kBrowser);
             d.write("etc/mimeapps.list", "[Default Applications]\ntext/html=gone.desktop;\n");
         },
         "a.desktop"},
        {"the desktop's own list first",
         [](FakeDesktop& d) {
             d.xdg.desktops = {"gnome"};
             d.entry("data/applications/a.desktop", kBrowser);
             d.entry("data/applications/b.desktop", kBrowser);
             d.write("config/mimeapps.list", "[Default Applications]\ntext/html=a.desktop\n");
             d.write("config/gnome-mimeapps.list", "[Default Applications]\ntext/html=b.desktop\n");
         },
         "b.desktop"},
        {"an added association",
         [](FakeDesktop& d) {
             d.entry("data/applications/c.desktop", "Exec=navigateur\n");
             d.write("data/applications/mimeapps.list",
                     "# added\n[Added Associations]\ntext/html=c.desktop;\n");
         },
         "c.desktop"},
        {"a removed association",
         [](FakeDesktop& d) {
             d.entry("data/applications/a.desktop", kBrowser);
             d.write("config/mimeapps.list", "[Removed Associations]\ntext/html=a.desktop;\n");
         },
         std::nullopt},
    };
    for (const Row& row : rows) {
        FakeDesktop desktop(row.name);
        row.make(desktop);
        EXPECT_EQ(applicationFor("text/html", desktop.xdg), row.application) << row.name;
    }
}

// With no application for web pages, the opener's own fallback: BROWSER's
// commands, then the graphical browsers it knows, when installed.
TEST(DesktopApplications, TheOpenersFallbackBrowser) {
    const struct {
        const char* name;
        std::vector<std::string> browsers;
        std::optional<std::string> program;
    } rows[] = {
        {"none installed", {}, std::nullopt},
        {"BROWSER's installed command", {"absent %s", "navigateur --nouvelle %s"}, "navigateur"},
        {"BROWSER's commands not installed", {"absent"}, std::nullopt},
    };
    for (const auto& row : rows) {
        FakeDesktop desktop(row.name);
        desktop.xdg.browsers = row.browsers;
        EXPECT_EQ(fallbackBrowser(desktop.xdg), row.program) << row.name;
    }
    FakeDesktop alternative("x-www-browser");
    alternative.write("bin/x-www-browser", "#!/bin/sh\n");
    fs::permissions(alternative.root / "bin/x-www-browser", fs::perms::owner_all);
    EXPECT_EQ(fallbackBrowser(alternative.xdg), "x-www-browser");
}

TEST(DesktopApplications, KeyFilesListsAndExecLines) {
    const KeyFile file =
        parseKeyFile("# comment\nstray=1\n[A]\n k = v \n[B\nx=1\n[C]\nnoequals\nk=");
    EXPECT_EQ(file.size(), 2u);
    EXPECT_EQ(file.at("A").at("k"), "v");
    EXPECT_EQ(file.at("C").at("k"), "");
    EXPECT_EQ(listItems("a;;b\\;c;"), (std::vector<std::string>{"a", "b;c"}));
    EXPECT_EQ(execProgram(" \"/opt/mon navigateur/nav\" %u"), "/opt/mon navigateur/nav");
    EXPECT_EQ(execProgram("firefox-esr %u"), "firefox-esr");
    EXPECT_EQ(execProgram("\"unclosed"), "unclosed");
}
