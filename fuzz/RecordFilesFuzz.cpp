// The record reader, the configuration check and the exercise file reader
// on any bytes: no crash, no undefined behaviour, and whatever is accepted
// as a configuration saves back to a file that reads the same; an exercise
// made with the texts an exercise file holds writes back.
#include "exercises/ExerciseFile.h"
#include "exercises/NewExercise.h"
#include "files/ConfigurationFile.h"
#include "files/RecordFile.h"
#include "files/Windows1252.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace ohmora::files;

namespace {

// An exercise made with a title and topics read from anywhere: its name is
// a safe file name, and what it accepts writes an exercise file whose
// title, names and marks read back the same.
void checkNewExercise(const ohmora::exercises::ExerciseRecords& read) {
    using namespace ohmora::exercises;
    NewExercise e;
    e.title = read.title;
    e.topics = read.topics;
    const std::string name = exerciseBaseName(e.title);
    if (name.empty() || name.size() > 48 ||
        name.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789-") != std::string::npos) {
        std::abort();
    }
    const CompanionNames names = companionNames(name, e);
    if (newExerciseProblem(e, names)) {
        return;
    }
    const ExerciseRecords written = newExerciseRecords(e, names);
    const auto bytes = exerciseFileBytes(written);
    const auto back = bytes ? parseExerciseFile(*bytes) : std::nullopt;
    if (!back || back->title != written.title || back->statement != names.statement ||
        litMarks(*back) != e.difficulty) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    RecordImage image{std::string(bytes)};
    for (int n = 1; n <= 40; ++n) {
        const RecordText r = image.read(n);
        if (r.status == RecordStatus::Ok && windows1252FromUtf8(r.text) == std::nullopt) {
            std::abort(); // every byte of a record reads back
        }
    }
    // A record written in place changes that record only.
    if (size > 0) {
        const int n = 1 + data[0] % 35;
        const std::string text = utf8FromWindows1252(bytes.substr(0, std::min<size_t>(size, 40)));
        RecordImage copy = image;
        if (copy.write(n, text) && copy.read(n).text != text) {
            std::abort();
        }
    }
    // The same bytes as an exercise file: what is read writes back.
    if (const auto e = ohmora::exercises::parseExerciseFile(bytes)) {
        ohmora::exercises::isCorrected(*e);
        ohmora::exercises::litMarks(*e);
        ohmora::exercises::namedFile("/dir/", e->statement);
        checkNewExercise(*e);
    }
    const ConfigurationRead read = parseConfiguration(bytes);
    if (read.controls) {
        const std::optional<std::string> saved = configurationBytes(*read.controls);
        if (saved && parseConfiguration(*saved).controls != read.controls) {
            std::abort();
        }
    }
    return 0;
}
