#pragma once

#include <chrono>
#include <filesystem>
#include <thread>

#include <QProcess>
#include <QStringList>

#include <gtest/gtest.h>

#include "widgets/qt_text.h"

namespace telvanor::testing {

// Two connected pseudo-terminals made by socat, reachable through the links `first` and
// `second` in a folder of the test's. They vanish with the object.
class PseudoTerminalPair {
public:
    explicit PseudoTerminalPair(const std::filesystem::path& folder)
        : first(folder / "ttyFirst"), second(folder / "ttySecond") {
        socat_.setProgram("socat");
        socat_.setArguments({"pty,raw,echo=0,link=" + toQtPath(first), "pty,raw,echo=0,link=" + toQtPath(second)});
        socat_.start();
        if (!socat_.waitForStarted(5000)) {
            ADD_FAILURE() << "socat could not be started; scripts/install-packages installs it";
            return;
        }
        for (int i = 0; i < 500 && !(exists(first) && exists(second)); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (!exists(first) || !exists(second)) ADD_FAILURE() << "socat made no pseudo-terminals";
    }

    ~PseudoTerminalPair() {
        socat_.terminate();
        if (!socat_.waitForFinished(3000)) socat_.kill();
        socat_.waitForFinished(3000);
    }

    const std::filesystem::path first;
    const std::filesystem::path second;

private:
    static bool exists(const std::filesystem::path& link) {
        std::error_code ignored;
        return std::filesystem::exists(link, ignored);
    }

    QProcess socat_;
};

}  // namespace telvanor::testing
