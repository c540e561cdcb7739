#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace telvanor {

// Exit statuses of telvanor-cli.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;
// diff, as diff(1) and cmp(1) do: 1 means "they differ", so trouble reading an image is 2.
inline constexpr int kExitDiffTrouble = 2;

// Runs telvanor-cli with its arguments (without the program name); "-" as an input reads `in`,
// what a command prints goes to `out`, messages to `err`. Gives the exit status.
int runCli(const std::vector<std::string>& arguments, std::istream& in, std::ostream& out, std::ostream& err);

// The same without standard input.
int runCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

// The manual page's text, which --help prints and the installed manual page is made from.
std::string cliManual();

}  // namespace telvanor
