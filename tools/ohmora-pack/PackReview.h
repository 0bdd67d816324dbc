#pragma once
// The review of the exercise pack's sources before they ship: every check
// line of every manifest recomputed, every figure of every correction
// either checked or given by the exercise, each checked figure written in
// the correction, French typography in every RTF text, and the programme
// each exercise serves stated where the teacher looks for it.

#include <filesystem>
#include <string>
#include <vector>

namespace ohmora::pack {

// What the review finds, each problem naming its file (and check line).
std::vector<std::string> reviewSources(const std::filesystem::path& sources);

// The programme an exercise states: the RC circuit of the final-year
// programme, or beyond it.
inline constexpr std::string_view kProgrammeRc = "Programme de terminale";
inline constexpr std::string_view kBeyondProgramme =
    "Pour aller plus loin (hors programme de terminale)";
inline constexpr std::string_view kTeacherNote = "Pour le professeur";

} // namespace ohmora::pack
