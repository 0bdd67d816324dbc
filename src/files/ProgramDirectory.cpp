#include "files/ProgramDirectory.h"

#include "files/MarkerFile.h"
#include "files/SavePath.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace ohmora::files {

namespace fs = std::filesystem;

namespace {

bool holdsProgramData(const fs::path& dir) {
    std::error_code ec;
    return fs::is_regular_file(dir / kProgramDataMark, ec);
}

std::string normalised(const fs::path& dir) {
    std::error_code ec;
    fs::path absolute = fs::weakly_canonical(fs::absolute(dir, ec), ec);
    if (absolute.empty()) {
        absolute = dir;
    }
    return withFinalSeparator(absolute.string());
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

} // namespace

bool canCreateFilesIn(const std::string& directory) {
    std::string probe = withFinalSeparator(directory) + ".ohmora-XXXXXX";
    const int fd = ::mkstemp(probe.data());
    if (fd < 0) {
        return false;
    }
    ::close(fd);
    ::unlink(probe.c_str());
    return true;
}

ProgramPaths locateProgramPaths(const std::optional<std::string>& given,
                                const std::string& executableDirectory,
                                const std::string& runtimeDirectory,
                                const std::string& stateDirectory) {
    ProgramPaths paths;
    const fs::path executable(executableDirectory);
    const fs::path installed = executable / ".." / "share" / "ohmora";
    if (given) {
        paths.programDirectory = normalised(*given);
    } else {
        const bool useInstalled = !holdsProgramData(executable) && holdsProgramData(installed);
        paths.programDirectory = normalised(useInstalled ? installed : executable);
    }
    const std::string marker(kMarkerFileName);
    if (canCreateFilesIn(paths.programDirectory)) {
        paths.markerFile = paths.programDirectory + marker;
        return paths;
    }
    const std::string user = !runtimeDirectory.empty() ? runtimeDirectory : stateDirectory;
    if (!user.empty()) {
        std::error_code ec;
        const fs::path own = fs::path(user) / "ohmora";
        fs::create_directories(own, ec);
        paths.markerFile = (own / marker).string();
    }
    return paths;
}

ProgramPaths locateProgramPaths(const std::optional<std::string>& given,
                                const std::string& executableDirectory) {
    std::string state = environment("XDG_STATE_HOME");
    if (state.empty() && !environment("HOME").empty()) {
        state = environment("HOME") + "/.local/state";
    }
    return locateProgramPaths(given, executableDirectory, environment("XDG_RUNTIME_DIR"), state);
}

} // namespace ohmora::files
