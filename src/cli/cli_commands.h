#pragma once

#include <filesystem>
#include <optional>
#include <ostream>

namespace telvanor {

// telvanor-cli build PROJECT_DIR [--output FILE]
int buildCommand(const std::filesystem::path& projectDir, const std::optional<std::filesystem::path>& output,
                 std::ostream& out, std::ostream& err);

// telvanor-cli dump FILE
int dumpCommand(const std::filesystem::path& imageFile, std::ostream& out, std::ostream& err);

// telvanor-cli check PROJECT_DIR
int checkCommand(const std::filesystem::path& projectDir, std::ostream& out, std::ostream& err);

}  // namespace telvanor
