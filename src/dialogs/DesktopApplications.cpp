#include "dialogs/DesktopApplications.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <system_error>
#include <unistd.h>

namespace ohmora::desktop {

namespace fs = std::filesystem;

namespace {

// A desktop entry or a mimeapps.list is a few kilobytes; the rest of a
// larger file is not read.
constexpr std::size_t kMaxFileBytes = 1 << 20;
// Applications folders hold a few hundred entries; a tree deeper or larger
// than this is not the desktop's.
constexpr int kMaxDepth = 4;
constexpr std::size_t kMaxEntries = 10000;

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

std::vector<std::string> split(std::string_view text, char separator) {
    std::vector<std::string> items;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find(separator, start), text.size());
        if (end > start) {
            items.emplace_back(text.substr(start, end - start));
        }
        start = end + 1;
    }
    return items;
}

std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::optional<std::string> readText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::string text(kMaxFileBytes, '\0');
    in.read(text.data(), std::streamsize(text.size()));
    text.resize(std::size_t(in.gcount()));
    return text;
}

KeyFile readKeyFile(const fs::path& path) {
    const std::optional<std::string> text = readText(path);
    return text ? parseKeyFile(*text) : KeyFile();
}

std::string valueOf(const KeyFile& file, std::string_view group, std::string_view key) {
    const auto g = file.find(group);
    if (g == file.end()) {
        return {};
    }
    const auto v = g->second.find(key);
    return v == g->second.end() ? std::string() : v->second;
}

bool runnable(const fs::path& program) {
    std::error_code ec;
    return fs::is_regular_file(program, ec) && ::access(program.c_str(), X_OK) == 0;
}

bool programExists(const std::string& program, const XdgEnvironment& xdg) {
    if (program.empty()) {
        return false;
    }
    if (program.find('/') != std::string::npos) {
        return runnable(program);
    }
    return std::any_of(xdg.path.begin(), xdg.path.end(),
                       [&](const std::string& dir) { return runnable(fs::path(dir) / program); });
}

// An entry the opener would start: an application, not hidden, whose
// program is installed.
bool installed(const KeyFile& entry, const XdgEnvironment& xdg) {
    constexpr std::string_view group = "Desktop Entry";
    if (valueOf(entry, group, "Type") != "Application" ||
        valueOf(entry, group, "Hidden") == "true") {
        return false;
    }
    const std::string tryExec = valueOf(entry, group, "TryExec");
    if (!tryExec.empty() && !programExists(tryExec, xdg)) {
        return false;
    }
    return programExists(execProgram(valueOf(entry, group, "Exec")), xdg);
}

// The applications folders, the user's first: the first entry of an id
// hides the others.
std::vector<fs::path> applicationDirs(const XdgEnvironment& xdg) {
    std::vector<fs::path> dirs{fs::path(xdg.dataHome) / "applications"};
    for (const std::string& dir : xdg.dataDirs) {
        dirs.push_back(fs::path(dir) / "applications");
    }
    return dirs;
}

// The mimeapps.list files, the one that counts most first.
std::vector<fs::path> mimeappsLists(const XdgEnvironment& xdg) {
    std::vector<fs::path> dirs{xdg.configHome};
    dirs.insert(dirs.end(), xdg.configDirs.begin(), xdg.configDirs.end());
    for (const fs::path& dir : applicationDirs(xdg)) {
        dirs.push_back(dir);
    }
    std::vector<fs::path> lists;
    for (const fs::path& dir : dirs) {
        for (const std::string& desktop : xdg.desktops) {
            lists.push_back(dir / (desktop + "-mimeapps.list"));
        }
        lists.push_back(dir / "mimeapps.list");
    }
    return lists;
}

// Every desktop entry by its id ("kde/app.desktop" is "kde-app.desktop"),
// in the order of the folders, each folder's entries sorted.
class EntryIndex {
public:
    explicit EntryIndex(const XdgEnvironment& xdg) {
        for (const fs::path& dir : applicationDirs(xdg)) {
            addFolder(dir);
        }
    }
    const std::vector<std::pair<std::string, fs::path>>& entries() const { return entries_; }
    std::optional<fs::path> find(const std::string& id) const {
        const auto found = byId_.find(id);
        if (found == byId_.end()) {
            return std::nullopt;
        }
        return entries_[found->second].second;
    }

private:
    void addFolder(const fs::path& dir) {
        std::error_code ec;
        std::vector<std::pair<std::string, fs::path>> found;
        fs::recursive_directory_iterator it(dir, ec);
        for (; !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
            if (it.depth() >= kMaxDepth) {
                it.disable_recursion_pending();
            }
            if (it->path().extension() != ".desktop" || !it->is_regular_file(ec)) {
                continue;
            }
            std::string id = it->path().lexically_relative(dir).string();
            std::replace(id.begin(), id.end(), '/', '-');
            found.emplace_back(std::move(id), it->path());
            if (found.size() + entries_.size() >= kMaxEntries) {
                break;
            }
        }
        std::sort(found.begin(), found.end());
        for (auto& entry : found) {
            if (byId_.emplace(entry.first, entries_.size()).second) {
                entries_.push_back(std::move(entry));
            }
        }
    }

    std::vector<std::pair<std::string, fs::path>> entries_;
    std::map<std::string, std::size_t, std::less<>> byId_;
};

} // namespace

XdgEnvironment xdgEnvironment() {
    const std::string home = environment("HOME");
    const auto orDefault = [](const std::string& value, const std::string& fallback) {
        return value.empty() ? fallback : value;
    };
    XdgEnvironment xdg;
    xdg.configHome = orDefault(environment("XDG_CONFIG_HOME"), home + "/.config");
    xdg.configDirs = split(orDefault(environment("XDG_CONFIG_DIRS"), "/etc/xdg"), ':');
    xdg.dataHome = orDefault(environment("XDG_DATA_HOME"), home + "/.local/share");
    xdg.dataDirs =
        split(orDefault(environment("XDG_DATA_DIRS"), "/usr/local/share:/usr/share"), ':');
    for (std::string desktop : split(environment("XDG_CURRENT_DESKTOP"), ':')) {
        std::transform(desktop.begin(), desktop.end(), desktop.begin(),
                       [](unsigned char c) { return char(std::tolower(c)); });
        xdg.desktops.push_back(desktop);
    }
    xdg.path = split(environment("PATH"), ':');
    xdg.browsers = split(environment("BROWSER"), ':');
    return xdg;
}

std::optional<std::string> fallbackBrowser(const XdgEnvironment& xdg) {
    static const char* const kGraphical[] = {
        "x-www-browser", "firefox",  "firefox-esr", "chromium",  "chromium-browser",
        "google-chrome", "epiphany", "konqueror",   "seamonkey", "falkon"};
    std::vector<std::string> programs;
    for (const std::string& command : xdg.browsers) {
        programs.push_back(execProgram(command));
    }
    programs.insert(programs.end(), std::begin(kGraphical), std::end(kGraphical));
    for (const std::string& program : programs) {
        if (programExists(program, xdg)) {
            return program;
        }
    }
    return std::nullopt;
}

std::optional<std::string> applicationFor(std::string_view mimeType, const XdgEnvironment& xdg) {
    const EntryIndex index(xdg);
    const auto usable = [&](const std::string& id) {
        const std::optional<fs::path> path = index.find(id);
        return path && installed(readKeyFile(*path), xdg);
    };
    std::vector<KeyFile> lists;
    for (const fs::path& list : mimeappsLists(xdg)) {
        lists.push_back(readKeyFile(list));
    }
    for (const KeyFile& list : lists) {
        for (const std::string& id : listItems(valueOf(list, "Default Applications", mimeType))) {
            if (usable(id)) {
                return id;
            }
        }
    }
    // An association a list removes holds for the lists that count less and
    // for the entries' own MimeType.
    std::set<std::string, std::less<>> removed;
    for (const KeyFile& list : lists) {
        for (const std::string& id : listItems(valueOf(list, "Added Associations", mimeType))) {
            if (removed.count(id) == 0 && usable(id)) {
                return id;
            }
        }
        for (std::string& id : listItems(valueOf(list, "Removed Associations", mimeType))) {
            removed.insert(std::move(id));
        }
    }
    for (const auto& [id, path] : index.entries()) {
        if (removed.count(id) != 0) {
            continue;
        }
        const KeyFile entry = readKeyFile(path);
        const std::vector<std::string> types =
            listItems(valueOf(entry, "Desktop Entry", "MimeType"));
        if (std::find(types.begin(), types.end(), mimeType) != types.end() &&
            installed(entry, xdg)) {
            return id;
        }
    }
    return std::nullopt;
}

KeyFile parseKeyFile(std::string_view text) {
    KeyFile file;
    std::map<std::string, std::string, std::less<>>* group = nullptr;
    for (const std::string& rawLine : split(text, '\n')) {
        const std::string_view line = trimmed(rawLine);
        if (line.empty() || line.front() == '#') {
            continue;
        }
        if (line.front() == '[') {
            const std::size_t close = line.find(']');
            group = close == std::string_view::npos ? nullptr
                                                    : &file[std::string(line.substr(1, close - 1))];
            continue;
        }
        const std::size_t equals = line.find('=');
        if (group == nullptr || equals == std::string_view::npos) {
            continue;
        }
        (*group)[std::string(trimmed(line.substr(0, equals)))] =
            std::string(trimmed(line.substr(equals + 1)));
    }
    return file;
}

std::vector<std::string> listItems(std::string_view value) {
    std::vector<std::string> items;
    std::string item;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size() && value[i + 1] == ';') {
            item += ';';
            ++i;
        } else if (value[i] == ';') {
            if (!item.empty()) {
                items.push_back(std::move(item));
            }
            item.clear();
        } else {
            item += value[i];
        }
    }
    if (!item.empty()) {
        items.push_back(std::move(item));
    }
    return items;
}

std::string execProgram(std::string_view exec) {
    exec = trimmed(exec);
    if (!exec.empty() && exec.front() == '"') {
        const std::size_t close = exec.find('"', 1);
        return std::string(
            exec.substr(1, close == std::string_view::npos ? exec.size() - 1 : close - 1));
    }
    return std::string(exec.substr(0, std::min(exec.find(' '), exec.size())));
}

} // namespace ohmora::desktop
