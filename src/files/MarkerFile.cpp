#include "files/MarkerFile.h"

#include "files/RecordFile.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace ohmora::files {

namespace {

bool writeAll(int fd, const std::string& bytes, off_t offset) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            ::pwrite(fd, bytes.data() + done, bytes.size() - done, offset + off_t(done));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        done += size_t(n);
    }
    return true;
}

} // namespace

bool writeMarkerRecord(const std::filesystem::path& file, int record, std::string_view text) {
    const std::optional<std::string> encoded = recordBytes(text);
    if (record < 1 || !encoded) {
        return false;
    }
    const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666);
    if (fd < 0) {
        return false;
    }
    std::string bytes;
    bytes += char(encoded->size() & 0xFF);
    bytes += char(encoded->size() >> 8);
    bytes += *encoded;
    // Writing past the end fills the gap with zero bytes, as a record
    // file's unwritten records are.
    const bool ok = writeAll(fd, bytes, off_t(size_t(record - 1) * kRecordSize));
    return ::close(fd) == 0 && ok;
}

std::optional<std::string> takeExerciseRequest(const std::filesystem::path& file) {
    const std::optional<std::string> head =
        readFileHead(file, size_t(kExerciseRequestRecord) * kRecordSize);
    if (!head) {
        return std::nullopt;
    }
    const RecordText request = RecordImage(*head).read(kExerciseRequestRecord);
    const size_t recordStart = size_t(kExerciseRequestRecord - 1) * kRecordSize;
    // A file too short to hold the record has no request to empty.
    if (head->size() > recordStart) {
        writeMarkerRecord(file, kExerciseRequestRecord, "");
    }
    if (request.status != RecordStatus::Ok) {
        return std::nullopt;
    }
    return request.text;
}

} // namespace ohmora::files
