#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string_view>

namespace telvanor {

// Before a project file is replaced, its old bytes are kept in the project's backup folder:
// PROJECT/backup/NAME.YYYYMMDD-HHMMSS (local time), with "-2", "-3", ... added when that name
// is taken, and the newest 20 backups of each file kept.
inline constexpr std::string_view kBackupFolder = "backup";
inline constexpr std::size_t kBackupsKept = 20;

// Copies the bytes of `file` (through a link, of the file it leads to) into the backup folder
// beside it, made when missing, and removes the oldest backups of that file beyond the 20
// newest. Gives the backup written; nothing when there is no file, or when it already holds
// exactly `replacement`, so that saving unchanged content does not push older backups out.
// Throws FileError naming the file and the backup when the copy cannot be made.
std::optional<std::filesystem::path> backUpFile(
    const std::filesystem::path& file, std::string_view replacement,
    std::chrono::system_clock::time_point now = std::chrono::system_clock::now());

// How a project file is saved: its old bytes are backed up, then the file is replaced
// atomically (writeFileAtomically). A backup that cannot be made stops the save before the
// file is touched. Throws FileError.
void saveProjectFile(const std::filesystem::path& file, std::string_view bytes);

}  // namespace telvanor
