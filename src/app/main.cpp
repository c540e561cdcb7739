#include <cstdio>
#include <filesystem>
#include <string>

#include <QApplication>

#include "app/application_windows.h"
#include "app/message_boxes.h"
#include "app/qt_text.h"
#include "project/workspace.h"

namespace {

constexpr const char* kUsage =
    "Usage: telvanor [--workspace DIR]\n"
    "\n"
    "Firmware Telvanor: configure the RM40915 gateway (Modbus RTU slave and NMEA 2000 node).\n"
    "\n"
    "Options:\n"
    "  --workspace DIR  keep MASTER, PROJECTS and the settings file in DIR instead of the\n"
    "                   program's own folder\n"
    "  --help           show this text\n"
    "  --version        print the version\n";

}  // namespace

int main(int argc, char* argv[]) {
    // Answered before the toolkit starts, so they work without a display.
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        if (argument == "--help") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (argument == "--version") {
            std::printf("telvanor %s\n", TELVANOR_VERSION);
            return 0;
        }
    }

    // QApplication takes its own options (such as -platform) out of argv.
    QApplication application(argc, argv);
    std::filesystem::path workspace;
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        if (argument == "--workspace" && i + 1 < argc) {
            workspace = argv[++i];
        } else {
            std::fprintf(stderr, "telvanor: unknown argument '%s'\n\n%s", argument.c_str(), kUsage);
            return 2;
        }
    }
    QApplication::setApplicationName(telvanor::toQt(telvanor::kApplicationTitle));
    if (workspace.empty()) workspace = telvanor::pathFromQt(QApplication::applicationDirPath());

    telvanor::QtMessageBoxes messages;
    telvanor::ApplicationWindows windows(std::filesystem::absolute(workspace), messages);
    windows.main().show();
    return QApplication::exec();
}
