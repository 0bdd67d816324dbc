#pragma once
// `ohmora-cli new-exercise DIR/NAME.E34 --title T --topics T --difficulty N
// --statement F.rtf [--config F.P16] [--correction F.rtf]
// [--correction-config F.P16] [--force]`: the exercise that "Créer un
// exercice…" writes, made without a window by the same action of the
// application layer. Its options are one table, from which the usage is
// written.

#include <iosfwd>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ohmora::cli {

struct NewExerciseRequest;

struct NewExerciseOption {
    std::string_view name;
    std::string_view value; // empty: the option takes none
    std::string_view help;
    bool required;
    void (*add)(NewExerciseRequest& request, const std::string& value);
};

std::span<const NewExerciseOption> newExerciseOptions();

// Writes the exercise and its files, then prints the paths written, one a
// line. Returns 0, 1 when nothing could be written (the reason on `err`),
// 2 on a wrong command line.
int runNewExerciseCommand(const std::vector<std::string>& args, std::ostream& out,
                          std::ostream& err);

} // namespace ohmora::cli
