#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"

namespace telvanor::testing {

// What one run of telvanor-cli gave: its exit status and what it wrote to each stream.
struct CliRun {
    int status;
    std::string out;
    std::string err;
};

// Runs telvanor-cli within the test, with `input` as its standard input.
inline CliRun cli(const std::vector<std::string>& arguments, const std::string& input = "") {
    std::istringstream in(input);
    std::ostringstream out, err;
    int status = runCli(arguments, in, out, err);
    return {status, out.str(), err.str()};
}

}  // namespace telvanor::testing
