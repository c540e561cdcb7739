#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "image/config_image.h"
#include "project/project_place.h"

namespace telvanor {

// One thing `check` has to say about a project file.
struct CheckFinding {
    // The file's own name ("pargen.xml"), whatever its letter case on disk.
    std::string file;
    // A refusal says where the user mends it, in the window's words and then the file's:
    // "Receive NMEA, row 1, Source Address is empty (RCobDef.xml row 1, ID_DEV)". A warning
    // says what is worth knowing.
    std::string message;
    // A warning stops neither the editor's OK nor the image build; anything else means the
    // file would be refused.
    bool warning = false;
    // Where a refusal lies: the file's row (from 1; 0 for the whole file), the attribute or
    // element, and for a register map row the frame it names (0 for none).
    std::size_t row = 0;
    std::string attribute = {};
    std::size_t frame = 0;

    ProjectPlace place() const { return {file, row, attribute, frame}; }
};

inline CheckFinding refused(std::string message) { return {{}, std::move(message), false}; }
inline CheckFinding warned(std::string message) { return {{}, std::move(message), true}; }

// A refusal at a place, told where the user mends it; `problem` as placedMessage takes it.
CheckFinding refusedAt(const ProjectPlace& place, std::string_view problem);
CheckFinding warnedAt(const ProjectPlace& place, std::string_view problem);

// Checks one project file as its editor's OK would: loads it with the editor's loader and
// runs the editor's checks. `file` is the file found in the project folder, in whatever case;
// `projectDir` is there for checks that read other files of the project. The findings'
// `file` is filled in by CheckProject. A thrown exception's text counts as a refusal.
using FileCheck = std::function<std::vector<CheckFinding>(const std::filesystem::path& file,
                                                          const std::filesystem::path& projectDir)>;

struct ProjectFileChecker {
    std::string_view fileName;
    FileCheck check;
};

// Every project file that `check` knows, in the order they are reported.
const std::vector<ProjectFileChecker>& projectFileCheckers();

struct ProjectCheck {
    std::vector<CheckFinding> findings;
    std::size_t filesChecked = 0;  // the project files found, regular or not
    std::size_t filesRefused = 0;
    // The image, when the image builder takes the project.
    std::optional<ConfigImage> image;

    bool refused() const { return filesRefused != 0; }
};

// Runs each checker whose file exists in `projectDir` (found in any letter case); a name
// taken by a folder, a dangling link or a FIFO is refused without being opened. Then runs
// the image builder, so that whatever Update Device refuses is refused here too, at the same
// file, row and attribute: its refusal follows the findings of its file, unless one of them
// names that place already.
ProjectCheck CheckProject(const std::filesystem::path& projectDir,
                          const std::vector<ProjectFileChecker>& checkers = projectFileCheckers());

}  // namespace telvanor
