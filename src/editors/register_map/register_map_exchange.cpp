#include "editors/register_map/register_map_exchange.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "editors/register_map/register_map_file.h"
#include "project/atomic_file.h"
#include "project/csv_field.h"
#include "project/file_lookup.h"
#include "project/integer_text.h"
#include "project/worksheet.h"

namespace telvanor {

namespace fs = std::filesystem;

namespace {

// Column positions of a record, export and import alike.
constexpr std::size_t kIndexColumn = 0;
constexpr std::size_t kFrameColumn = 1;
constexpr std::size_t kPosCompColumn = 2;
constexpr std::size_t kColumnsRead = 3;

// A record's frame number is kept to its low 7 bits; 0 names no frame.
constexpr std::uint32_t kFrameNumberBits = 0x7F;

}  // namespace

std::string registerMapCsv(const RegisterMap& map) {
    std::string csv;
    for (const TClPdo& frame : map.frames) {
        std::string frameNumber = std::to_string(frame.frameNumber);
        for (const TClIndMB& mapping : frame.mappings) {
            appendCsvFieldAndComma(csv, mapping.Index);
            appendCsvFieldAndComma(csv, frameNumber);
            appendCsvFieldAndComma(csv, mapping.PosComp);
            csv.append("\r\n");
        }
    }
    return csv;
}

void ExportRegisterMap(const fs::path& projectDir, const RegisterMap& map) {
    std::string fileName = std::string(mapRootName(map.kind)) + ".csv";
    writeFileAtomically(writeTargetNoCase(projectDir, fileName), registerMapCsv(map));
}

MapImport ImportRegisterMap(const fs::path& workbook, RegisterMap& map) {
    // An unreadable workbook or a missing worksheet ends the import before anything has changed.
    ImportSheet read = readImportSheet(workbook, mapRootName(map.kind));
    if (read.end != ImportEnd::Complete) return {read.end};
    WorksheetRows& sheet = read.sheet;

    for (TClPdo& frame : map.frames) frame.mappings = {};
    MapImport result;
    if (sheet.columns < kColumnsRead) {
        result.end = ImportEnd::TooFewColumns;
        return result;
    }
    for (std::size_t record = 0; record < sheet.rows.size(); ++record) {
        std::vector<std::string>& cells = sheet.rows[record];
        std::optional<std::int32_t> frameNumber = parseIntegerText(cells[kFrameColumn]);
        if (!frameNumber) {
            result.end = ImportEnd::BadFrameNumber;
            result.stoppedAt = record + 1;
            return result;
        }
        std::size_t frame = static_cast<std::uint32_t>(*frameNumber) & kFrameNumberBits;
        if (frame == 0 || frame > map.frames.size()) {
            ++result.skipped;
            continue;
        }
        map.frames[frame - 1].mappings.push_back(
            {std::move(cells[kIndexColumn]), std::move(cells[kPosCompColumn]), std::string()});
        ++result.imported;
    }
    return result;
}

}  // namespace telvanor
