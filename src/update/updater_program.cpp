#include "update/updater_program.h"

#include <array>
#include <cstring>
#include <fstream>
#include <system_error>

#include "platform/file_system.h"
#include "platform/path_text.h"

namespace telvanor {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kWine = "wine";

#ifdef _WIN32
constexpr char kPathListSeparator = ';';
#else
constexpr char kPathListSeparator = ':';
#endif

// The first bytes of a file: enough for the "MZ", "#!" and ELF headers.
std::string fileStart(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::array<char, 20> bytes{};
    in.read(bytes.data(), bytes.size());
    return std::string(bytes.data(), static_cast<std::size_t>(in.gcount()));
}

bool startsWith(std::string_view bytes, std::string_view prefix) { return bytes.substr(0, prefix.size()) == prefix; }

#ifndef _WIN32

constexpr std::string_view kElfMagic =
    "\x7F"
    "ELF";

// The machine an ELF header is built for (its e_machine field, in the header's byte order).
int elfMachine(std::string_view header) {
    if (header.size() < 20) return -1;
    auto byte = [&](std::size_t at) { return static_cast<unsigned char>(header[at]); };
    bool bigEndian = byte(5) == 2;
    return bigEndian ? byte(18) << 8 | byte(19) : byte(19) << 8 | byte(18);
}

// An ELF program for another machine than the one this program runs on.
bool foreignElf(std::string_view header) {
    std::string own = fileStart("/proc/self/exe");
    if (!startsWith(own, kElfMagic)) return false;  // nothing to compare with: let the system decide
    return elfMachine(header) != elfMachine(own);
}

#endif

}  // namespace

std::string cannotStartMessage(const fs::path& updater, std::string_view reason) {
    return "Cannot start the updater " + platform::utf8FromPath(updater) + ": " + std::string(reason);
}

std::optional<fs::path> findOnPath(std::string_view program, std::string_view pathVariable) {
    std::size_t start = 0;
    while (start <= pathVariable.size()) {
        std::size_t end = pathVariable.find(kPathListSeparator, start);
        if (end == std::string_view::npos) end = pathVariable.size();
        std::string_view folder = pathVariable.substr(start, end - start);
        start = end + 1;
        if (folder.empty()) continue;
        fs::path candidate = platform::pathFromUtf8(folder) / platform::pathFromUtf8(program);
        std::error_code error;
        if (!fs::is_regular_file(candidate, error)) continue;
#ifndef _WIN32
        if (!platform::isExecutableFile(candidate)) continue;
#endif
        return candidate;
    }
    return std::nullopt;
}

UpdaterLaunchPlan planUpdaterLaunch(const fs::path& updater, std::string_view pathVariable) {
    auto refuse = [](std::string_view reason) { return UpdaterLaunchPlan{std::nullopt, std::string(reason)}; };
    std::error_code error;
    fs::file_status status = fs::status(updater, error);
    if (!fs::exists(status)) return refuse("there is no such file");
    if (fs::is_directory(status)) return refuse("it is a folder, not a program");
    if (!fs::is_regular_file(status)) return refuse("it is not a regular file");
    std::string start = fileStart(updater);
    bool windowsProgram = startsWith(start, "MZ");
#ifdef _WIN32
    if (!windowsProgram) return refuse("it is not a program for this system");
    (void)pathVariable;
    return {UpdaterLaunch{updater, false}, {}};
#else
    if (windowsProgram) {
        std::optional<fs::path> wine = findOnPath(kWine, pathVariable);
        if (!wine) return refuse("it is a Windows program, and wine, which would run it, is not on the PATH");
        return {UpdaterLaunch{*wine, true}, {}};
    }
    bool script = startsWith(start, "#!");
    bool elf = startsWith(start, kElfMagic);
    if ((!script && !elf) || (elf && foreignElf(start))) return refuse("it is not a program for this system");
    if (!platform::isExecutableFile(updater)) return refuse("it is not executable (its execute permission is not set)");
    return {UpdaterLaunch{updater, false}, {}};
#endif
}

}  // namespace telvanor
