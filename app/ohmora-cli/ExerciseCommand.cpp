#include "ExerciseCommand.h"

#include "exercises/ExerciseFile.h"
#include "exercises/ExerciseMessages.h"

#include <ostream>

namespace ohmora::cli {

int runExerciseCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1 || args[0].empty()) {
        err << "Usage : ohmora-cli exercise FICHIER.E34\n";
        return 2;
    }
    const auto e = exercises::readExerciseFile(args[0]);
    if (!e) {
        err << exercises::kExerciseUnreadable.text << '\n';
        return 1;
    }
    out << "titre\t" << exercises::shownTitle(*e) << '\n'
        << "notions\t" << e->topics << '\n'
        << "difficulte\t" << exercises::litMarks(*e) << '\n'
        << "correction\t"
        << (exercises::isCorrected(*e) ? exercises::kCorrected : exercises::kNotCorrected) << '\n';
    return 0;
}

} // namespace ohmora::cli
