#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.h"

int main(int argc, char* argv[]) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    return telvanor::runCli(arguments, std::cout, std::cerr);
}
