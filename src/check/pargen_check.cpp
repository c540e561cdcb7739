#include <optional>
#include <string>

#include "check/file_checks.h"
#include "editors/pargen/comm_params.h"
#include "project/formats/pargen_format.h"
#include "project/integer_text.h"

namespace telvanor {

namespace fs = std::filesystem;

namespace {

// Texts the editor takes without a check but the image builder needs as integers.
void warnIfNotInteger(std::vector<CheckFinding>& findings, std::string_view element, const std::string& text) {
    if (!parseIntegerText(text))
        findings.push_back(
            warned(std::string(element) + " '" + text + "' is not an integer; Update Device refuses it"));
}

}  // namespace

// The values as the editor would put them into its controls, fallbacks included, then the
// editor's validation.
std::vector<CheckFinding> checkPargenFile(const fs::path& file, const fs::path&) {
    CommParamsLoad load = LoadCommParams(file);
    if (load.outcome == CommParamsOutcome::Unreadable)
        return {
            refused(load.failure),
            warned("the editor ignores a file it cannot read and shows the values it held; its OK replaces the file")};

    std::vector<CheckFinding> findings;
    for (const std::string& note : load.notes) findings.push_back(warned(note));
    warnIfNotInteger(findings, pargen_xml::kIDDev_Ser, load.params.IDDev_Ser);
    warnIfNotInteger(findings, pargen_xml::kTimeOut_Ser, load.params.TimeOut_Ser);
    if (std::optional<std::string> refusal = Controllo_Dati(load.params)) findings.push_back(refused(*refusal));
    return findings;
}

}  // namespace telvanor
