#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

#include <QApplication>

#include "app/application_windows.h"
#include "app/main_window.h"
#include "platform/path_text.h"
#include "project/atomic_file.h"
#include "project/sample_projects.h"
#include "project/workspace.h"
#include "project/workspace_location.h"
#include "project/workspace_lock.h"
#include "widgets/accessible_interfaces.h"
#include "widgets/message_boxes.h"
#include "widgets/qt_text.h"
#include "widgets/return_presses_button.h"

namespace {

constexpr const char* kUsage =
    "NAME\n"
    "    telvanor - Firmware Telvanor, configuration tool of the RM40915 gateway\n"
    "\n"
    "SYNOPSIS\n"
    "    telvanor [--workspace DIR] [PROJECT_DIR]\n"
    "    telvanor --help | --version\n"
    "\n"
    "DESCRIPTION\n"
    "    Describes as a project which NMEA 2000 frames the gateway receives and transmits and\n"
    "    which Modbus register takes or feeds which byte of which frame, sets the serial and\n"
    "    CAN parameters, compiles the project into bin/bank.bin and starts the serial updater.\n"
    "\n"
    "    PROJECT_DIR, a folder under the workspace's PROJECTS, is opened as Open project opens\n"
    "    it; a folder anywhere else is refused with a message, and the last project is opened.\n"
    "\n"
    "OPTIONS\n"
    "    --workspace DIR  keep MASTER, PROJECTS and the settings file in DIR, which is made\n"
    "                     with its parents when missing\n"
    "    --help           show this text\n"
    "    --version        print the version\n"
    "\n"
    "FILES\n"
    "    The workspace is the program's own folder when it may write there, otherwise (and\n"
    "    always for an installed copy) $XDG_DATA_HOME/Telvanor, by default\n"
    "    ~/.local/share/Telvanor. It holds:\n"
    "    PROJECTS/                     one folder per project; a new workspace receives a\n"
    "                                  copy of the sample project Boat1\n"
    "    MASTER/                       sim40915.sim, the updater's device description\n"
    "    Ser_40915_Update.exe          the serial updater\n"
    "    Telvanor_NMEA20002MRTUs.ini   the last project's name\n"
    "    telvanor.lock                 the process id of the copy that uses the workspace\n"
    "    The sample projects are installed in share/telvanor/examples.\n"
    "\n"
    "SEE ALSO\n"
    "    telvanor-cli --help: build, check and inspect projects without a window\n";

struct Arguments {
    std::filesystem::path workspace;  // empty: the program's own choice
    std::optional<std::filesystem::path> project;
};

// A wrong command line ends the program: its message, then the usage.
int usageError(const std::string& message) {
    std::fprintf(stderr, "telvanor: %s\n\n%s", message.c_str(), kUsage);
    return 2;
}

// The arguments left once the toolkit has taken its own (Qt hands them over in Unicode, also where
// argv holds the system's code page); nothing when they are wrong, after saying why.
std::optional<Arguments> parseArguments(const QStringList& words, int& exitCode) {
    Arguments arguments;
    for (qsizetype i = 1; i < words.size(); ++i) {
        std::string argument = telvanor::fromQt(words[i]);
        if (argument == "--workspace" || argument.starts_with("--workspace=")) {
            std::string folder = argument == "--workspace" ? (i + 1 < words.size() ? telvanor::fromQt(words[++i]) : "")
                                                           : argument.substr(12);
            if (folder.empty() || folder.starts_with("--")) {
                exitCode = usageError("--workspace needs the workspace folder: --workspace DIR");
                return std::nullopt;
            }
            arguments.workspace = telvanor::platform::pathFromUtf8(folder);
        } else if (argument.starts_with("-")) {
            exitCode = usageError("unknown argument '" + argument + "'");
            return std::nullopt;
        } else if (arguments.project) {
            exitCode = usageError("one project folder at most, not also '" + argument + "'");
            return std::nullopt;
        } else {
            // Taken against the folder the program was started in, before anything else.
            arguments.project = std::filesystem::absolute(telvanor::platform::pathFromUtf8(argument));
        }
    }
    return arguments;
}

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
    telvanor::installAccessibleInterfaces();
    telvanor::installReturnPressesFocusedButton();
    int exitCode = 0;
    std::optional<Arguments> arguments = parseArguments(QApplication::arguments(), exitCode);
    if (!arguments) return exitCode;
    QApplication::setApplicationName(telvanor::toQt(telvanor::kApplicationTitle));
    // Ties the windows to the menu entry's icon and name on Wayland desktops.
    QGuiApplication::setDesktopFileName("com.quenzartelvanor.FirmwareTelvanor");
    std::filesystem::path exeDir = telvanor::pathFromQt(QApplication::applicationDirPath());
    std::filesystem::path workspace = arguments->workspace;
    if (workspace.empty()) workspace = telvanor::chooseWorkspaceDir(telvanor::processWorkspaceEnvironment(exeDir));

    telvanor::QtMessageBoxes messages;
    // Every later path is formed from the clean workspace path; without a workspace folder the
    // program cannot keep anything, so it says why and ends.
    try {
        workspace = telvanor::prepareWorkspaceDir(workspace);
    } catch (const telvanor::FileError& error) {
        std::fprintf(stderr, "telvanor: %s\n", error.what());
        messages.error(error.what());
        return 1;
    }
    // A second copy on the same workspace is told so before anything else.
    telvanor::WorkspaceLock lock = telvanor::lockWorkspace(workspace);
    if (std::optional<std::string> notice = telvanor::workspaceLockNotice(lock, workspace))
        messages.information(*notice);
    if (std::optional<std::filesystem::path> samples = telvanor::sampleProjectsDir(exeDir))
        for (const std::string& failure : telvanor::copySampleProjects(workspace, *samples)) messages.error(failure);
    int result = 0;
    {
        telvanor::ApplicationWindows windows(workspace, messages);
        windows.main().show();
        if (arguments->project) windows.main().openProjectFolder(*arguments->project);
        result = QApplication::exec();
    }
    telvanor::unlockWorkspace(workspace);
    return result;
}
