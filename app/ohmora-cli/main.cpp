// ohmora-cli: the simulator without a window, for batch runs and checks. It
// runs the application layer as a plain program: no widget, and a GUI
// application only when a command draws or reads rich text.

#include "ExerciseCommand.h"
#include "NewExerciseCommand.h"
#include "RtfCommand.h"
#include "RunCommand.h"
#include "Usage.h"
#include "calculator/CalcCommand.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        std::cerr << ohmora::cli::usageText();
        return 2;
    }
    const std::string command = args.front();
    args.erase(args.begin());
    if (command == "--help" || command == "-h") {
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
    if (command == "new-exercise") {
        return ohmora::cli::runNewExerciseCommand(args, std::cout, std::cerr);
    }
    if (command == "calc") {
        return ohmora::runCalcCommand(args, std::cout, std::cerr);
    }
    std::cerr << "ohmora-cli : commande inconnue : " << command << "\n\n"
              << ohmora::cli::usageText();
    return 2;
}
