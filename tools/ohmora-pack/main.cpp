// ohmora-pack: builds the exercise pack from its sources (data/exercices)
// into the program directory of a build: the exercise files, their
// configurations and texts, and the first-use guide. With --check, reviews
// the sources instead: every check line against the simulator, every
// figure of the corrections, the French typography of the texts.
//   ohmora-pack SOURCES OUTPUT GUIDE-MANIFEST
//   ohmora-pack --check SOURCES

#include "PackReview.h"
#include "exercises/ExercisePack.h"

#include <iostream>
#include <string_view>

int main(int argc, char** argv) {
    if (argc == 3 && std::string_view(argv[1]) == "--check") {
        const auto problems = ohmora::pack::reviewSources(argv[2]);
        for (const std::string& p : problems) {
            std::cerr << "ohmora-pack: " << p << '\n';
        }
        return problems.empty() ? 0 : 1;
    }
    if (argc != 4) {
        std::cerr << "usage: ohmora-pack SOURCES OUTPUT GUIDE-MANIFEST\n"
                     "       ohmora-pack --check SOURCES\n";
        return 2;
    }
    const auto errors = ohmora::exercises::buildPack(argv[1], argv[2], argv[3]);
    for (const std::string& e : errors) {
        std::cerr << "ohmora-pack: " << e << '\n';
    }
    return errors.empty() ? 0 : 1;
}
