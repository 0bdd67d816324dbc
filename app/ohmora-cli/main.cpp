// ohmora-cli: the simulator without a window, for batch runs and checks.

#include "ExerciseHost.h"
#include "RtfCommand.h"
#include "RunCommand.h"
#include "Usage.h"

#if OHMORA_WITH_CALCULATOR
#include "calculator/CalcCommand.h"
#endif

#include <iostream>
#include <string>
#include <vector>

namespace {

void usage(std::ostream& err) {
    err << ohmora::cli::usageText();
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        usage(std::cerr);
        return 2;
    }
    const std::string command = args.front();
    args.erase(args.begin());
    if (command == "--help" || command == "-h" || command == "help") {
        std::cout << ohmora::cli::usageText();
        return 0;
    }
    if (command == "run") {
        return ohmora::cli::runCommand(args, std::cout, std::cerr);
    }
    if (command == "rtf") {
        return ohmora::cli::runRtfCommand(args, std::cout, std::cerr);
    }
    if (command == "exercise") {
        return ohmora::cli::runExerciseCommand(args, std::cout, std::cerr);
    }
#if OHMORA_WITH_CALCULATOR
    if (command == "calc") {
        return ohmora::runCalcCommand(args, std::cout, std::cerr);
    }
#endif
    std::cerr << "ohmora-cli: unknown command " << command << '\n';
    usage(std::cerr);
    return 2;
}
