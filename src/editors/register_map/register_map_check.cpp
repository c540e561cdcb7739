#include "editors/register_map/register_map_check.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <unordered_map>

#include "editors/register_map/register_map.h"
#include "editors/register_map/register_map_file.h"
#include "project/formats/register_map_format.h"
#include "project/integer_text.h"
#include "project/project_place.h"

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

    // An error at a row's attribute (or the whole file), told where the user mends it;
    // `problem` follows the attribute's caption ("is not a valid integer: 'x'").
    void error(std::size_t row, std::string_view attribute, std::size_t frame, std::string_view problem) {
        ProjectPlace place{file_, row, std::string(attribute), frame};
        RegisterMapFinding finding{file_, placedMessage(place, problem), false, row, place.attribute, frame};
        findings_.push_back({row, std::move(finding)});
    }
    void warning(std::size_t row, const std::string& message) {
        findings_.push_back({row, {file_, row == 0 ? message : rowText(row) + message, true}});
    }

    std::vector<RegisterMapFinding> take() {
        std::stable_sort(findings_.begin(), findings_.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        std::vector<RegisterMapFinding> ordered;
        for (auto& [row, finding] : findings_) ordered.push_back(std::move(finding));
        return ordered;
    }

private:
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
        findings.error(row, kIndex, frame.frameNumber,
                       "is not a valid integer: '" + mapping.Index +
                           "'; the window's OK writes nothing until it is "
                           "changed");
    }

    // A PosComp that is not an integer is the image builder's to refuse.
    if (std::optional<std::int32_t> posComp = parseIntegerText(mapping.PosComp)) {
        std::string beyond = bytesBeyondFrame(kind, frame, *posComp);
        if (!beyond.empty()) findings.warning(row, valueText(kPosComp, mapping.PosComp) + " names " + beyond);
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
        findings.error(0, {}, 0,
                       frameFile + ": " + *load.frameTableFailure + "; the window says \"" +
                           std::string(kFrameTableReadError) + "\" and lists only the " +
                           framesText(load.map.frames.size()) + " before it");
    std::string mapReadError =
        "; the window says \"" + std::string(kMapReadError) + "\" and keeps only the mappings read before it";
    if (load.mapFault)
        findings.error(load.mapFault->row, load.mapFault->attribute, load.mapFault->frame,
                       load.mapFault->problem + mapReadError);
    else if (load.mapFailure)
        findings.error(0, {}, 0, *load.mapFailure + mapReadError);

    for (const DroppedMapRow& dropped : load.droppedRows) {
        std::string rows = load.frameTableFailure
                               ? "the window reads only " + framesText(load.map.frames.size()) + " of " + frameFile
                               : frameFile + " has " + std::to_string(load.map.frames.size()) +
                                     (load.map.frames.size() == 1 ? " row" : " rows");
        findings.error(
            dropped.row, kNrPdo, 0,
            std::to_string(dropped.frameNumber) + " does not exist (" + rows + "); the window drops the mapping");
    }

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
