// The review of the exercise pack's sources on arbitrary bytes, as a
// teacher's folder may hold them: the text of an RTF, HTML or roff file, its
// typography and its figures, a figure, an expression and a check line must
// each end (libFuzzer's timeout catches a hang) and never crash.
#include "PackChecks.h"
#include "PackFigures.h"
#include "PackTexts.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    using namespace ohmora::pack;
    const std::string input(reinterpret_cast<const char*>(data + 1), size - 1);
    switch (data[0] % 4) {
    case 0:
        for (const std::string& text : {rtfText(input), htmlText(input), roffText(input)}) {
            typographyFaults(text);
            typographyFaults(text, Spacing::Terminal);
            statedFigures(text);
        }
        break;
    case 1:
        parseFigure(input);
        evaluate(input);
        screenForm(input);
        break;
    default: {
        // A check line from the start of a configuration of each montage.
        CheckConfigurations c;
        c.statement.montage = data[0] % 3;
        c.statement.textv = {"6",  "33",  "220", "100", "6",   "33", "220",
                             "10", "400", "5",   "6",   "200", "5",  "10"};
        c.statement.check4[1] = c.statement.montage != 2;
        c.statement.check4[4] = c.statement.montage == 2;
        c.correction = c.statement;
        verifyCheck(input, c);
        break;
    }
    }
    return 0;
}
