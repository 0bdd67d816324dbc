// The record reader, the configuration check and the exercise file reader
// on any bytes: no crash, no undefined behaviour, and whatever is accepted
// as a configuration saves back to a file that reads the same.
#include "exercises/ExerciseFile.h"
#include "files/ConfigurationFile.h"
#include "files/RecordFile.h"
#include "files/Windows1252.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace ohmora::files;

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
