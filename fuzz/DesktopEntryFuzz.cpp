// The reader of the desktop's entries and mimeapps.list files on any bytes:
// no crash, no undefined behaviour, and every item of a list is one that
// the list holds, without its separators.
#include "dialogs/DesktopApplications.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace ohmora::desktop;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const KeyFile file = parseKeyFile(text);
    for (const auto& [group, keys] : file) {
        for (const auto& [key, value] : keys) {
            for (const std::string& item : listItems(value)) {
                if (item.empty() || item.size() > value.size()) {
                    std::abort();
                }
            }
            if (execProgram(value).size() > value.size()) {
                std::abort();
            }
        }
    }
    return 0;
}
