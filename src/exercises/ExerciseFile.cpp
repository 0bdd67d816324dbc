#include "exercises/ExerciseFile.h"

#include "core/LeadingNumber.h"
#include "files/RecordFile.h"
#include "files/Windows1252.h"

#include <algorithm>
#include <array>

namespace ohmora::exercises {

namespace {

constexpr int kRecords = 11;
constexpr int kTopicRecords = 4;

std::string_view trim(std::string_view s) {
    while (!s.empty() && s.front() == ' ') {
        s.remove_prefix(1);
    }
    while (!s.empty() && s.back() == ' ') {
        s.remove_suffix(1);
    }
    return s;
}

} // namespace

bool isBlank(std::string_view text) {
    return trim(text).empty();
}

bool isCorrected(const ExerciseRecords& e) {
    return !isBlank(e.correction) || !isBlank(e.correctionConfiguration);
}

int litMarks(const ExerciseRecords& e) {
    const double d = readLeadingNumber(e.difficulty).value;
    int lit = 0;
    for (int k = 0; k < 3; ++k) {
        lit += d > k ? 1 : 0;
    }
    return lit;
}

std::string shownTitle(const ExerciseRecords& e) {
    return std::string(trim(e.title));
}

std::optional<ExerciseRecords> readExerciseFile(const std::filesystem::path& path) {
    const std::optional<std::string> bytes =
        files::readFileHead(path, size_t(kRecords) * files::kRecordSize);
    if (!bytes) {
        return std::nullopt;
    }
    return parseExerciseFile(*bytes);
}

std::optional<ExerciseRecords> parseExerciseFile(std::string_view bytes) {
    const files::RecordImage image{std::string(bytes)};
    std::array<std::string, kRecords + 1> texts;
    for (int n = 1; n <= kRecords; ++n) {
        files::RecordText r = image.read(n);
        if (r.status != files::RecordStatus::Ok) {
            return std::nullopt;
        }
        texts[size_t(n)] = std::move(r.text);
    }
    ExerciseRecords e;
    e.statement = texts[1];
    e.configuration = texts[2];
    e.correction = texts[3];
    e.correctionConfiguration = texts[4];
    e.difficulty = texts[5];
    for (int n = 7; n <= 10; ++n) {
        if (!isBlank(texts[size_t(n)])) {
            e.topics += texts[size_t(n)];
        }
    }
    e.title = texts[11];
    return e;
}

std::optional<std::filesystem::path> namedFile(const std::string& directory,
                                               const std::string& name) {
    if (isBlank(name)) {
        return std::nullopt;
    }
    const std::filesystem::path relative(name);
    if (relative.is_absolute() || relative.has_root_name()) {
        return std::nullopt;
    }
    for (const auto& part : relative) {
        if (part == "..") {
            return std::nullopt;
        }
    }
    return std::filesystem::path(directory + name);
}

std::optional<std::string> exerciseFileBytes(const ExerciseRecords& e) {
    files::RecordImage image;
    bool fits = image.write(1, e.statement) && image.write(2, e.configuration) &&
                image.write(3, e.correction) && image.write(4, e.correctionConfiguration) &&
                image.write(5, e.difficulty) && image.write(6, "");
    // The topics are cut into records of 126 bytes in the code page, never
    // inside a character (each is one byte there).
    const std::optional<std::string> topics = files::windows1252FromUtf8(e.topics);
    if (!topics || topics->size() > size_t(kTopicRecords) * files::kMaxTextLength) {
        return std::nullopt;
    }
    for (int k = 0; k < kTopicRecords; ++k) {
        const size_t start = std::min(topics->size(), size_t(k) * files::kMaxTextLength);
        const std::string piece = topics->substr(start, files::kMaxTextLength);
        fits = image.write(7 + k, files::utf8FromWindows1252(piece)) && fits;
    }
    fits = image.write(11, e.title) && fits;
    if (!fits) {
        return std::nullopt;
    }
    return image.bytes();
}

std::optional<std::string> guideFileBytes(const std::string& statement,
                                          const std::string& configuration) {
    files::RecordImage image;
    if (!image.write(1, statement) || !image.write(2, configuration)) {
        return std::nullopt;
    }
    return image.bytes();
}

} // namespace ohmora::exercises
