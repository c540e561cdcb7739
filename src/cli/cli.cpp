#include "cli/cli.h"

#include <optional>

#include "cli/cli_commands.h"

namespace telvanor {

namespace {

constexpr const char* kUsage =
    "Usage: telvanor-cli COMMAND [ARGUMENTS]\n"
    "\n"
    "Compiles and inspects projects of the RM40915 gateway without opening a window.\n"
    "\n"
    "Commands:\n"
    "  build PROJECT_DIR [--output FILE]\n"
    "      Compile the project folder into its configuration image, by default\n"
    "      PROJECT_DIR/bin/bank.bin, and print the image's length and counts.\n"
    "      On failure nothing is written or changed.\n"
    "  dump FILE\n"
    "      Print a configuration image as text: section offsets, receive and\n"
    "      transmit frames, both register maps, the parameters in words, the\n"
    "      deleted frames and the identifier table.\n"
    "  check PROJECT_DIR\n"
    "      Load each project file that exists as its editor does and run the\n"
    "      editor's checks. Prints \"FILE: MESSAGE\" for each file that the\n"
    "      editor's OK would refuse, with the editor's own message, and\n"
    "      \"warning: FILE: TEXT\" for what is worth knowing but would not stop\n"
    "      it, then how many files were checked. Exit status 1 when any file\n"
    "      would be refused.\n"
    "\n"
    "Options:\n"
    "  --help      show this text\n"
    "  --version   print the version\n"
    "\n"
    "Exit status: 0 success; 1 failure, with the reason on standard error;\n"
    "2 wrong command line.\n";

int usageError(std::ostream& err, const std::string& problem) {
    err << "telvanor-cli: " << problem << "\n\n" << kUsage;
    return kExitUsage;
}

}  // namespace

int runCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    for (const std::string& argument : arguments) {
        if (argument == "--help" || argument == "-h") {
            out << kUsage;
            return kExitSuccess;
        }
        if (argument == "--version") {
            out << "telvanor-cli " << TELVANOR_VERSION << "\n";
            return kExitSuccess;
        }
    }
    if (arguments.empty()) return usageError(err, "no command given");

    const std::string& command = arguments[0];
    std::vector<std::string> positional;
    std::optional<std::filesystem::path> output;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--output" && command == "build") {
            if (i + 1 >= arguments.size()) return usageError(err, "--output needs a file name");
            output = arguments[++i];
        } else if (argument.starts_with("--")) {
            return usageError(err, "unknown option '" + argument + "' for " + command);
        } else {
            positional.push_back(argument);
        }
    }

    if (command == "build") {
        if (positional.size() != 1) return usageError(err, "build takes one project folder");
        return buildCommand(positional[0], output, out, err);
    }
    if (command == "dump") {
        if (positional.size() != 1) return usageError(err, "dump takes one image file");
        return dumpCommand(positional[0], out, err);
    }
    if (command == "check") {
        if (positional.size() != 1) return usageError(err, "check takes one project folder");
        return checkCommand(positional[0], out, err);
    }
    return usageError(err, "unknown command '" + command + "'");
}

}  // namespace telvanor
