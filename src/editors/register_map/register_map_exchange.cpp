#include "editors/register_map/register_map_exchange.h"

#include <optional>
#include <vector>

#include "editors/register_map/register_map_catalogue.h"
#include "editors/register_map/register_map_file.h"
#include "platform/path_text.h"
#include "project/atomic_file.h"
#include "project/csv_field.h"
#include "project/file_lookup.h"
#include "project/integer_text.h"
#include "project/worksheet.h"
#include "project/xlsx_writer.h"

namespace telvanor {

namespace fs = std::filesystem;

namespace {

// Column positions of a row, export and import alike.
enum Column : std::size_t { IndexColumn, FrameColumn, PosCompColumn, WriteColumn };

constexpr std::string_view kItems = "mappings";
constexpr std::string_view kKept = "the map";

// The exchanged fields of one mapping: Index, frame number, PosComp and, for the transmit map,
// Write_J1939.
std::vector<std::string> mappingFields(MapKind kind, const TClPdo& frame, const TClIndMB& mapping) {
    std::vector<std::string> fields{mapping.Index, std::to_string(frame.frameNumber), mapping.PosComp};
    if (kind == MapKind::Transmit) fields.push_back(mapping.Write_J1939);
    return fields;
}

bool isInteger(const std::string& text) { return parseIntegerText(text).has_value(); }

// Why a row gives no mapping, or nothing when it gives one.
std::optional<std::string> rowProblem(const SheetRow& row, const RegisterMap& map) {
    const std::string& frame = row.cell(FrameColumn);
    if (frame.empty()) return "no frame number";
    std::optional<std::int32_t> number = parseIntegerText(frame);
    if (!number) return "frame number '" + frame + "' is not an integer";
    if (*number < 1 || static_cast<std::size_t>(*number) > map.frames.size())
        return "frame " + frame + " does not exist";
    for (auto [column, name] : {std::pair{IndexColumn, "Index"}, std::pair{PosCompColumn, "PosComp"}}) {
        const std::string& text = row.cell(column);
        if (text.empty()) return std::string("no ") + name;
        if (!isInteger(text)) return std::string(name) + " '" + text + "' is not an integer";
    }
    return std::nullopt;
}

// The Write flag of a transmit row: "0" or "1" as the cell says, "0" for an empty cell (a map
// exported before the flag was) and, noted, for anything else.
std::string writeFlag(const SheetRow& row, ImportSummary& summary) {
    const std::string& cell = row.cell(WriteColumn);
    std::optional<std::int32_t> value = parseIntegerText(cell);
    if (value && (*value == kWriteFalse || *value == kWriteTrue)) return std::to_string(*value);
    if (!cell.empty()) summary.readAs.push_back({row.number, "Write flag '" + cell + "' read as 0"});
    return "0";
}

}  // namespace

std::string exportFileName(MapKind kind, ExchangeFormat format) {
    return std::string(mapRootName(kind)) + (format == ExchangeFormat::Xlsx ? ".xlsx" : ".csv");
}

std::string registerMapCsv(const RegisterMap& map) {
    std::string csv;
    for (const TClPdo& frame : map.frames)
        for (const TClIndMB& mapping : frame.mappings) {
            std::vector<std::string> fields = mappingFields(map.kind, frame, mapping);
            for (std::size_t i = 0; i < fields.size(); ++i) {
                if (i > 0) csv.push_back(',');
                appendCsvField(csv, fields[i]);
            }
            // The receive map keeps the fourth field, empty, as the transmit map's flag stands.
            if (map.kind == MapKind::Receive) csv.push_back(',');
            csv.append("\r\n");
        }
    return csv;
}

std::string registerMapXlsx(const RegisterMap& map) {
    std::vector<std::string> titles{"Index", "NrPdo", "PosComp"};
    if (map.kind == MapKind::Transmit) titles.emplace_back("Write_J1939");
    titles.insert(titles.end(), {"PGN", "Name", "Source address"});
    std::vector<std::vector<std::string>> rows;
    rows.reserve(map.mappingCount());
    for (const TClPdo& frame : map.frames) {
        std::string name = frameCatalogueName(frame);
        for (const TClIndMB& mapping : frame.mappings) {
            std::vector<std::string>& row = rows.emplace_back(mappingFields(map.kind, frame, mapping));
            row.insert(row.end(), {frame.PGN, name, frame.ID_DEV});
        }
    }
    return xlsxWorkbook(mapRootName(map.kind), titles, rows);
}

std::string registerMapExport(const RegisterMap& map, ExchangeFormat format) {
    return format == ExchangeFormat::Xlsx ? registerMapXlsx(map) : registerMapCsv(map);
}

fs::path ExportRegisterMap(const fs::path& projectDir, const RegisterMap& map, ExchangeFormat format) {
    fs::path target = writeTargetNoCase(projectDir, exportFileName(map.kind, format));
    writeFileAtomically(target, registerMapExport(map, format));
    return target;
}

std::string exportMessage(const RegisterMap& map, const fs::path& file) {
    std::size_t count = map.mappingCount();
    return std::string(mapRootName(map.kind)) + ": " + std::to_string(count) + (count == 1 ? " mapping" : " mappings") +
           " exported to " + platform::utf8FromPath(file);
}

ImportSummary ImportRegisterMap(const fs::path& workbook, RegisterMap& map) {
    std::string table(mapRootName(map.kind));
    ImportSheet read = readImportSheet(workbook, table);
    ImportSummary summary = unreadSummary(read, table, kItems, kKept);
    if (read.end != ImportEnd::Complete) return summary;

    for (TClPdo& frame : map.frames) frame.mappings = {};
    const std::vector<SheetRow>& rows = read.sheet.rows;
    std::size_t first = 0;
    if (!rows.empty() && !(isInteger(rows[0].cell(IndexColumn)) && isInteger(rows[0].cell(FrameColumn)))) first = 1;
    for (std::size_t i = first; i < rows.size(); ++i) {
        const SheetRow& row = rows[i];
        if (std::optional<std::string> problem = rowProblem(row, map)) {
            summary.skipped.push_back({row.number, std::move(*problem)});
            continue;
        }
        TClIndMB mapping{row.cell(IndexColumn), row.cell(PosCompColumn), ""};
        if (map.kind == MapKind::Transmit) mapping.Write_J1939 = writeFlag(row, summary);
        map.frames[static_cast<std::size_t>(*parseIntegerText(row.cell(FrameColumn))) - 1].mappings.push_back(
            std::move(mapping));
        ++summary.imported;
    }
    return summary;
}

}  // namespace telvanor
