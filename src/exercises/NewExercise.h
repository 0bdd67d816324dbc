#pragma once
// An exercise a teacher makes from the program: its title, topics and
// difficulty, and where each of its parts comes from (the program itself:
// the text area's content or the simulator's configuration; a file; or
// nothing). Its files are named after the exercise file, beside it:
// NAME.E34 names NAME-enonce.rtf, NAME-enonce.P16, NAME-corrige.rtf and
// NAME-corrige.P16, as the shipped exercises are named.

#include "exercises/ExerciseFile.h"

#include <optional>
#include <string>
#include <string_view>

namespace ohmora::exercises {

enum class PartSource { None, Program, File };

struct ExercisePart {
    PartSource source = PartSource::None;
    std::string file; // for PartSource::File
};

struct NewExercise {
    std::string title;
    std::string topics;
    int difficulty = 1;
    ExercisePart statement{PartSource::Program, {}};     // the text area's content
    ExercisePart configuration{PartSource::Program, {}}; // the simulator's configuration
    ExercisePart correction;
    ExercisePart correctionConfiguration;
};

inline constexpr int kMaxDifficulty = 3;

// The name an exercise file gets from its title: lower-case ASCII letters,
// digits and hyphens, accents dropped ("Énergie d'un condensateur" gives
// "energie-d-un-condensateur"), 48 characters at most (so that every name
// of its files stays within 60), "exercice" when
// nothing is left.
std::string exerciseBaseName(std::string_view title);

// The names of the files beside the exercise file `stem` + ".E34"; empty
// for a part that has none.
struct CompanionNames {
    std::string statement;
    std::string configuration;
    std::string correction;
    std::string correctionConfiguration;
};
CompanionNames companionNames(std::string_view stem, const NewExercise& e);

// What stops the exercise from being written as given (no title, texts
// the exercise file cannot hold, a difficulty out of range, no statement),
// said in French; nothing when it can be written.
std::optional<std::string> newExerciseProblem(const NewExercise& e, const CompanionNames& names);

// The exercise file's records.
ExerciseRecords newExerciseRecords(const NewExercise& e, const CompanionNames& names);

} // namespace ohmora::exercises
