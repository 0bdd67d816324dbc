#pragma once
// The sources of the exercise pack that ships with the program, and what
// the build makes of them: a manifest per exercise ("key = value" lines
// naming its records) and a ".cfg" text per configuration, turned into the
// ".E34" exercise files, the ".P16" configurations and the guide
// "ohmora.PEM" that the program reads. Every source is checked: a
// configuration must come back unchanged when the program replays it, and
// its texts must be what the validation writes.

#include "core/Controls.h"
#include "exercises/ExerciseFile.h"

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace ohmora::exercises {

// A manifest: every key once, but `check` as often as wanted.
struct Manifest {
    std::map<std::string, std::string> values;
    std::vector<std::string> checks;
};

// Reads "key = value" lines; '#' starts a comment line. Errors name the
// line.
Manifest parseManifest(const std::string& text, std::vector<std::string>& errors);

// A configuration source: montage, duration, param.N, quantities, trigger2,
// sustained. Errors tell what is wrong, including a configuration that the
// program would not leave as written (boxes of two groups, a text the
// validation would rewrite).
Controls parseConfigurationSource(const std::string& text, std::vector<std::string>& errors);

// The name of the configuration built from a source: "x.cfg" gives "x.P16".
std::string builtConfigurationName(const std::string& sourceName);

// Builds the pack from `sources` into `output`: every "*.manifest" but the
// guide's becomes an exercise file, the guide's manifest becomes
// "ohmora.PEM", every configuration source named becomes its ".P16", every
// statement and correction is copied. Returns the errors (nothing is
// written for a source in error).
std::vector<std::string> buildPack(const std::filesystem::path& sources,
                                   const std::filesystem::path& output,
                                   const std::string& guideManifest);

} // namespace ohmora::exercises
