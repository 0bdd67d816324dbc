#pragma once
// The configuration file ".P16": 33 records holding the signature "CAPA",
// the seven curve colours, the duration index, the montage, the fourteen
// parameter texts as the boxes hold them, the seven quantity boxes and the
// two options, every number as decimal text.

#include "core/Controls.h"
#include "files/FileMessages.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace ohmora::files {

inline constexpr int kConfigurationRecords = 33;
inline constexpr std::string_view kConfigurationSignature = "CAPA";
inline constexpr std::string_view kConfigurationExtension = ".P16";

// The file's bytes, as a fresh save writes them: every record but the last
// padded with zero bytes to its 128, the last ending with its text.
// Nothing when a text does not fit its record (longer than 126 bytes, or
// characters Windows-1252 lacks).
std::optional<std::string> configurationBytes(const Controls& controls);

// Reads and checks the whole file before anything is applied: the
// signature, every record's length, and values that can be applied (a
// montage from -1, none chosen, to 2; a duration index within the control's
// range; colours within 24 bits). Numbers are read by the leading-number
// rule and rounded to the nearest integer; a check box is ticked by the text
// "1" only; missing records read as empty texts.
struct ConfigurationRead {
    std::optional<Controls> controls;
    FileMessage problem; // when there are no controls
};
ConfigurationRead parseConfiguration(std::string_view bytes);

// Writes the file completely or not at all; the message of the failure.
std::optional<FileMessage> saveConfiguration(const std::filesystem::path& path,
                                             const Controls& controls);
// Reads and checks the file; the controls to replay, or the message.
ConfigurationRead loadConfiguration(const std::filesystem::path& path);

// The main window's caption once a configuration is saved or opened.
std::string configurationCaption(std::string_view path);

} // namespace ohmora::files
