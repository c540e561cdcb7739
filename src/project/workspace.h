#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace telvanor {

inline constexpr std::string_view kProjectsFolder = "PROJECTS";
inline constexpr std::string_view kSettingsFileName = "Telvanor_NMEA20002MRTUs.ini";
inline constexpr std::string_view kSettingsSection = "lastproj";
inline constexpr std::string_view kSettingsKey = "projectname";

// Files are looked up without regard to letter case. The project's XML files are named with
// their formats (project/formats); sdopdo.xml has a path but no format, as nothing reads it.
inline constexpr std::string_view kSdoPdoFile = "sdopdo.xml";
inline constexpr std::string_view kBinFolder = "bin";
inline constexpr std::string_view kImageFile = "bank.bin";

// The project's bin folder, spelled as it is on disk (`BIN` made on another system is the same
// folder); `bin` beneath the project when there is none yet.
std::filesystem::path projectBinFolder(const std::filesystem::path& projectDir);

// Makes the project's bin folder when it has none (empty folders get lost in zips and mail);
// gives whether it made it. Throws FileError naming the folder when it cannot.
bool makeProjectBinFolder(const std::filesystem::path& projectDir);

// The title shown once a project is current: the prefix followed directly by its name.
inline constexpr std::string_view kTitlePrefix = "Quenzar Telvanor TQ40915 MODBUS RTU Slave TO NMEA2000 :";
// The title until a project is restored, created or opened.
inline constexpr std::string_view kStoredCaption = "Quenzar Telvanor TQ40905 MODBUS RTU Slave TO J1939";
inline constexpr std::string_view kApplicationTitle = "Firmware Telvanor";

// The workspace: the executable's folder with MASTER, PROJECTS and the settings file, and
// the current project. One instance lives for the program's run; it is passed by reference
// to every window that reads it.
struct WorkspaceState {
    std::filesystem::path ExeDir;
    std::filesystem::path MasterDir;
    std::filesystem::path ProjectsDir;
    // As shown in the title and stored in the settings file: after Open project the folder's
    // path behind PROJECTS (beginning with the separator), after New project the bare name.
    std::string ProjectName;
    // Never empty after start-up, except after Open project from a folder that was deleted.
    std::filesystem::path ProjectDir;

    std::filesystem::path PargenPath;
    std::filesystem::path RCobDefPath;
    std::filesystem::path TCobDefPath;
    std::filesystem::path SdoPath;
    std::filesystem::path SdoPdoPath;
    std::filesystem::path EmcyDefPath;
    std::filesystem::path EmcyWordPath;
};

struct WorkspaceStart {
    WorkspaceState state;
    // Whether the stored project was restored, so the title names it.
    bool projectRestored = false;
    // What start-up must tell the user: a settings file that is there but cannot be read.
    std::vector<std::string> notices;
};

// Start-up: creates MASTER and PROJECTS beneath `workspaceDir` (silently, if possible),
// restores the project named in the settings file when its folder exists, and otherwise
// falls back to PROJECTS itself as the project folder. A stored name with a ".." part is
// never followed outside PROJECTS. A settings file that cannot be read is a notice, and the
// start goes on without a project name.
WorkspaceStart InitWorkspace(const std::filesystem::path& workspaceDir);

// Recomputes the project file paths from ProjectDir.
void SetProjectPaths(WorkspaceState& state);

// Writes ProjectName to the settings file; throws FileError when it cannot be written.
void SaveWorkspace(const WorkspaceState& state);

// Makes the folder left by the folder chooser current: its path behind PROJECTS becomes the
// project name (empty for PROJECTS itself or an empty folder).
void OpenProject(WorkspaceState& state, const std::filesystem::path& chosenFolder);

// Opens a folder named by the user (on the command line) as Open project would: its path
// behind PROJECTS becomes the project name, PROJECTS itself included. A folder that is not
// there, or that lies outside PROJECTS (also through a symbolic link), is refused: gives the
// message that says so, and the state stays as it was.
std::optional<std::string> OpenProjectFolder(WorkspaceState& state, const std::filesystem::path& folder);

// The window title for the current project name.
std::string projectTitle(const WorkspaceState& state);

// The folder a stored project name stands for: "\" and "/" both mean the separator, and a
// leading one joins the name directly to PROJECTS. Empty when the name is empty or has a
// ".." part, which would lead outside PROJECTS.
std::filesystem::path projectFolderOf(const std::filesystem::path& projectsDir, std::string_view projectName);

}  // namespace telvanor
