#pragma once
// Writing a file completely or not at all. Every writer of the program goes
// through here: the bytes go to a temporary file beside the target, which
// replaces the target only once it is complete and on disk, so that a
// failure (a full disk, a directory in the way, no write access) leaves
// whatever the target held before and no half-written file.

#include <filesystem>
#include <span>
#include <string>
#include <string_view>

namespace ohmora::files {

// Writes `bytes` to `path`. An existing target keeps its permissions; a new
// one gets the usual permissions for the user's umask. On failure returns
// false, leaves the target as it was, removes the temporary file and puts a
// short reason into `error` when given.
bool writeFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                         std::string* error = nullptr);

// One file of a set written together.
struct FileToWrite {
    std::filesystem::path path;
    std::string_view bytes;
};

// Writes every file of the set, or none: each is first written completely
// beside its target; only then do they replace their targets, in the order
// given (put last the file that names the others, so that it never names a
// file not yet there). A failure at any step puts back every target as it
// was (the files it held, and no file where there was none) and removes
// the temporary files. The reason goes into `error` when given.
bool writeFilesTogether(std::span<const FileToWrite> files, std::string* error = nullptr);

namespace detail {
// The same with the renaming step given, so that tests can make it fail
// half-way, as a full or removed medium would.
using RenameFunction = int (*)(const char* from, const char* to);
bool writeFilesTogether(std::span<const FileToWrite> files, std::string* error,
                        RenameFunction rename);
} // namespace detail

} // namespace ohmora::files
