#pragma once
// Writing a file completely or not at all. Every writer of the program goes
// through here: the bytes go to a temporary file beside the target, which
// replaces the target only once it is complete and on disk, so that a
// failure (a full disk, a directory in the way, no write access) leaves
// whatever the target held before and no half-written file.

#include <filesystem>
#include <string>
#include <string_view>

namespace ohmora::files {

// Writes `bytes` to `path`. An existing target keeps its permissions; a new
// one gets the usual permissions for the user's umask. On failure returns
// false, leaves the target as it was, removes the temporary file and puts a
// short reason into `error` when given.
bool writeFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                         std::string* error = nullptr);

} // namespace ohmora::files
