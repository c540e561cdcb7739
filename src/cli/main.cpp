#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "platform/this_process.h"

int main(int argc, char* argv[]) {
    // Images go through the standard streams (build -o -, dump -).
    telvanor::platform::useBinaryStandardStreams();
    telvanor::platform::useUtf8Console();
    return telvanor::runCli(telvanor::platform::commandLineArguments(argc, argv), std::cout, std::cerr);
}
