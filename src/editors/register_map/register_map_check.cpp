#include "editors/register_map/register_map_check.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <unordered_map>

#include "editors/register_map/register_map.h"
#include "editors/register_map/register_map_file.h"
#include "project/formats/register_map_format.h"
#include "project/integer_text.h"

namespace telvanor {

namespace fs = std::filesystem;
using namespace infocob_xml;

namespace {

constexpr std::int32_t kLowestRegister = 0;
constexpr std::int32_t kHighestRegister = 65535;

std::string rowText(std::size_t row) { return "row " + std::to_string(row) + ": "; }

// An attribute and its value: "Index 0x1A".
std::string valueText(std::string_view attribute, const std::string& value) {
    return std::string(attribute) + " " + value;
}

// The findings of one map file, given in the order of the file's rows; those about the
// whole file (row 0) come first.
class MapFindings {
public:
    explicit MapFindings(MapKind kind) : file_(mapFileName(kind)) {}

    void error(std::size_t row, std::string message) { add(row, std::move(message), false); }
    void warning(std::size_t row, std::string message) { add(row, std::move(message), true); }

    std::vector<RegisterMapFinding> take() {
        std::stable_sort(findings_.begin(), findings_.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        std::vector<RegisterMapFinding> ordered;
        for (auto& [row, finding] : findings_) ordered.push_back(std::move(finding));
        return ordered;
    }

private:
    void add(std::size_t row, std::string message, bool warning) {
        std::string text = row == 0 ? std::move(message) : rowText(row) + message;
        findings_.push_back({row, {file_, std::move(text), warning}});
    }

    std::string file_;
    std::vector<std::pair<std::size_t, RegisterMapFinding>> findings_;
};

// The byte positions a PosComp names beyond the frame's bytes, as a text; empty when all
// lie within.
std::string bytesBeyondFrame(MapKind kind, const TClPdo& frame, std::int32_t posComp) {
    auto v = static_cast<std::uint32_t>(posComp);
    std::uint32_t high = kind == MapKind::Receive ? v >> 16 : v >> 4;
    std::uint32_t low = kind == MapKind::Receive ? v & 0xFFFF : v & 0xF;
    std::uint32_t bytes = usesByteLists(kind, frame) ? static_cast<std::uint32_t>(std::max(frame.byteCount, 0))
                                                     : static_cast<std::uint32_t>(kOrdinaryFrameBytes);
    std::string beyond;
    if (high > bytes) beyond = "byte " + std::to_string(high) + " for the high byte";
    if (low > bytes) beyond += (beyond.empty() ? "byte " : " and byte ") + std::to_string(low) + " for the low byte";
    if (beyond.empty()) return beyond;
    return beyond + ", but frame " + std::to_string(frame.frameNumber) + " has " + std::to_string(bytes) +
           (bytes == 1 ? " byte" : " bytes");
}

void checkMapping(MapKind kind, const TClPdo& frame, const TClIndMB& mapping, std::size_t row,
                  std::unordered_map<std::int32_t, std::size_t>& firstRowOf, MapFindings& findings) {
    if (std::optional<std::int32_t> index = parseIntegerText(mapping.Index)) {
        if (*index < kLowestRegister || *index > kHighestRegister)
            findings.warning(row, valueText(kIndex, mapping.Index) +
                                      " lies outside 0 to 65535; the device takes it as register " +
                                      std::to_string(static_cast<std::uint32_t>(*index) & 0xFFFF));
        auto [first, isNew] = firstRowOf.emplace(*index, row);
        if (!isNew)
            findings.warning(row, valueText(kIndex, mapping.Index) + " is register " + std::to_string(*index) +
                                      ", as in row " + std::to_string(first->second) +
                                      ": two mappings for one register");
    } else {
        findings.error(row, std::string(kIndex) + ": " + ConversionError(mapping.Index).what() +
                                "; the window's OK writes nothing until it is changed");
    }

    if (std::optional<std::int32_t> posComp = parseIntegerText(mapping.PosComp)) {
        std::string beyond = bytesBeyondFrame(kind, frame, *posComp);
        if (!beyond.empty()) findings.warning(row, valueText(kPosComp, mapping.PosComp) + " names " + beyond);
    } else {
        findings.error(
            row, std::string(kPosComp) + ": " + ConversionError(mapping.PosComp).what() + "; the image build fails");
    }

    if (kind == MapKind::Transmit) {
        std::optional<std::int32_t> write = parseIntegerText(mapping.Write_J1939);
        if (!write)
            findings.warning(row, std::string(kWrite_J1939) + " '" + mapping.Write_J1939 +
                                      "' is not an integer; the image takes it as 0");
        else if (*write != kWriteFalse && *write != kWriteTrue)
            findings.warning(row, valueText(kWrite_J1939, mapping.Write_J1939) + " is neither 0 nor 1");
    }
}

std::vector<RegisterMapFinding> checkMap(const fs::path& projectDir, MapKind kind) {
    RegisterMapLoad load = LoadRegisterMap(projectDir, kind);
    MapFindings findings(kind);
    if (!load.mapFileFound) return findings.take();
    std::string frameFile(frameTableFileName(kind));

    if (load.frameTableFailure)
        findings.error(0, frameFile + ": " + *load.frameTableFailure + "; the window says \"" +
                              std::string(kFrameTableReadError) + "\" and lists only the " +
                              framesText(load.map.frames.size()) + " before it");
    if (load.mapFailure)
        findings.error(0, *load.mapFailure + "; the window says \"" + std::string(kMapReadError) +
                              "\" and keeps only the mappings read before it");

    for (const DroppedMapRow& dropped : load.droppedRows)
        findings.error(dropped.row, missingFrameText(load, dropped.frameNumber));

    // In file order, so that a register mapped twice is reported at its later row.
    std::vector<std::pair<std::size_t, MappingRef>> byRow;
    for (std::size_t frame = 0; frame < load.map.frames.size(); ++frame)
        for (std::size_t position = 0; position < load.mappingRows[frame].size(); ++position)
            byRow.push_back({load.mappingRows[frame][position], {frame, position}});
    std::sort(byRow.begin(), byRow.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::unordered_map<std::int32_t, std::size_t> firstRowOf;
    for (const auto& [row, ref] : byRow) {
        const TClPdo& frame = load.map.frames[ref.frame];
        checkMapping(kind, frame, frame.mappings[ref.position], row, firstRowOf, findings);
    }
    return findings.take();
}

}  // namespace

std::vector<RegisterMapFinding> CheckReceiveMap(const fs::path& projectDir) {
    return checkMap(projectDir, MapKind::Receive);
}

std::vector<RegisterMapFinding> CheckTransmitMap(const fs::path& projectDir) {
    return checkMap(projectDir, MapKind::Transmit);
}

}  // namespace telvanor
