#pragma once
// The exercise file ".E34" and the first-use guide "ohmora.PEM": record
// files that name the statement (RTF), its configuration (".P16"), the
// correction and its configuration, relative to the file's directory, with
// the difficulty, the topics and the title the browser previews.

#include <filesystem>
#include <optional>
#include <string>

namespace ohmora::exercises {

inline constexpr std::string_view kExerciseExtension = ".E34";
inline constexpr std::string_view kGuideFileName = "ohmora.PEM";

// What the browser's preview says of an exercise's correction.
inline constexpr const char* kCorrected = "Exercice corrigé";
inline constexpr const char* kNotCorrected = "Non corrigé";

struct ExerciseRecords {
    std::string statement;               // record 1
    std::string configuration;           // record 2, blank for none
    std::string correction;              // record 3, blank for none
    std::string correctionConfiguration; // record 4, blank for none
    std::string difficulty;              // record 5, a number (0 to 3 in practice)
    std::string topics;                  // records 7 to 10 joined, as stored
    std::string title;                   // record 11
};

// Blank: empty or made of blanks only.
bool isBlank(std::string_view text);

// An exercise with a correction text or a correction configuration.
bool isCorrected(const ExerciseRecords& e);
// The number of lit difficulty marks, 0 to 3: mark k is lit when the
// difficulty read by the leading-number rule is above k.
int litMarks(const ExerciseRecords& e);
// The title as the preview shows it: blanks trimmed.
std::string shownTitle(const ExerciseRecords& e);

// Reads the exercise records of a file (the first two are the guide's);
// nothing when it cannot be read or a record is damaged.
std::optional<ExerciseRecords> readExerciseFile(const std::filesystem::path& path);
std::optional<ExerciseRecords> parseExerciseFile(std::string_view bytes);

// The file a record names, in `directory` (which ends with a separator):
// nothing for a name that would leave the directory (an absolute name, a
// ".." step) or is blank, so that a hostile exercise file cannot make the
// program read elsewhere.
std::optional<std::filesystem::path> namedFile(const std::string& directory,
                                               const std::string& name);

// The bytes of an exercise file (11 records; the topics cut into at most
// four records of 126 bytes) or of the guide (2 records); nothing when a
// text does not fit (too long, or characters Windows-1252 lacks).
std::optional<std::string> exerciseFileBytes(const ExerciseRecords& e);
std::optional<std::string> guideFileBytes(const std::string& statement,
                                          const std::string& configuration);

} // namespace ohmora::exercises
