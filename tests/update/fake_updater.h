#pragma once

#include <chrono>
#include <csignal>
#include <exception>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <sys/types.h>
#include <unistd.h>

#include "support/temp_dir.h"

namespace telvanor::testing {

// A stand-in for the serial updater: a shell script under the updater's name that writes
// its process id and its arguments (one a line) beside itself, then runs for a while.
class FakeUpdater {
public:
    FakeUpdater(const std::filesystem::path& folder, const std::string& fileName, const std::string& lastCommand)
        : program(folder / fileName), pidFile(folder / "updater.pid"), argumentsFile(folder / "arguments.txt") {
        writeFile(program,
                  "#!/bin/sh\n"
                  "dir=$(dirname \"$0\")\n"
                  "for argument in \"$@\"; do printf '%s\\n' \"$argument\"; done > \"$dir/arguments.txt\"\n"
                  "echo $$ > \"$dir/updater.pid\"\n" +
                      lastCommand + "\n");
        std::filesystem::permissions(program, std::filesystem::perms::owner_all);
    }

    // Ends after a second.
    static FakeUpdater endingSoon(const std::filesystem::path& folder) {
        return FakeUpdater(folder, "Ser_40915_Update.exe", "sleep 1");
    }
    // Runs far longer than any test waits; the sleep keeps the script's process id.
    static FakeUpdater runningOn(const std::filesystem::path& folder) {
        return FakeUpdater(folder, "Ser_40915_Update.exe", "exec sleep 60");
    }

    // Whatever it still runs ends with the test; a process id that another program has
    // taken over meanwhile is left alone.
    ~FakeUpdater() {
        auto id = writtenProcessId();
        if (!id || !alive()) return;
        std::string commandLine;
        try {
            commandLine = readFile("/proc/" + std::to_string(*id) + "/cmdline");
        } catch (const std::exception&) {
            return;
        }
        if (commandLine.find("sleep") != std::string::npos || commandLine.find(program.string()) != std::string::npos)
            ::kill(*id, SIGKILL);
    }
    FakeUpdater(const FakeUpdater&) = delete;
    FakeUpdater& operator=(const FakeUpdater&) = delete;

    bool ran() const { return std::filesystem::exists(pidFile); }

    // The process id it wrote, waiting a little for it.
    std::optional<pid_t> processId() const {
        for (int i = 0; i < 300 && !std::filesystem::exists(pidFile); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return writtenProcessId();
    }

    std::optional<pid_t> writtenProcessId() const {
        std::ifstream in(pidFile);
        long id = 0;
        if (!(in >> id) || id <= 0) return std::nullopt;
        return static_cast<pid_t>(id);
    }

    std::vector<std::string> arguments() const {
        std::vector<std::string> lines;
        std::istringstream in(readFile(argumentsFile));
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }

    // Running and not merely waiting to be reaped.
    bool alive() const {
        auto id = writtenProcessId();
        if (!id || ::kill(*id, 0) != 0) return false;
        std::ifstream stat("/proc/" + std::to_string(*id) + "/stat");
        std::string line;
        std::getline(stat, line);
        std::size_t nameEnd = line.rfind(')');
        return nameEnd == std::string::npos || nameEnd + 2 >= line.size() || line[nameEnd + 2] != 'Z';
    }

    std::filesystem::path program;
    std::filesystem::path pidFile;
    std::filesystem::path argumentsFile;
};

}  // namespace telvanor::testing
