#pragma once

#include <cstddef>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>

namespace telvanor {

// A file that could not be written or read. what() names the file and gives the system's
// reason, for instance "Cannot write /p/bin/bank.bin: No such file or directory".
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "Cannot " + verb + " " + the file + ": " + the system's reason for `error` (an errno).
std::string fileFailureText(std::string_view verb, const std::filesystem::path& file, int error);
// The same for the system's error `error`.
std::string fileFailureText(std::string_view verb, const std::filesystem::path& file, std::error_code error);

// Writes `bytes` to a temporary file in the target's folder and renames it over the target,
// so that a failed write leaves the old file whole; then syncs the folder, so that the rename
// outlasts a power cut, and removes temporary files of this naming that an interrupted save of
// the same file left behind. Through a symbolic link the file it leads to is replaced; the new
// file keeps the old one's permissions, and its owner and group where this process may set
// them. Anything but a regular file or a name not yet taken (a folder, a FIFO, a device, a
// link leading nowhere) is refused. A file that another program holds open on Windows cannot
// be replaced: the message says so, and the file stays as it was. Throws FileError on failure.
void writeFileAtomically(const std::filesystem::path& target, std::string_view bytes);

// Writes an output the user named. A regular file, or a name not yet taken, is replaced as
// writeFileAtomically does (through a symbolic link, whose target is written); a device or a FIFO
// is opened and written to directly, never replaced by a regular file. Throws FileError.
void writeOutputFile(const std::filesystem::path& target, std::string_view bytes);

// Reads a whole regular file, refusing anything else (named with what it is, and never opened,
// so a FIFO cannot make the program wait) and a file larger than `maxBytes` (named with its
// size and the limit). Throws FileError.
std::string readWholeFile(const std::filesystem::path& file, std::size_t maxBytes);

}  // namespace telvanor
