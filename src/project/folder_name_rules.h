#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace telvanor {

// Why a folder of this name (one part of a path, no separator in it) could not exist on
// Windows, or nothing: it holds one of < > : " | ? * or a control character, ends in a
// blank or a dot, or is a device name Windows reserves (CON, PRN, AUX, NUL, COM1 to COM9,
// LPT1 to LPT9, in any case, also before an extension as in "con.txt"). A project made on
// Linux must open on Windows too, and its path goes quoted into the updater's command line.
std::optional<std::string> windowsFolderNameProblem(std::string_view name);

}  // namespace telvanor
