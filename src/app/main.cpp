#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

#include <QApplication>

#include "app/application_windows.h"
#include "project/workspace.h"
#include "project/workspace_location.h"
#include "project/workspace_lock.h"
#include "widgets/message_boxes.h"
#include "widgets/qt_text.h"

namespace {

constexpr const char* kUsage =
    "NAME\n"
    "    telvanor - Firmware Telvanor, configuration tool of the RM40915 gateway\n"
    "\n"
    "SYNOPSIS\n"
    "    telvanor [--workspace DIR]\n"
    "    telvanor --help | --version\n"
    "\n"
    "DESCRIPTION\n"
    "    Describes as a project which NMEA 2000 frames the gateway receives and transmits and\n"
    "    which Modbus register takes or feeds which byte of which frame, sets the serial and\n"
    "    CAN parameters, compiles the project into bin/bank.bin and starts the serial updater.\n"
    "\n"
    "OPTIONS\n"
    "    --workspace DIR  keep MASTER, PROJECTS and the settings file in DIR\n"
    "    --help           show this text\n"
    "    --version        print the version\n"
    "\n"
    "FILES\n"
    "    The workspace is the program's own folder when it may write there, otherwise (and\n"
    "    always for an installed copy) $XDG_DATA_HOME/Telvanor, by default\n"
    "    ~/.local/share/Telvanor. It holds:\n"
    "    PROJECTS/                     one folder per project\n"
    "    MASTER/                       sim40915.sim, the updater's device description\n"
    "    Ser_40915_Update.exe          the serial updater\n"
    "    Telvanor_NMEA20002MRTUs.ini   the last project's name\n"
    "    telvanor.lock                 the process id of the copy that uses the workspace\n"
    "\n"
    "SEE ALSO\n"
    "    telvanor-cli --help: build, check and inspect projects without a window\n";

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
    // Ties the windows to the menu entry's icon and name on Wayland desktops.
    QGuiApplication::setDesktopFileName("com.quenzartelvanor.FirmwareTelvanor");
    if (workspace.empty())
        workspace = telvanor::chooseWorkspaceDir(
            telvanor::processWorkspaceEnvironment(telvanor::pathFromQt(QApplication::applicationDirPath())));

    workspace = std::filesystem::absolute(workspace);
    std::error_code ignored;  // a workspace that cannot be made shows in what follows
    telvanor::QtMessageBoxes messages;
    // A second copy on the same workspace is told so before anything else.
    std::filesystem::create_directories(workspace, ignored);
    telvanor::WorkspaceLock lock = telvanor::lockWorkspace(workspace);
    if (std::optional<std::string> notice = telvanor::workspaceLockNotice(lock, workspace))
        messages.information(*notice);
    int result = 0;
    {
        telvanor::ApplicationWindows windows(workspace, messages);
        windows.main().show();
        result = QApplication::exec();
    }
    telvanor::unlockWorkspace(workspace);
    return result;
}
