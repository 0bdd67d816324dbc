#pragma once
// Where the program finds what it reads beside itself (the exercises, the
// first-use guide, the help) and where it keeps the suite's marker file.

#include <optional>
#include <string>

namespace ohmora::files {

struct ProgramPaths {
    std::string programDirectory; // with a final separator
    std::string markerFile;       // the suite's "BREVANE.TMP"
};

// The data that tells a program directory: the first-use guide.
inline constexpr const char* kProgramDataMark = "ohmora.PEM";

// The program directory is the one given (--dir), else the executable's
// directory when it holds the program's data (a build tree, a copy on a
// USB key), else the installed share/ohmora found from the executable
// (../share/ohmora), else the executable's directory. The marker file lives
// there when that directory can be written; an installed program's cannot,
// so it then lives in the user's session directory (`runtimeDirectory`,
// the XDG runtime directory), or failing that in `stateDirectory` (the XDG
// state directory), each under "ohmora/": the presence flag belongs to
// the session and the other programs of the suite find it by the same
// rule.
ProgramPaths locateProgramPaths(const std::optional<std::string>& given,
                                const std::string& executableDirectory,
                                const std::string& runtimeDirectory,
                                const std::string& stateDirectory);

// Whether a file can be made in `directory`: tried rather than asked, so
// that a read-only installation says no even to the administrator.
bool canCreateFilesIn(const std::string& directory);

// The same with the environment's XDG directories.
ProgramPaths locateProgramPaths(const std::optional<std::string>& given,
                                const std::string& executableDirectory);

} // namespace ohmora::files
