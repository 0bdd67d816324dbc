#pragma once
// The suite's marker file "BREVANE.TMP": a record file shared by the
// programs of the suite, each of which writes its own records in place.
// This program writes "OUI" into record 4 while it runs and "NON" when it
// ends, and reads and empties record 31, where another program may leave
// the name of an exercise to open. Every other byte of the file is left as
// it was. Failures are the caller's to ignore: the program runs without the
// file.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace ohmora::files {

inline constexpr std::string_view kMarkerFileName = "BREVANE.TMP";
inline constexpr int kPresenceRecord = 4;
inline constexpr int kExerciseRequestRecord = 31;

// Writes `text` into `record` of the file, in place: only the record's
// length and text bytes change; the file is created when missing. The
// other programs update their own records the same way, so the file is
// never replaced as a whole (that would lose a record another program wrote
// in the meantime).
bool writeMarkerRecord(const std::filesystem::path& file, int record, std::string_view text);

// Reads record 31 and writes an empty text in its place; nothing when the
// file cannot be read or the record is damaged (it is emptied all the
// same when it can be).
std::optional<std::string> takeExerciseRequest(const std::filesystem::path& file);

} // namespace ohmora::files
