#include "cli/cli.h"

#include <iostream>
#include <optional>

#include "cli/cli_commands.h"
#include "cli/command_line.h"
#include "platform/path_text.h"

namespace telvanor {

namespace {

constexpr std::size_t kManualWidth = 80;

std::optional<std::filesystem::path> pathOption(const ParsedArguments& parsed, std::string_view name) {
    std::optional<std::string> value = parsed.option(name);
    if (!value) return std::nullopt;
    return platform::pathFromUtf8(*value);
}

std::filesystem::path argumentPath(const ParsedArguments& parsed, std::size_t index) {
    return platform::pathFromUtf8(parsed.arguments[index]);
}

int runBuild(const ParsedArguments& parsed, std::istream&, std::ostream& out, std::ostream& err) {
    return buildCommand(argumentPath(parsed, 0), pathOption(parsed, "output"), out, err);
}

// --format text or json; gives whether it is json.
bool jsonFormat(const ParsedArguments& parsed, std::string_view command) {
    std::string format = parsed.option("format").value_or("text");
    if (format != "text" && format != "json")
        throw UsageError("unknown " + std::string(command) + " format '" + format + "'; use text or json");
    return format == "json";
}

int runCheck(const ParsedArguments& parsed, std::istream&, std::ostream& out, std::ostream& err) {
    return checkCommand(argumentPath(parsed, 0), jsonFormat(parsed, "check") ? CheckFormat::Json : CheckFormat::Text,
                        out, err);
}

int runDump(const ParsedArguments& parsed, std::istream& in, std::ostream& out, std::ostream& err) {
    return dumpCommand(argumentPath(parsed, 0), jsonFormat(parsed, "dump") ? DumpFormat::Json : DumpFormat::Text, in,
                       out, err);
}

int runDiff(const ParsedArguments& parsed, std::istream& in, std::ostream& out, std::ostream& err) {
    return diffCommand(argumentPath(parsed, 0), argumentPath(parsed, 1), in, out, err);
}

int runReport(const ParsedArguments& parsed, std::istream&, std::ostream& out, std::ostream& err) {
    ReportOptions options;
    options.output = pathOption(parsed, "output");
    if (std::optional<std::string> format = parsed.option("format")) {
        std::optional<ReportFormat> known = parseReportFormat(*format);
        if (!known) throw UsageError("unknown report format '" + *format + "'; use html, csv or md");
        options.format = *known;
    }
    if (std::optional<std::string> separator = parsed.option("sep")) {
        if (options.format != ReportFormat::Csv) throw UsageError("--sep goes with --format csv");
        // The quote and line breaks frame the fields themselves and cannot part them.
        if (separator->size() != 1 || *separator == "\"" || *separator == "\r" || *separator == "\n")
            throw UsageError("--sep takes one character other than a quote or a line break");
        options.separator = (*separator)[0];
    }
    return reportCommand(argumentPath(parsed, 0), options, out, err);
}

MapKind mapOption(const ParsedArguments& parsed) {
    std::string map = parsed.option("map").value_or("transmit");
    if (map == "transmit") return MapKind::Transmit;
    if (map == "receive") return MapKind::Receive;
    throw UsageError("unknown map '" + map + "'; use transmit or receive");
}

int runExport(const ParsedArguments& parsed, std::istream&, std::ostream& out, std::ostream& err) {
    ExchangeOptions options;
    options.map = mapOption(parsed);
    options.output = pathOption(parsed, "output");
    std::string format = parsed.option("format").value_or("csv");
    if (format != "csv" && format != "xlsx")
        throw UsageError("unknown export format '" + format + "'; use csv or xlsx");
    options.format = format == "xlsx" ? ExchangeFormat::Xlsx : ExchangeFormat::Csv;
    return exportCommand(argumentPath(parsed, 0), options, out, err);
}

int runImport(const ParsedArguments& parsed, std::istream&, std::ostream& out, std::ostream& err) {
    return importCommand(argumentPath(parsed, 0), argumentPath(parsed, 1), mapOption(parsed), out, err);
}

const OptionSpec kMapOption = {"map", 0, "transmit|receive", "the transmit map (the default) or the\nreceive map"};

const std::vector<CommandSpec>& commands() {
    static const std::vector<CommandSpec> list = {
        {"build",
         {"PROJECT_DIR"},
         {{"output", 'o', "FILE", "write the image to FILE instead;\n- for standard output"}},
         "Compile the project folder into its configuration image, by default\n"
         "PROJECT_DIR/bin/bank.bin, and print the image's length and counts (on\n"
         "standard error when the image goes to standard output). On failure\n"
         "print the file, row and attribute at fault; nothing is written.",
         runBuild},
        {"check",
         {"PROJECT_DIR"},
         {{"format", 0, "text|json",
           "text (the default), or json: one object with\n"
           "project, passed, files_checked,\n"
           "files_refused, findings and image"}},
         "Load each project file that exists as its editor does and run the\n"
         "editor's checks, then build the image as Update Device does; what\n"
         "build refuses, check refuses too. Prints \"FILE: MESSAGE\" for each\n"
         "refusal, naming the window, row and column where it is mended and\n"
         "then the file, row and attribute, and \"warning: FILE: TEXT\" for\n"
         "what is worth knowing but would stop nothing, then how many files\n"
         "were checked. A folder without any project file fails.",
         runCheck},
        {"dump",
         {"FILE"},
         {{"format", 0, "text|json",
           "text (the default), or json: one object with\n"
           "length, offsets, receive_frames,\n"
           "transmit_frames, receive_map, transmit_map,\n"
           "parameters, deleted and identifiers"}},
         "Print a configuration image (FILE - reads standard input): section\n"
         "offsets, receive frames (the PGN with its data page, as report writes\n"
         "it, and whether the frame is deleted), transmit frames, both register\n"
         "maps, the parameters in words, the deleted frames and the identifier\n"
         "table. PGNs are named from the canboat community database. A file\n"
         "whose header does not hold together is refused with the reason.",
         runDump},
        {"diff",
         {"OLD", "NEW"},
         {},
         "Compare two configuration images and print each difference in the\n"
         "image's own terms, one line each: which receive or transmit frame (by\n"
         "number), register mapping (by register), parameter or identifier,\n"
         "with its old and new value, or what was added or removed. Prints\n"
         "nothing when the images are the same. One of them may be -, standard\n"
         "input. Exit status 0: the same; 1: they differ; 2: an image cannot be\n"
         "read or is none.",
         runDiff},
        {"report",
         {"PROJECT_DIR"},
         {{"format", 0, "html|csv|md", "html (the default), csv or md"},
          {"output", 'o', "FILE", "write the report to FILE; standard output\nwhen not given or -"},
          {"sep", 0, "CHAR",
           "(csv) the field separator, ',' when not\n"
           "given; ';' for spreadsheets in locales\n"
           "that use it"}},
         "Describe the project for wiring a PLC or SCADA system to the gateway:\n"
         "the project name and the date of its newest file, the communication\n"
         "parameters in words, the receive and transmit frames with the PGN\n"
         "names of the catalogue, and both register maps in register order\n"
         "with the field each mapped byte holds. html is one self-contained\n"
         "page that prints on A4; md is Markdown; csv holds the register lists\n"
         "only, after a title line, for spreadsheets: UTF-8 with a byte order\n"
         "mark, and a field that a spreadsheet would take for a formula (one\n"
         "starting with =, +, -, @, tab or carriage return) gets a leading\n"
         "apostrophe. A project that check would refuse still gets its report,\n"
         "with the problems at its top.",
         runReport},
        {"export",
         {"PROJECT_DIR"},
         {kMapOption,
          {"format", 0, "csv|xlsx", "csv (the default) or xlsx"},
          {"output", 'o', "FILE",
           "write to FILE instead of TInfoCob.csv (or\n"
           "RInfoCob.csv, .xlsx) in the project folder;\n"
           "- for standard output"}},
         "Export a register map for a spreadsheet, as the map window's Export\n"
         "does: one row per mapping with its Index, frame number, PosComp and,\n"
         "for the transmit map, its Write flag (csv: \"100,2,33,1\", no title\n"
         "line). xlsx adds a title row and, for the reader, each frame's PGN,\n"
         "name and source address, which import ignores. A map file that cannot\n"
         "be read whole is refused.",
         runExport},
        {"import",
         {"PROJECT_DIR", "FILE"},
         {kMapOption},
         "Replace a register map by the rows of FILE, an .xls or .xlsx workbook\n"
         "(its worksheet TInfoCob or RInfoCob, any letter case) or a CSV file\n"
         "(comma or semicolon, UTF-8), and write the map file. A first row that\n"
         "does not start with two integers is a title row. Prints how many\n"
         "mappings were imported and which rows were skipped and why. A file that\n"
         "cannot be read, or has no such worksheet, changes nothing (exit 1).",
         runImport},
        monitorCommandSpec(),
    };
    return list;
}

const CommandSpec* findCommand(std::string_view name) {
    for (const CommandSpec& command : commands())
        if (command.name == name) return &command;
    return nullptr;
}

// Each line of `text` after `indent`.
std::string indented(std::string_view text, std::string_view indent) {
    std::string out;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        out += std::string(indent) + std::string(text.substr(start, end - start)) + "\n";
        start = end + 1;
    }
    return out;
}

// The command's synopsis after `lead`, broken before an option where it would pass the
// manual's width; later lines start under the first argument.
std::string synopsisLines(const CommandSpec& command, const std::string& lead) {
    std::string synopsis = commandSynopsis(command);
    std::string continuation(lead.size() + command.name.size() + 1, ' ');
    std::string out = lead;
    std::size_t lineLength = lead.size();
    std::size_t start = 0;
    while (start < synopsis.size()) {
        std::size_t next = synopsis.find(" [", start + 1);
        std::string word = synopsis.substr(start, next == std::string::npos ? std::string::npos : next - start);
        if (start > 0 && lineLength + word.size() > kManualWidth) {
            word.erase(0, 1);
            out += "\n" + continuation;
            lineLength = continuation.size();
        }
        out += word;
        lineLength += word.size();
        start = next == std::string::npos ? synopsis.size() : next;
    }
    return out + "\n";
}

std::string commandHelp(const CommandSpec& command) {
    return synopsisLines(command, "Usage: telvanor-cli ") + "\n" + std::string(command.description) + "\n\nOptions:\n" +
           optionLines(command, "  ");
}

std::string globalUsage() {
    std::string usage;
    for (const CommandSpec& command : commands())
        usage += synopsisLines(command, usage.empty() ? "Usage: telvanor-cli " : "       telvanor-cli ");
    return usage + "       telvanor-cli help [COMMAND] | --help | --version\n";
}

int usageError(std::ostream& err, const std::string& problem, const CommandSpec* command) {
    err << "telvanor-cli: " << problem << "\n\n";
    if (command)
        err << synopsisLines(*command, "Usage: telvanor-cli ") << "Try 'telvanor-cli help " << command->name
            << "' for more.\n";
    else
        err << globalUsage() << "Try 'telvanor-cli --help' for more.\n";
    return kExitUsage;
}

// `help` and `--help`, alone or with a command name.
int help(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    if (arguments.size() == 1) {
        out << cliManual();
        return kExitSuccess;
    }
    if (arguments.size() > 2) return usageError(err, arguments[0] + " takes at most one command name", nullptr);
    const CommandSpec* command = findCommand(arguments[1]);
    if (!command) return usageError(err, "no command '" + arguments[1] + "' to help with", nullptr);
    out << commandHelp(*command);
    return kExitSuccess;
}

}  // namespace

std::string cliManual() {
    std::string manual =
        "NAME\n"
        "    telvanor-cli - build, check and inspect RM40915 gateway projects\n"
        "\n"
        "SYNOPSIS\n";
    for (const CommandSpec& command : commands()) manual += synopsisLines(command, "    telvanor-cli ");
    manual +=
        "    telvanor-cli help [COMMAND]\n"
        "    telvanor-cli --help | --version\n"
        "\n"
        "DESCRIPTION\n"
        "    The command line of Firmware Telvanor: what the program does with a project,\n"
        "    without a screen. A project is a folder holding pargen.xml, RCobDef.xml,\n"
        "    TCobDef.xml, RInfoCob.xml and TInfoCob.xml (any letter case; none needs to\n"
        "    exist), as the program writes them.\n"
        "\n"
        "    An option's value follows it (--output FILE) or is joined to it with =\n"
        "    (--output=FILE); -o FILE is short for --output FILE. A FILE of - is standard\n"
        "    output (build, report, export) or standard input (dump, diff); -- ends the\n"
        "    options.\n"
        "    \"telvanor-cli help COMMAND\" or \"telvanor-cli COMMAND --help\" shows that\n"
        "    command's help alone.\n"
        "\n"
        "    An output that is one of the project's own files (the project files, and\n"
        "    its bin/bank.bin for anything but build) is refused and left as it is. A\n"
        "    regular file is replaced whole or not at all; a device or a FIFO is written\n"
        "    to, never replaced.\n"
        "\n"
        "COMMANDS\n";
    for (const CommandSpec& command : commands())
        manual += synopsisLines(command, "    ") + indented(command.description, "        ") + "\n" +
                  optionLines(command, "        ") + "\n";
    manual +=
        "EXIT STATUS\n"
        "    0  success; check: no file would be refused; diff: the images are the same\n"
        "    1  failure, with the reason on standard error; check: a file would be\n"
        "       refused (the lines on standard output say which) or the folder holds\n"
        "       no project file; diff: they differ\n"
        "    2  wrong command line, with the usage; diff: an image cannot be read\n"
        "\n"
        "EXAMPLES\n"
        "    telvanor-cli build examples/Boat1 -o /tmp/bank.bin\n"
        "    telvanor-cli dump /tmp/bank.bin\n"
        "    telvanor-cli check examples/Boat1 --format json\n"
        "    telvanor-cli build examples/Boat1 -o - | telvanor-cli dump --format json -\n"
        "    telvanor-cli diff old/bank.bin examples/Boat1/bin/bank.bin\n"
        "    telvanor-cli report examples/Boat1 --format=html -o report.html\n"
        "    telvanor-cli report examples/Boat1 --format csv --sep ';' -o registers.csv\n"
        "    telvanor-cli export examples/Boat1 --format xlsx -o TInfoCob.xlsx\n"
        "    telvanor-cli import examples/Boat1 TInfoCob.xlsx\n"
        "    telvanor-cli monitor examples/Boat1 --port /dev/ttyUSB0 --once\n"
        "\n"
        "SEE ALSO\n"
        "    telvanor(1)\n";
    return manual;
}

int runCli(const std::vector<std::string>& arguments, std::istream& in, std::ostream& out, std::ostream& err) {
    if (arguments.empty()) return usageError(err, "no command given", nullptr);
    const std::string& first = arguments[0];
    if (first == "help" || first == "--help" || first == "-h") return help(arguments, out, err);
    if (first == "--version") {
        if (arguments.size() > 1) return usageError(err, "--version takes nothing more", nullptr);
        out << "telvanor-cli " << TELVANOR_VERSION << "\n";
        return kExitSuccess;
    }
    const CommandSpec* command = findCommand(first);
    if (!command)
        return usageError(err, (first.starts_with("-") ? "unknown option '" : "unknown command '") + first + "'",
                          nullptr);
    try {
        ParsedArguments parsed =
            parseArguments(*command, std::vector<std::string>(arguments.begin() + 1, arguments.end()));
        if (parsed.help) {
            out << commandHelp(*command);
            return kExitSuccess;
        }
        return command->run(parsed, in, out, err);
    } catch (const UsageError& problem) {
        return usageError(err, problem.what(), command);
    }
}

int runCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    return runCli(arguments, std::cin, out, err);
}

}  // namespace telvanor
