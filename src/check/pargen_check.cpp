#include <optional>
#include <string>

#include "check/file_checks.h"
#include "editors/pargen/comm_params.h"
#include "monitor/serial_line.h"
#include "project/formats/pargen_format.h"
#include "project/integer_text.h"

namespace telvanor {

namespace fs = std::filesystem;

// The values as the editor would put them into its controls, fallbacks included, then the
// editor's validation. What the image builder needs beyond that is the builder's to say.
std::vector<CheckFinding> checkPargenFile(const fs::path& file, const fs::path&) {
    CommParamsLoad load = LoadCommParams(file);
    if (load.outcome == CommParamsOutcome::Unreadable)
        return {
            refusedAt({std::string(kPargenFile)}, std::string(kPargenFile) + " cannot be read: " + load.failure),
            warned("the editor ignores a file it cannot read and shows the values it held; its OK replaces the file")};

    std::vector<CheckFinding> findings;
    for (const std::string& note : load.notes) findings.push_back(warned(note));
    if (std::optional<CommParamsRefusal> refusal = CommParamsRefusalOf(load.params))
        findings.push_back(refusedAt({std::string(kPargenFile), 0, std::string(refusal->element)},
                                     "is refused: \"" + refusal->message + "\""));
    // The window takes any device ID; a Modbus RTU master reaches devices 1 to 247 only. (One that
    // does not fit the image's byte at all is the image builder's to tell, with what it keeps.)
    std::optional<std::int32_t> deviceId = parseIntegerText(load.params.IDDev_Ser);
    if (deviceId && *deviceId >= 0 && *deviceId <= 0xFF &&
        (*deviceId < kLowestDeviceId || *deviceId > kHighestDeviceId))
        findings.push_back(warnedAt({std::string(kPargenFile), 0, std::string(pargen_xml::kIDDev_Ser)},
                                    "is " + load.params.IDDev_Ser + ": a Modbus RTU master reaches devices " +
                                        std::to_string(kLowestDeviceId) + " to " + std::to_string(kHighestDeviceId) +
                                        " only"));
    return findings;
}

}  // namespace telvanor
