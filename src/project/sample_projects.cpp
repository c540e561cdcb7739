#include "project/sample_projects.h"

#include <system_error>

#include "platform/path_text.h"
#include "project/equal_no_case.h"
#include "project/file_kind.h"
#include "project/workspace.h"

namespace telvanor {

namespace fs = std::filesystem;

namespace {

std::string cannot(std::string_view what, const fs::path& path, const std::error_code& error) {
    return "Cannot " + std::string(what) + " " + platform::utf8FromPath(path) + ": " + error.message();
}

// Copies the XML files of one sample project into a new folder of the same name.
void copySample(const fs::path& sample, const fs::path& projectsDir, std::vector<std::string>& failures) {
    fs::path project = projectsDir / sample.filename();
    std::error_code error;
    if (fs::create_directories(project / std::string(kBinFolder), error); error) {
        failures.push_back(cannot("create the sample project's folder", project / std::string(kBinFolder), error));
        return;
    }
    for (const fs::directory_entry& file : fs::directory_iterator(sample, error)) {
        if (!file.is_regular_file(error) || !equalNoCase(platform::utf8FromPath(file.path().extension()), ".xml"))
            continue;
        fs::path copy = project / file.path().filename();
        // The copy is the user's to change, whatever rights the installed file has.
        if (fs::copy_file(file.path(), copy, error) && !error)
            fs::permissions(copy, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, error);
        if (error)
            failures.push_back("Cannot copy the sample project file " + platform::utf8FromPath(file.path()) + " to " +
                               platform::utf8FromPath(copy) + ": " + error.message());
    }
    if (error) failures.push_back(cannot("read the sample project", sample, error));
}

}  // namespace

std::vector<std::string> copySampleProjects(const fs::path& workspaceDir, const fs::path& samplesDir) {
    std::vector<std::string> failures;
    fs::path projectsDir = workspaceDir / std::string(kProjectsFolder);
    if (entryExists(projectsDir)) return failures;
    std::error_code error;
    if (fs::create_directory(projectsDir, error); error) {
        failures.push_back(cannot("create the folder", projectsDir, error));
        return failures;
    }
    for (const fs::directory_entry& sample : fs::directory_iterator(samplesDir, error))
        if (sample.is_directory(error)) copySample(sample.path(), projectsDir, failures);
    if (error) failures.push_back(cannot("read the sample projects in", samplesDir, error));
    return failures;
}

}  // namespace telvanor
