#pragma once

#include <filesystem>
#include <string>

#include "check/project_check.h"

namespace telvanor {

// What `check` says of a folder that holds none of the project files: "DIR holds none of the
// project files (pargen.xml, ...); is it a project folder?"
std::string noProjectFilesText(const std::filesystem::path& projectDir);

// Whether the check lets the project through: files were found and none is refused.
bool checkPassed(const ProjectCheck& check);

// The check as lines: "FILE: MESSAGE" for each refusal, "warning: FILE: MESSAGE" for each
// warning, in the order found, then "Checked N files; none would be refused." (or how many
// would be).
std::string checkText(const ProjectCheck& check);

// The check as one JSON object, for scripts: project, passed, files_checked, files_refused,
// findings (each with severity, file, row, attribute, window, window_row, column and message;
// null where a finding has no such part) and image (length, the four counts and whether the
// parameters section is there; null when the image builder refuses the project). A folder
// without project files fails with one finding that says so.
std::string checkJson(const ProjectCheck& check, const std::filesystem::path& projectDir);

}  // namespace telvanor
