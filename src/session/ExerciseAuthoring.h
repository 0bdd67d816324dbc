#pragma once
// "Créer un exercice…": an exercise written from the program itself, once
// for the window's dialog and for `ohmora-cli new-exercise`. The exercise
// file and the files it names are written beside each other, all of them
// or none: a failure half-way leaves the folder as it was.

#include "exercises/NewExercise.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace ohmora::session {

class Session;

// What to do when files of the exercise are there already.
enum class ExistingFiles {
    Ask,     // the window: the user says whether they are replaced
    Replace, // ohmora-cli new-exercise --force
    Refuse,  // ohmora-cli new-exercise: nothing written, and why
};

// Writes the exercise file `exercisePath` (a path ending in ".E34", in an
// existing folder) and its files beside it, named after it; the parts that
// come from the program are the text area's content and the simulator's
// configuration as they are now. Every file is checked before anything is
// written: a statement or correction must read as RTF (its bytes are
// copied as they are), a configuration must open (it is written as the
// program saves it). Returns the paths written, the exercise file last, or
// nothing once the user has been told why (or has declined to replace).
std::optional<QStringList> createExercise(Session& session, const QString& exercisePath,
                                          const exercises::NewExercise& exercise,
                                          ExistingFiles existing);

inline constexpr const char* kCreateExerciseTitle = "Créer un exercice";

} // namespace ohmora::session
