#pragma once

#include <chrono>
#include <filesystem>
#include <memory>
#include <thread>

#include <gtest/gtest.h>

#include "support/child_process.h"

namespace telvanor::testing {

// Two connected pseudo-terminals made by socat, reachable through the links `first` and
// `second` in a folder of the test's. They vanish with the object.
class PseudoTerminalPair {
public:
    explicit PseudoTerminalPair(const std::filesystem::path& folder)
        : first(folder / "ttyFirst"), second(folder / "ttySecond") {
        socat_ = std::make_unique<ChildProcess>(std::vector<std::string>{
            "socat", "pty,raw,echo=0,link=" + first.string(), "pty,raw,echo=0,link=" + second.string()});
        for (int i = 0; i < 500 && !(exists(first) && exists(second)); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (!exists(first) || !exists(second))
            ADD_FAILURE() << "socat made no pseudo-terminals; scripts/install-packages installs it";
    }

    const std::filesystem::path first;
    const std::filesystem::path second;

private:
    static bool exists(const std::filesystem::path& link) {
        std::error_code ignored;
        return std::filesystem::exists(link, ignored);
    }

    std::unique_ptr<ChildProcess> socat_;
};

}  // namespace telvanor::testing
