#pragma once

#include <filesystem>
#include <vector>

#include "check/project_check.h"
#include "project/formats/receive_frames_format.h"
#include "project/formats/transmit_frames_format.h"

namespace telvanor {

// The checks of the project files, one per file; each is listed in projectFileCheckers().
std::vector<CheckFinding> checkPargenFile(const std::filesystem::path& file, const std::filesystem::path& projectDir);
std::vector<CheckFinding> checkReceiveFramesFile(const std::filesystem::path& file,
                                                 const std::filesystem::path& projectDir);
std::vector<CheckFinding> checkTransmitFramesFile(const std::filesystem::path& file,
                                                  const std::filesystem::path& projectDir);
std::vector<CheckFinding> checkReceiveMapFile(const std::filesystem::path& file,
                                              const std::filesystem::path& projectDir);
std::vector<CheckFinding> checkTransmitMapFile(const std::filesystem::path& file,
                                               const std::filesystem::path& projectDir);

}  // namespace telvanor
