#include "files/AtomicFile.h"

#include "files/SystemErrors.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ohmora::files {

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

} // namespace

bool writeFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                         std::string* error) {
    if (path.empty() || !path.has_filename()) {
        return fail(error, path.string(), EINVAL);
    }
    struct stat existing {};
    const bool exists = ::stat(path.c_str(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode)) {
        return fail(error, path.string(), EISDIR);
    }
    const std::filesystem::path directory =
        path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
    std::string temporary = (directory / ("." + path.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        return fail(error, directory.string(), errno);
    }
    const auto abandon = [&](std::string_view what, int code) {
        ::close(fd);
        ::unlink(temporary.c_str());
        return fail(error, what, code);
    };
    if (::fchmod(fd, exists ? (existing.st_mode & 07777) : newFileMode()) != 0) {
        return abandon(temporary, errno);
    }
    const char* data = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, left);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return abandon(temporary, errno);
        }
        data += written;
        left -= size_t(written);
    }
    if (::fsync(fd) != 0) {
        return abandon(temporary, errno);
    }
    if (::close(fd) != 0) {
        const int code = errno;
        ::unlink(temporary.c_str());
        return fail(error, temporary, code);
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        const int code = errno;
        ::unlink(temporary.c_str());
        return fail(error, path.string(), code);
    }
    return true;
}

} // namespace ohmora::files
