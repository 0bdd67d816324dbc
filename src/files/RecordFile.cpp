#include "files/RecordFile.h"

#include "files/SystemErrors.h"
#include "files/Windows1252.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ohmora::files {

RecordText RecordImage::read(int record) const {
    RecordText out;
    if (record < 1) {
        return out;
    }
    const size_t offset = size_t(record - 1) * kRecordSize;
    if (offset >= bytes_.size()) {
        return out; // beyond the end: empty
    }
    if (offset + 2 > bytes_.size()) {
        out.status = RecordStatus::Truncated;
        return out;
    }
    const size_t length = size_t(static_cast<unsigned char>(bytes_[offset])) |
                          size_t(static_cast<unsigned char>(bytes_[offset + 1])) << 8;
    if (length > kMaxTextLength) {
        out.status = RecordStatus::TooLong;
        return out;
    }
    if (offset + 2 + length > bytes_.size()) {
        out.status = RecordStatus::Truncated;
        return out;
    }
    out.text = utf8FromWindows1252(std::string_view(bytes_).substr(offset + 2, length));
    return out;
}

bool RecordImage::write(int record, std::string_view text) {
    const std::optional<std::string> encoded = recordBytes(text);
    if (record < 1 || !encoded) {
        return false;
    }
    const size_t offset = size_t(record - 1) * kRecordSize;
    const size_t end = offset + 2 + encoded->size();
    if (bytes_.size() < end) {
        bytes_.resize(end, '\0');
    }
    bytes_[offset] = char(encoded->size() & 0xFF);
    bytes_[offset + 1] = char(encoded->size() >> 8);
    bytes_.replace(offset + 2, encoded->size(), *encoded);
    return true;
}

std::optional<std::string> recordBytes(std::string_view text) {
    std::optional<std::string> encoded = windows1252FromUtf8(text);
    if (encoded && encoded->size() > kMaxTextLength) {
        return std::nullopt;
    }
    return encoded;
}

std::optional<std::string> readFileHead(const std::filesystem::path& path, std::size_t maxBytes,
                                        std::string* error) {
    const auto fail = [&](int code) -> std::optional<std::string> {
        if (error) {
            *error = path.string() + " : " + systemErrorText(code);
        }
        return std::nullopt;
    };
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return fail(errno);
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int code = S_ISDIR(st.st_mode) ? EISDIR : (errno ? errno : EINVAL);
        ::close(fd);
        return fail(code);
    }
    std::string bytes(maxBytes, '\0');
    size_t got = 0;
    while (got < maxBytes) {
        const ssize_t n = ::read(fd, bytes.data() + got, maxBytes - got);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            const int code = errno;
            ::close(fd);
            return fail(code);
        }
        if (n == 0) {
            break;
        }
        got += size_t(n);
    }
    ::close(fd);
    bytes.resize(got);
    return bytes;
}

} // namespace ohmora::files
