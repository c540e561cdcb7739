#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

// The file operations that differ between POSIX systems and Windows. Paths go to the system as
// they are on POSIX and as UTF-16 on Windows; failures come back as the system's error codes,
// whose message() is the system's own reason.
namespace telvanor::platform {

// Creates the file `file`, which must not exist yet (std::errc::file_exists when it does), writes
// `bytes` and flushes them to the disk; a file it cannot write whole it removes. The new file takes the permissions of
// `model` when that exists (on POSIX also its owner and group where this process may give them).
std::error_code writeNewFile(const std::filesystem::path& file, std::string_view bytes,
                             const std::filesystem::path& model);

// Puts the file `replacement` in place of `target` in one step, so that the target is either the
// old file or the new one; the replacement's name is gone afterwards. On Windows a target that
// another program holds open cannot be replaced: the error says so and both files stay.
std::error_code replaceFile(const std::filesystem::path& replacement, const std::filesystem::path& target);

// Makes a replacement in `folder` outlast a power cut (POSIX: syncs the folder; Windows writes the
// rename through already).
void syncFolder(const std::filesystem::path& folder);

// Writes `bytes` to something that is written in place, never replaced: a device, a FIFO.
std::error_code writeInPlace(const std::filesystem::path& file, std::string_view bytes);

// Adds `bytes` at the end of the file `file`, which is made when missing: a log.
std::error_code appendToFile(const std::filesystem::path& file, std::string_view bytes);

// A whole regular file read, or why not.
struct FileContent {
    std::error_code error;
    bool irregular = false;           // what was opened is not a regular file
    std::uintmax_t tooLargeSize = 0;  // the size of a file larger than the limit
    std::string bytes;
};

// Reads the regular file `file` whole, unless it is larger than `maxBytes`. It is opened without
// waiting (a FIFO that took the file's place does not block) and checked once open.
FileContent readRegularFile(const std::filesystem::path& file, std::size_t maxBytes);

// Whether this process may create files in `folder`.
bool mayCreateFilesIn(const std::filesystem::path& folder);

// Whether `file` is a program this process may start.
bool isExecutableFile(const std::filesystem::path& file);

// The path as a C library that opens files with fopen() takes it (FreeXL, libxlsxwriter): as it
// is on POSIX; on Windows in the system's code page, or as its short 8.3 name where the long one
// holds characters beyond the code page. Nothing when neither fits.
std::optional<std::string> pathForCLibrary(const std::filesystem::path& file);

// The ending of program files: ".exe" on Windows, nothing on POSIX.
extern const std::string_view kProgramSuffix;

}  // namespace telvanor::platform
