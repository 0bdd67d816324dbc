#pragma once
// The record files the program shares with the other programs of the
// suite (configurations, exercises, the first-use guide, the marker file):
// records of 128 bytes, record n (from 1) at offset (n - 1) × 128, each a
// 16-bit little-endian length L followed by L bytes of Windows-1252 text;
// the rest of the record is padding that carries no meaning. A record that
// lies beyond the end of the file reads as an empty text.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace ohmora::files {

inline constexpr std::size_t kRecordSize = 128;
inline constexpr std::size_t kMaxTextLength = kRecordSize - 2;

enum class RecordStatus {
    Ok,
    TooLong,   // the length field says more than 126
    Truncated, // the file ends inside the length or the text
};

struct RecordText {
    RecordStatus status = RecordStatus::Ok;
    std::string text; // UTF-8
};

// A record file's bytes, read and written by record.
class RecordImage {
public:
    RecordImage() = default;
    explicit RecordImage(std::string bytes) : bytes_(std::move(bytes)) {}

    RecordText read(int record) const;

    // Writes the length and the text of `record`, leaving every other byte
    // as it was; a file that ends before the record is first filled with
    // zero bytes up to it. False, and nothing written, for a record number
    // below 1 or a text that does not fit 126 bytes of Windows-1252.
    bool write(int record, std::string_view text);

    const std::string& bytes() const { return bytes_; }

private:
    std::string bytes_;
};

// The text's bytes in a record: its Windows-1252 form, or nothing when it
// has characters the code page lacks or is longer than 126 bytes.
std::optional<std::string> recordBytes(std::string_view text);

// Reads at most the first `maxBytes` bytes of a file: enough for the
// records a reader needs, whatever the file's size. Nothing (and a short
// reason) when it is missing, a directory or unreadable.
std::optional<std::string> readFileHead(const std::filesystem::path& path, std::size_t maxBytes,
                                        std::string* error = nullptr);

} // namespace ohmora::files
