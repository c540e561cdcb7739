#include "cli/cli.h"

#include <optional>

#include "cli/cli_commands.h"

namespace telvanor {

namespace {

// Shown after a wrong command line.
constexpr const char* kUsage =
    "Usage: telvanor-cli build PROJECT_DIR [--output FILE]\n"
    "       telvanor-cli check PROJECT_DIR\n"
    "       telvanor-cli dump FILE\n"
    "       telvanor-cli --help | --version\n";

// Shown by --help, laid out as a manual page.
constexpr const char* kManual =
    "NAME\n"
    "    telvanor-cli - build, check and inspect RM40915 gateway projects without a window\n"
    "\n"
    "SYNOPSIS\n"
    "    telvanor-cli build PROJECT_DIR [--output FILE]\n"
    "    telvanor-cli check PROJECT_DIR\n"
    "    telvanor-cli dump FILE\n"
    "    telvanor-cli --help | --version\n"
    "\n"
    "DESCRIPTION\n"
    "    A project is a folder holding pargen.xml, RCobDef.xml, TCobDef.xml, RInfoCob.xml\n"
    "    and TInfoCob.xml (any letter case; none needs to exist), as the Firmware Telvanor\n"
    "    program writes them.\n"
    "\n"
    "COMMANDS\n"
    "    build PROJECT_DIR [--output FILE]\n"
    "        Compile the project folder into its configuration image, by default\n"
    "        PROJECT_DIR/bin/bank.bin, and print the image's length and counts.\n"
    "        On failure print the file, row and attribute at fault; nothing is\n"
    "        written or changed.\n"
    "\n"
    "    check PROJECT_DIR\n"
    "        Load each project file that exists as its editor does and run the\n"
    "        editor's checks. Prints \"FILE: MESSAGE\" for each file that the\n"
    "        editor's OK would refuse, with the editor's own message, and\n"
    "        \"warning: FILE: TEXT\" for what is worth knowing but would not stop\n"
    "        it, then how many files were checked.\n"
    "\n"
    "    dump FILE\n"
    "        Print a configuration image as text: section offsets, receive and\n"
    "        transmit frames, both register maps, the parameters in words, the\n"
    "        deleted frames and the identifier table. PGNs are named from the\n"
    "        canboat community database. A file whose header does not hold\n"
    "        together is refused with the reason.\n"
    "\n"
    "OPTIONS\n"
    "    --output FILE   (build) write the image to FILE instead\n"
    "    --help          show this text\n"
    "    --version       print the version\n"
    "\n"
    "EXIT STATUS\n"
    "    0  success; for check: no file would be refused\n"
    "    1  failure, with the reason on standard error; for check: a file would\n"
    "       be refused (the lines on standard output say which)\n"
    "    2  wrong command line\n"
    "\n"
    "EXAMPLE\n"
    "    telvanor-cli build examples/Boat1 --output /tmp/bank.bin\n"
    "    telvanor-cli dump /tmp/bank.bin\n";

int usageError(std::ostream& err, const std::string& problem) {
    err << "telvanor-cli: " << problem << "\n\n" << kUsage << "Try 'telvanor-cli --help' for more.\n";
    return kExitUsage;
}

}  // namespace

int runCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    for (const std::string& argument : arguments) {
        if (argument == "--help" || argument == "-h") {
            out << kManual;
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
