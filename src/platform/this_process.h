#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// What a program asks the system about itself and its kind.
namespace telvanor::platform {

long currentProcessId();

// This computer's name; "localhost" when the system does not tell.
std::string hostName();

// Whether the process `processId` runs on this computer.
bool processRuns(long processId);

// The folder of the running program's executable, when the system tells it.
std::optional<std::filesystem::path> runningProgramFolder();

// The command line's arguments after the program's name, in UTF-8 (Windows hands them to main()
// in the system's code page, which cannot hold every file name).
std::vector<std::string> commandLineArguments(int argc, char** argv);

// Makes the standard input and output carry bytes as they are: an image written to or read from
// them stays whole (Windows would turn "\n" into "\r\n" and stop reading at a byte 0x1A).
void useBinaryStandardStreams();

// Makes a console show the UTF-8 text this program writes (a Windows console reads the bytes in
// its own code page, so "Bøat" came out as "BÃ¸at"); the console's code page is given back when
// the program ends. Output that goes to a file or a pipe is UTF-8 either way.
void useUtf8Console();

// Keeps this process within `bytes` of memory: asking for more fails instead of exhausting the
// computer. Gives false when the system does not take the limit.
bool limitOwnMemory(std::size_t bytes);

}  // namespace telvanor::platform
