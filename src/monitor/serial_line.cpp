#include "monitor/serial_line.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "editors/pargen/comm_params.h"
#include "project/file_lookup.h"
#include "project/formats/pargen_format.h"
#include "project/integer_text.h"
#include "project/parameter_lists.h"

namespace telvanor {

namespace {

constexpr std::array<int, 13> kBauds = {300,   600,   1200,   2400,   4800,   9600,  19200,
                                        38400, 57600, 115200, 230400, 460800, 921600};

std::string upper(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return result;
}

}  // namespace

bool isSupportedBaud(int baud) { return std::find(kBauds.begin(), kBauds.end(), baud) != kBauds.end(); }

std::optional<char> parityLetter(std::string_view text) {
    std::string word = upper(text);
    if (word == "N" || word == "NONE") return 'N';
    if (word == "E" || word == "EVEN") return 'E';
    if (word == "O" || word == "ODD") return 'O';
    return std::nullopt;
}

std::string lineText(const SerialLine& line) {
    return std::to_string(line.baud) + " baud, 8" + line.parity + "1, device ID " + std::to_string(line.deviceId);
}

ProjectLine projectSerialLine(const std::filesystem::path& projectDir) {
    ProjectLine line;
    std::optional<std::filesystem::path> file = findFileNoCase(projectDir, kPargenFile);
    CommParamsLoad load = file ? LoadCommParams(*file) : CommParamsLoad{};
    if (!file) line.notes.push_back("pargen.xml is missing: the settings a new project starts with are taken");
    if (load.outcome == CommParamsOutcome::Unreadable) {
        line.notes.push_back("pargen.xml cannot be read (" + load.failure + "): give the baud rate, parity and ID");
        return line;
    }
    const CommParams& params = load.params;
    if (params.Baud_Ser >= 0 && static_cast<std::size_t>(params.Baud_Ser) < kSerialBaudRates.size())
        line.baud = integerText(kSerialBaudRates[static_cast<std::size_t>(params.Baud_Ser)]);
    else
        line.notes.push_back("pargen.xml names no baud rate (position " + std::to_string(params.Baud_Ser) + ")");
    if (params.Par_Ser >= 0 && static_cast<std::size_t>(params.Par_Ser) < kParities.size())
        line.parity = parityLetter(kParities[static_cast<std::size_t>(params.Par_Ser)]);
    else
        line.notes.push_back("pargen.xml names no parity (position " + std::to_string(params.Par_Ser) + ")");
    std::optional<std::int32_t> id = parseIntegerText(params.IDDev_Ser);
    if (id && *id >= kLowestDeviceId && *id <= kHighestDeviceId)
        line.deviceId = *id;
    else
        line.notes.push_back("pargen.xml's device ID '" + params.IDDev_Ser + "' is no Modbus device ID (1 to 247)");
    return line;
}

}  // namespace telvanor
