#include "check/check_output.h"

#include <nlohmann/json.hpp>

#include "platform/path_text.h"

namespace telvanor {

namespace fs = std::filesystem;
using Json = nlohmann::ordered_json;

namespace {

Json textOrNull(const std::string& text) { return text.empty() ? Json(nullptr) : Json(text); }

Json findingJson(const CheckFinding& finding) {
    WindowPlace where = windowPlace(finding.place());
    return Json{{"severity", finding.warning ? "warning" : "error"},
                {"file", textOrNull(finding.file)},
                {"row", finding.row == 0 ? Json(nullptr) : Json(finding.row)},
                {"attribute", textOrNull(finding.attribute)},
                {"window", textOrNull(where.window)},
                {"window_row", textOrNull(where.row)},
                {"column", textOrNull(where.column)},
                {"message", finding.message}};
}

Json imageJson(const std::optional<ConfigImage>& image) {
    if (!image) return nullptr;
    return Json{{"length", image->bytes.size()},
                {"receive_frames", image->receiveFrames},
                {"transmit_frames", image->transmitFrames},
                {"receive_mappings", image->receiveMappings},
                {"transmit_mappings", image->transmitMappings},
                {"parameters", image->hasParameters}};
}

}  // namespace

std::string noProjectFilesText(const fs::path& projectDir) {
    std::string names;
    for (const ProjectFileChecker& checker : projectFileCheckers())
        names += (names.empty() ? "" : ", ") + std::string(checker.fileName);
    return platform::utf8FromPath(projectDir) + " holds none of the project files (" + names +
           "); is it a project folder?";
}

bool checkPassed(const ProjectCheck& check) { return check.filesChecked > 0 && !check.refused(); }

std::string checkText(const ProjectCheck& check) {
    std::string text;
    for (const CheckFinding& finding : check.findings)
        text += (finding.warning ? "warning: " : "") + finding.file + ": " + finding.message + "\n";
    text += "Checked " + std::to_string(check.filesChecked) + (check.filesChecked == 1 ? " file; " : " files; ");
    text += check.refused() ? std::to_string(check.filesRefused) + " would be refused.\n" : "none would be refused.\n";
    return text;
}

std::string checkJson(const ProjectCheck& check, const fs::path& projectDir) {
    Json findings = Json::array();
    if (check.filesChecked == 0) findings.push_back(findingJson(refused(noProjectFilesText(projectDir))));
    for (const CheckFinding& finding : check.findings) findings.push_back(findingJson(finding));
    Json result{{"project", platform::utf8FromPath(projectDir)},
                {"passed", checkPassed(check)},
                {"files_checked", check.filesChecked},
                {"files_refused", check.filesRefused},
                {"findings", std::move(findings)},
                {"image", imageJson(check.image)}};
    return result.dump(2) + "\n";
}

}  // namespace telvanor
