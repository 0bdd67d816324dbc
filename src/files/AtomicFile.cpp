#include "files/AtomicFile.h"

#include "files/SystemErrors.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace ohmora::files {

namespace fs = std::filesystem;

namespace {

bool fail(std::string* error, std::string_view what, int code) {
    if (error) {
        *error = std::string(what) + " : " + systemErrorText(code);
    }
    return false;
}

// The permissions a new file gets: read and write for whom the umask lets.
mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

fs::path directoryOf(const fs::path& path) {
    return path.has_parent_path() ? path.parent_path() : fs::path(".");
}

// A new, empty file beside `path` whose name starts with a dot and the
// target's name; its descriptor and name, or nothing after `error`.
std::optional<std::pair<int, std::string>> fileBeside(const fs::path& path, std::string_view kind,
                                                      std::string* error) {
    const fs::path directory = directoryOf(path);
    std::string name =
        (directory / ("." + path.filename().string() + std::string(kind) + "XXXXXX")).string();
    const int fd = ::mkstemp(name.data());
    if (fd < 0) {
        fail(error, directory.string(), errno);
        return std::nullopt;
    }
    return std::pair{fd, name};
}

bool writeAll(int fd, std::string_view bytes) {
    const char* data = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, left);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += written;
        left -= size_t(written);
    }
    return true;
}

// Writes the bytes completely, and on disk, into a temporary file beside
// `path` with the permissions the target will have; the temporary file's
// name, or nothing after `error` (no temporary file is left then).
std::optional<std::string> writeBeside(const fs::path& path, std::string_view bytes,
                                       std::string* error) {
    if (path.empty() || !path.has_filename()) {
        fail(error, path.string(), EINVAL);
        return std::nullopt;
    }
    struct stat existing {};
    const bool exists = ::stat(path.c_str(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode)) {
        fail(error, path.string(), EISDIR);
        return std::nullopt;
    }
    const auto created = fileBeside(path, ".", error);
    if (!created) {
        return std::nullopt;
    }
    const auto [fd, temporary] = *created;
    const auto abandon = [&, fd = fd, temporary = temporary](int code) {
        ::close(fd);
        ::unlink(temporary.c_str());
        fail(error, temporary, code);
        return std::nullopt;
    };
    if (::fchmod(fd, exists ? (existing.st_mode & 07777) : newFileMode()) != 0) {
        return abandon(errno);
    }
    if (!writeAll(fd, bytes) || ::fsync(fd) != 0) {
        return abandon(errno);
    }
    if (::close(fd) != 0) {
        const int code = errno;
        ::unlink(temporary.c_str());
        fail(error, temporary, code);
        return std::nullopt;
    }
    return temporary;
}

// A target replaced by its new file: where its former file was put aside
// (empty: there was none), and whether the new file is in place yet.
struct Replacement {
    fs::path target;
    std::string aside;
    bool placed = false;
};

// Puts back every target as it was, the last replaced first.
void undo(std::vector<Replacement>& done) {
    for (auto r = done.rbegin(); r != done.rend(); ++r) {
        if (!r->aside.empty()) {
            ::rename(r->aside.c_str(), r->target.c_str()); // over the new file, if placed
        } else if (r->placed) {
            ::unlink(r->target.c_str());
        }
    }
}

// Moves the target's former file aside, if it has one, then puts the new
// file in its place; `done` records each step for the undoing.
bool replace(const fs::path& target, const std::string& temporary, std::vector<Replacement>& done,
             std::string* error, detail::RenameFunction rename) {
    done.push_back(Replacement{target, {}, false});
    struct stat existing {};
    if (::lstat(target.c_str(), &existing) == 0) {
        const auto aside = fileBeside(target, ".old.", error);
        if (!aside) {
            return false;
        }
        ::close(aside->first);
        if (rename(target.c_str(), aside->second.c_str()) != 0) {
            const int code = errno;
            ::unlink(aside->second.c_str());
            return fail(error, target.string(), code);
        }
        done.back().aside = aside->second;
    }
    if (rename(temporary.c_str(), target.c_str()) != 0) {
        return fail(error, target.string(), errno);
    }
    done.back().placed = true;
    return true;
}

} // namespace

bool writeFileAtomically(const fs::path& path, std::string_view bytes, std::string* error) {
    const std::optional<std::string> temporary = writeBeside(path, bytes, error);
    if (!temporary) {
        return false;
    }
    if (::rename(temporary->c_str(), path.c_str()) != 0) {
        const int code = errno;
        ::unlink(temporary->c_str());
        return fail(error, path.string(), code);
    }
    return true;
}

bool writeFilesTogether(std::span<const FileToWrite> files, std::string* error) {
    return detail::writeFilesTogether(files, error, &std::rename);
}

bool detail::writeFilesTogether(std::span<const FileToWrite> files, std::string* error,
                                RenameFunction rename) {
    std::vector<std::string> temporaries;
    const auto removeTemporaries = [&temporaries] {
        for (const std::string& t : temporaries) {
            ::unlink(t.c_str()); // already renamed: nothing there any more
        }
    };
    for (const FileToWrite& file : files) {
        const std::optional<std::string> temporary = writeBeside(file.path, file.bytes, error);
        if (!temporary) {
            removeTemporaries();
            return false;
        }
        temporaries.push_back(*temporary);
    }
    std::vector<Replacement> done;
    for (size_t i = 0; i < files.size(); ++i) {
        if (!replace(files[i].path, temporaries[i], done, error, rename)) {
            undo(done);
            removeTemporaries();
            return false;
        }
    }
    for (const Replacement& r : done) {
        if (!r.aside.empty()) {
            ::unlink(r.aside.c_str());
        }
    }
    return true;
}

} // namespace ohmora::files
