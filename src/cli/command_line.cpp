#include "cli/command_line.h"

#include <algorithm>

namespace telvanor {

namespace {

const OptionSpec* findLong(const CommandSpec& command, std::string_view name) {
    for (const OptionSpec& option : command.options)
        if (option.name == name) return &option;
    return nullptr;
}

const OptionSpec* findShort(const CommandSpec& command, char name) {
    for (const OptionSpec& option : command.options)
        if (option.shortName != 0 && option.shortName == name) return &option;
    return nullptr;
}

std::string spelling(const OptionSpec& option) { return "--" + std::string(option.name); }

// "-o, --output FILE" or "--format html|csv|md".
std::string optionTitle(const OptionSpec& option) {
    std::string title = option.shortName != 0 ? std::string("-") + option.shortName + ", " : "";
    title += spelling(option);
    if (!option.valueName.empty()) title += " " + std::string(option.valueName);
    return title;
}

void store(ParsedArguments& parsed, const OptionSpec& option, const std::string& value) {
    if (!parsed.options.emplace(std::string(option.name), value).second)
        throw UsageError(spelling(option) + " is given more than once");
}

}  // namespace

std::optional<std::string> ParsedArguments::option(std::string_view name) const {
    auto found = options.find(name);
    if (found == options.end()) return std::nullopt;
    return found->second;
}

ParsedArguments parseArguments(const CommandSpec& command, const std::vector<std::string>& arguments) {
    ParsedArguments parsed;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument == "-" || !argument.starts_with("-")) {
            parsed.arguments.push_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        if (argument == "--help" || argument == "-h") {
            parsed.help = true;
            continue;
        }
        const OptionSpec* option = nullptr;
        std::optional<std::string> attached;  // the value written into the same argument
        if (argument.starts_with("--")) {
            std::string_view body = std::string_view(argument).substr(2);
            std::size_t equals = body.find('=');
            option = findLong(command, body.substr(0, equals));
            if (equals != std::string_view::npos) attached = std::string(body.substr(equals + 1));
        } else {
            option = findShort(command, argument[1]);
            if (argument.size() > 2) attached = argument.substr(2);
        }
        if (!option) throw UsageError("unknown option '" + argument + "' for " + std::string(command.name));
        if (option->valueName.empty()) {
            if (attached) throw UsageError(spelling(*option) + " takes no value");
            store(parsed, *option, "");
            continue;
        }
        if (!attached) {
            // A following option is a forgotten value, not a file name: "-o --format" is refused.
            bool valueFollows =
                i + 1 < arguments.size() && (arguments[i + 1] == "-" || !arguments[i + 1].starts_with("-"));
            if (!valueFollows) throw UsageError(spelling(*option) + " needs " + std::string(option->valueName));
            attached = arguments[++i];
        }
        store(parsed, *option, *attached);
    }
    if (parsed.help) return parsed;
    std::size_t expected = command.arguments.size();
    std::string names;
    for (std::string_view name : command.arguments) names += (names.empty() ? "" : " ") + std::string(name);
    if (parsed.arguments.size() < expected) throw UsageError(std::string(command.name) + " needs " + names);
    if (parsed.arguments.size() > expected)
        throw UsageError(std::string(command.name) + " takes " + names + " and nothing more; '" +
                         parsed.arguments[expected] + "' is one too many");
    return parsed;
}

std::string commandSynopsis(const CommandSpec& command) {
    std::string synopsis(command.name);
    for (std::string_view argument : command.arguments) synopsis += " " + std::string(argument);
    for (const OptionSpec& option : command.options) {
        std::string usage = option.shortName != 0 ? std::string("-") + option.shortName : spelling(option);
        if (!option.valueName.empty()) usage += " " + std::string(option.valueName);
        synopsis += option.required ? " " + usage : " [" + usage + "]";
    }
    return synopsis;
}

std::string optionLines(const CommandSpec& command, std::string_view indent) {
    std::size_t width = std::string("-h, --help").size();
    for (const OptionSpec& option : command.options) width = std::max(width, optionTitle(option).size());
    auto entry = [&](const std::string& title, std::string_view help) {
        std::string text = std::string(indent) + title + std::string(width + 2 - title.size(), ' ');
        // Later lines of the help line up under the first.
        for (char c : help) {
            text += c;
            if (c == '\n') text += std::string(indent) + std::string(width + 2, ' ');
        }
        return text + "\n";
    };
    std::string lines;
    for (const OptionSpec& option : command.options) lines += entry(optionTitle(option), option.help);
    return lines + entry("-h, --help", "show this command's help");
}

}  // namespace telvanor
