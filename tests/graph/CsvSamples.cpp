// Writes recordings as CSV for the readers the export is made for (Python's
// csv module, LibreOffice Calc): for each case, NAME.fr.csv, NAME.intl.csv
// and NAME.ref, the exact bits of every value of the recording, one row per
// sample (the time first), in hexadecimal.

#include "Recordings.h"
#include "files/AtomicFile.h"
#include "graph/RecordingCsv.h"

#include <cstdio>
#include <cstring>
#include <string>

using namespace ohmora;
using namespace ohmora::test;

namespace {

std::string reference(const Recording& r) {
    std::string out;
    const auto bits = [&](float v) {
        std::uint32_t b = 0;
        std::memcpy(&b, &v, sizeof b);
        char text[16];
        std::snprintf(text, sizeof text, "%08x", b);
        return std::string(text);
    };
    const int columns = tableColumnCount(r.montage());
    for (const RecordedSample& s : r.samples()) {
        out += bits(s.tEnreg);
        for (int c = 1; c < columns; ++c) {
            out += ' ' + bits(s.valeurs[size_t(tableColumnSlot(r.montage(), c))]);
        }
        out += '\n';
    }
    return out;
}

bool write(const std::string& path, const std::string& text) {
    if (!files::writeFileAtomically(path, text)) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: csv_samples DIRECTORY\n");
        return 2;
    }
    const std::string dir = argv[1];
    struct Case {
        const char* name;
        FirstOrderCase transient;
        int upDown;
    };
    const Case cases[] = {
        {"montage0-charge-100ms", kFirstOrderCases[0], -2},
        {"montage0-discharge-1ms", {"", 0, true, SlotI}, -8},
        {"montage1-charge-10min", kFirstOrderCases[6], 10},
        {"montage2-2s", kFirstOrderCases[8], 2},
    };
    bool ok = true;
    for (const Case& c : cases) {
        Simulator sim;
        recordFirstOrder(sim, c.transient, c.upDown);
        const Recording& r = sim.state().recording;
        const std::string base = dir + "/" + c.name;
        ok = write(base + ".fr.csv", *recordingCsv(r, CsvFormat::French)) && ok;
        ok = write(base + ".intl.csv", *recordingCsv(r, CsvFormat::International)) && ok;
        ok = write(base + ".ref", reference(r)) && ok;
    }
    return ok ? 0 : 1;
}
