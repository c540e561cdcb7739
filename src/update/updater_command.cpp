#include "update/updater_command.h"

#include <algorithm>

#include "platform/path_text.h"

namespace telvanor {

namespace fs = std::filesystem;

namespace {

constexpr char kSeparator = static_cast<char>(fs::path::preferred_separator);

std::string token(bool ticked, const char* tickedToken) { return ticked ? tickedToken : "NO"; }

std::array<std::string, 4> optionTokens(const UpdateOptions& options) {
    return {token(options.firmware, "FW"), token(options.readFirmware, "FR"), token(options.project, "PW"),
            token(options.readProject, "PR")};
}

std::string descriptionPath(const fs::path& masterDir) {
    return platform::utf8FromPath(masterDir) + kSeparator + std::string(kDeviceDescriptionFile);
}

std::string binFolderPath(const fs::path& projectDir) {
    return platform::utf8FromPath(projectDir) + kSeparator + "bin" + kSeparator;
}

}  // namespace

std::vector<std::string> UpdaterArguments::list() const {
    std::vector<std::string> arguments{port};
    arguments.insert(arguments.end(), tokens.begin(), tokens.end());
    arguments.push_back(deviceDescription);
    arguments.push_back(binFolder);
    return arguments;
}

std::string UpdaterArguments::parameterString() const {
    std::string parameters = port + ' ';
    for (const std::string& part : tokens) parameters += part + ' ';
    parameters += '"' + deviceDescription + "\" ";
    parameters += '"' + binFolder + '"';
    return parameters;
}

UpdaterArguments updaterArguments(std::string_view port, const UpdateOptions& options, const fs::path& masterDir,
                                  const fs::path& projectDir) {
    return {std::string(port), optionTokens(options), descriptionPath(masterDir), binFolderPath(projectDir)};
}

UpdaterArguments wineUpdaterArguments(std::string_view comName, const UpdateOptions& options, const fs::path& masterDir,
                                      const fs::path& projectDir) {
    return {std::string(comName), optionTokens(options), wineDrivePath(descriptionPath(masterDir)),
            wineDrivePath(binFolderPath(projectDir))};
}

std::string wineDrivePath(std::string_view linuxPath) {
    std::string path = "Z:" + std::string(linuxPath);
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

fs::path updaterProgramPath(const fs::path& exeDir) {
    return platform::pathFromUtf8(platform::utf8FromPath(exeDir) + kSeparator + std::string(kUpdaterProgram));
}

}  // namespace telvanor
