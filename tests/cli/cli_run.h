#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"

namespace telvanor::testing {

// One run of telvanor-cli in-process: its exit status and what it wrote on each stream.
struct CliRun {
    int status;
    std::string out;
    std::string err;
};

inline CliRun runCommand(const std::vector<std::string>& arguments) {
    std::ostringstream out, err;
    int status = runCli(arguments, out, err);
    return {status, out.str(), err.str()};
}

}  // namespace telvanor::testing
