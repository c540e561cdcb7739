#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace telvanor {

// Exit statuses of telvanor-cli.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// Runs telvanor-cli with its arguments (without the program name); what a command prints
// goes to `out`, messages to `err`. Gives the exit status.
int runCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace telvanor
