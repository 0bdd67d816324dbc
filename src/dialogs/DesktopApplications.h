#pragma once
// Whether the desktop has an application for a kind of document (a MIME
// type such as "text/html"), found in the desktop's MIME database the way
// its opener (xdg-open, and the desktops' own openers) finds it: the
// defaults and the associations of the mimeapps.list files, then the
// MimeType of the applications' desktop entries. An application counts
// only when it is installed: its desktop entry is not hidden and names a
// program that exists. Standard C++ only, reading files that other
// programs write: whatever they hold, the answer is found or not, quickly.

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ohmora::desktop {

// Where the desktop keeps its configuration and its data, and where
// programs are found.
struct XdgEnvironment {
    std::string configHome;              // XDG_CONFIG_HOME, else ~/.config
    std::vector<std::string> configDirs; // XDG_CONFIG_DIRS, else /etc/xdg
    std::string dataHome;                // XDG_DATA_HOME, else ~/.local/share
    std::vector<std::string> dataDirs;   // XDG_DATA_DIRS, else /usr/local/share:/usr/share
    std::vector<std::string> desktops;   // XDG_CURRENT_DESKTOP, in lower case
    std::vector<std::string> path;       // PATH
    std::vector<std::string> browsers;   // BROWSER: commands for web pages
};

// The process's environment, with the defaults above for what it leaves
// unset or empty.
XdgEnvironment xdgEnvironment();

// The desktop entry (its id, "firefox-esr.desktop") of the application the
// desktop opens `mimeType` with: its default when installed, else the first
// associated application installed; nothing when there is none.
std::optional<std::string> applicationFor(std::string_view mimeType, const XdgEnvironment& xdg);

// The web browser the opener falls back on for a web page when no
// application is associated with it (xdg-open outside a known desktop): the
// first installed program of BROWSER's commands, else of the graphical
// browsers it tries (x-www-browser, the Debian alternative, first).
std::optional<std::string> fallbackBrowser(const XdgEnvironment& xdg);

// A desktop entry or a mimeapps.list: groups of "key=value" lines, comments
// and blank lines left out; a later key replaces an earlier one.
using KeyFile = std::map<std::string, std::map<std::string, std::string, std::less<>>, std::less<>>;
KeyFile parseKeyFile(std::string_view text);

// A list value ("text/html;text/xml;"): its items, empty ones left out,
// "\;" standing for a semicolon inside an item.
std::vector<std::string> listItems(std::string_view value);

// The program an Exec line starts (its first word, quotes removed).
std::string execProgram(std::string_view exec);

} // namespace ohmora::desktop
