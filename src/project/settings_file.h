#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace telvanor {

// The INI settings file: one text value by section and key. Not QSettings, which would
// escape the backslash of a stored project name such as "\Boat1".
// Section and key are matched without regard to letter case, as INI files are on Windows.
// A value is read with surrounding blanks removed and one pair of surrounding double quotes
// taken off; the writer quotes a value that begins or ends with a blank so it survives.
// A UTF-8 byte order mark at the start of the file is read past and never written.
// Nothing when the file, the section or the key is missing. Throws FileError when the file is
// there but cannot be read (not a regular file, too large, no rights) or the value holds a NUL
// or another control character, which would come back cut or changed.
std::optional<std::string> readIniValue(const std::filesystem::path& file, std::string_view section,
                                        std::string_view key);

// Sets the value, keeping every other line of the file; creates the file when missing.
// Throws FileError when the file cannot be read or written or the value holds a line break or
// another control character, which the format cannot carry; the file is then left as it was.
void writeIniValue(const std::filesystem::path& file, std::string_view section, std::string_view key,
                   std::string_view value);

}  // namespace telvanor
