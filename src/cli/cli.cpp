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
    "       telvanor-cli report PROJECT_DIR [--format html|csv|md] [--output FILE] [--sep CHAR]\n"
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
    "    telvanor-cli report PROJECT_DIR [--format html|csv|md] [--output FILE]\n"
    "                 [--sep CHAR]\n"
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
    "    report PROJECT_DIR [--format html|csv|md] [--output FILE] [--sep CHAR]\n"
    "        Describe the project for wiring a PLC or SCADA system to the gateway:\n"
    "        the project name and the date of its newest file, the communication\n"
    "        parameters in words, the receive and transmit frames with the PGN\n"
    "        names of the catalogue, and both register maps in register order\n"
    "        with the field each mapped byte holds. html (the default) is one\n"
    "        self-contained page that prints on A4; md is Markdown; csv holds\n"
    "        the register lists only, after a title line. A project that check\n"
    "        would refuse still gets its report, with the problems at its top.\n"
    "        Without --output the report goes to standard output.\n"
    "\n"
    "OPTIONS\n"
    "    --output FILE   (build) write the image to FILE instead;\n"
    "                    (report) write the report to FILE\n"
    "    --format NAME   (report) html, csv or md; html when not given\n"
    "    --sep CHAR      (report, csv) the field separator, ',' when not given;\n"
    "                    ';' for spreadsheets in locales that use it\n"
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
    "    telvanor-cli dump /tmp/bank.bin\n"
    "    telvanor-cli report examples/Boat1 --format html --output report.html\n"
    "    telvanor-cli report examples/Boat1 --format csv --sep ';' --output registers.csv\n";

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
    std::optional<std::string> format;
    std::optional<std::string> separator;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--output" && (command == "build" || command == "report")) {
            if (i + 1 >= arguments.size()) return usageError(err, "--output needs a file name");
            output = arguments[++i];
        } else if (argument == "--format" && command == "report") {
            if (i + 1 >= arguments.size()) return usageError(err, "--format needs html, csv or md");
            format = arguments[++i];
        } else if (argument == "--sep" && command == "report") {
            if (i + 1 >= arguments.size()) return usageError(err, "--sep needs a character");
            separator = arguments[++i];
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
    if (command == "report") {
        if (positional.size() != 1) return usageError(err, "report takes one project folder");
        ReportOptions options;
        options.output = output;
        if (format) {
            std::optional<ReportFormat> parsed = parseReportFormat(*format);
            if (!parsed) return usageError(err, "unknown report format '" + *format + "'; use html, csv or md");
            options.format = *parsed;
        }
        if (separator) {
            if (options.format != ReportFormat::Csv) return usageError(err, "--sep goes with --format csv");
            // The quote and line breaks frame the fields themselves and cannot part them.
            if (separator->size() != 1 || *separator == "\"" || *separator == "\r" || *separator == "\n")
                return usageError(err, "--sep takes one character other than a quote or a line break");
            options.separator = (*separator)[0];
        }
        return reportCommand(positional[0], options, out, err);
    }
    return usageError(err, "unknown command '" + command + "'");
}

}  // namespace telvanor
