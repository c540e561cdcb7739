#include "update/updater_command.h"

namespace telvanor {

namespace fs = std::filesystem;

namespace {

constexpr char kSeparator = static_cast<char>(fs::path::preferred_separator);

const char* token(bool ticked, const char* tickedToken) { return ticked ? tickedToken : "NO "; }

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }

// The characters a backslash escapes inside double quotes.
bool escapesInDoubleQuotes(char c) { return c == '$' || c == '`' || c == '"' || c == '\\' || c == '\n'; }

}  // namespace

std::string updaterParameters(std::string_view port, const UpdateOptions& options, const fs::path& masterDir,
                              const fs::path& projectDir) {
    std::string parameters(port);
    parameters += ' ';
    parameters += token(options.firmware, "FW ");
    parameters += token(options.readFirmware, "FR ");
    parameters += token(options.project, "PW ");
    parameters += token(options.readProject, "PR ");
    parameters += '"' + masterDir.string() + kSeparator + std::string(kDeviceDescriptionFile) + "\" ";
    parameters += '"' + projectDir.string() + kSeparator + "bin" + kSeparator + '"';
    return parameters;
}

fs::path updaterProgramPath(const fs::path& exeDir) {
    return fs::path(exeDir.string() + kSeparator + std::string(kUpdaterProgram));
}

std::vector<std::string> splitCommandLine(std::string_view text) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    std::size_t i = 0;
    while (i < text.size()) {
        char c = text[i++];
        if (c == '\\' && i < text.size() && text[i] == '\n') {
            ++i;  // a backslash and a line end join two lines
            continue;
        }
        if (isBlank(c)) {
            if (inWord) words.push_back(std::move(word));
            word.clear();
            inWord = false;
            continue;
        }
        inWord = true;
        if (c == '\'') {
            while (i < text.size() && text[i] != '\'') word += text[i++];
            ++i;  // the closing quote, if any
        } else if (c == '"') {
            while (i < text.size() && text[i] != '"') {
                char quoted = text[i++];
                if (quoted == '\\' && i < text.size() && escapesInDoubleQuotes(text[i])) {
                    quoted = text[i++];
                    if (quoted == '\n') continue;
                }
                word += quoted;
            }
            ++i;
        } else if (c == '\\' && i < text.size()) {
            word += text[i++];
        } else {
            word += c;
        }
    }
    if (inWord) words.push_back(std::move(word));
    return words;
}

}  // namespace telvanor
