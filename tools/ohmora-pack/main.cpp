// ohmora-pack: builds the exercise pack from its sources (data/exercices)
// into the program directory of a build: the exercise files, their
// configurations and texts, and the first-use guide.
//   ohmora-pack SOURCES OUTPUT GUIDE-MANIFEST

#include "exercises/ExercisePack.h"

#include <iostream>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: ohmora-pack SOURCES OUTPUT GUIDE-MANIFEST\n";
        return 2;
    }
    const auto errors = ohmora::exercises::buildPack(argv[1], argv[2], argv[3]);
    for (const std::string& e : errors) {
        std::cerr << "ohmora-pack: " << e << '\n';
    }
    return errors.empty() ? 0 : 1;
}
