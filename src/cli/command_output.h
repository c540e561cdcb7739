#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

namespace telvanor {

// The name of the project's own file that `output` names, if it names one: one of the project
// files (in any letter case, or the same file under another name), or, unless `imageAllowed`,
// the project's bin/bank.bin. A command refuses to write there.
std::optional<std::string> projectFileAt(const std::filesystem::path& projectDir, const std::filesystem::path& output,
                                         bool imageAllowed);

// Gives true, having said so on `err`, when `output` names one of the project's own files
// (projectFileAt): a command writes nothing there.
bool refusedAsProjectFile(const std::filesystem::path& projectDir, const std::filesystem::path& output,
                          bool imageAllowed, std::ostream& err);

// Writes a command's output: to `out` for "-", otherwise to the file (writeOutputFile).
// Throws FileError.
void writeCommandOutput(const std::filesystem::path& output, std::string_view bytes, std::ostream& out);

}  // namespace telvanor
