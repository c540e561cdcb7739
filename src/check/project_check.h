#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace telvanor {

// One thing `check` has to say about a project file.
struct CheckFinding {
    // The file's own name ("pargen.xml"), whatever its letter case on disk.
    std::string file;
    // Exactly what the editor would show, or what is worth knowing.
    std::string message;
    // A warning does not stop the editor's OK; anything else means the file would be refused.
    bool warning = false;
};

inline CheckFinding refused(std::string message) { return {{}, std::move(message), false}; }
inline CheckFinding warned(std::string message) { return {{}, std::move(message), true}; }

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
    std::size_t filesChecked = 0;
    std::size_t filesRefused = 0;
};

// Runs each checker whose file exists in `projectDir` (found in any letter case).
ProjectCheck CheckProject(const std::filesystem::path& projectDir,
                          const std::vector<ProjectFileChecker>& checkers = projectFileCheckers());

}  // namespace telvanor
