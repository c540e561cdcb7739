#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace telvanor {

// A command line that does not fit its command. what() says what is wrong; the caller adds the
// usage and exits with status 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An option of a command: --name VALUE, --name=VALUE, and -x VALUE or -xVALUE when it has a
// short name; an option without a value name is a plain switch.
struct OptionSpec {
    std::string_view name;       // "output", given as --output
    char shortName = 0;          // 'o', given as -o; 0 for none
    std::string_view valueName;  // "FILE"; empty for a switch
    std::string_view help;       // one line, or lines joined by '\n'
    bool required = false;       // shown without brackets in the synopsis; the command refuses to run without it
};

struct ParsedArguments;

// One command of telvanor-cli: what it is called, what it takes, what it says about itself in
// its help (and so in the manual page), and what runs it.
struct CommandSpec {
    std::string_view name;
    std::vector<std::string_view> arguments;  // the names of its positional arguments, all required
    std::vector<OptionSpec> options;
    std::string_view description;  // lines joined by '\n', each within 72 columns
    int (*run)(const ParsedArguments& parsed, std::istream& in, std::ostream& out, std::ostream& err);
};

// What a command line gave: the positional arguments in order and the options by name. `help`
// is set when -h or --help stood among the arguments.
struct ParsedArguments {
    std::vector<std::string> arguments;
    std::map<std::string, std::string, std::less<>> options;
    bool help = false;

    std::optional<std::string> option(std::string_view name) const;
};

// Parses the arguments that follow the command's name. "--" ends the options; "-" alone is an
// argument (standard input or output). Throws UsageError for an unknown or repeated option, an
// option without its value, and too few or too many arguments (the last two not when help is
// asked for).
ParsedArguments parseArguments(const CommandSpec& command, const std::vector<std::string>& arguments);

// "report PROJECT_DIR [--format html|csv|md] [-o FILE] [--sep CHAR]"
std::string commandSynopsis(const CommandSpec& command);

// The command's options, one per entry, as "  -o, --output FILE    text", aligned.
std::string optionLines(const CommandSpec& command, std::string_view indent);

}  // namespace telvanor
