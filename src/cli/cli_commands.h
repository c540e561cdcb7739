#pragma once

#include <filesystem>
#include <istream>
#include <optional>
#include <ostream>

#include "editors/register_map/register_map_exchange.h"
#include "report/report_writers.h"

namespace telvanor {

// telvanor-cli build PROJECT_DIR [-o FILE]; FILE "-" is standard output.
int buildCommand(const std::filesystem::path& projectDir, const std::optional<std::filesystem::path>& output,
                 std::ostream& out, std::ostream& err);

// telvanor-cli check PROJECT_DIR [--format text|json]
enum class CheckFormat { Text, Json };
int checkCommand(const std::filesystem::path& projectDir, CheckFormat format, std::ostream& out, std::ostream& err);

// telvanor-cli dump FILE [--format text|json]; FILE "-" is standard input.
enum class DumpFormat { Text, Json };
int dumpCommand(const std::filesystem::path& imageFile, DumpFormat format, std::istream& in, std::ostream& out,
                std::ostream& err);

// telvanor-cli diff OLD NEW: 0 when the images are the same, 1 when they differ, 2 when one
// cannot be read or is no image. One of them may be "-", standard input.
int diffCommand(const std::filesystem::path& before, const std::filesystem::path& after, std::istream& in,
                std::ostream& out, std::ostream& err);

// telvanor-cli report PROJECT_DIR [--format html|csv|md] [-o FILE] [--sep CHAR]
struct ReportOptions {
    ReportFormat format = ReportFormat::Html;
    std::optional<std::filesystem::path> output;  // standard output when not given or "-"
    char separator = ',';                         // CSV only
};
int reportCommand(const std::filesystem::path& projectDir, const ReportOptions& options, std::ostream& out,
                  std::ostream& err);

// telvanor-cli export PROJECT_DIR [--map transmit|receive] [--format csv|xlsx] [-o FILE]
struct ExchangeOptions {
    MapKind map = MapKind::Transmit;
    ExchangeFormat format = ExchangeFormat::Csv;
    std::optional<std::filesystem::path>
        output;  // the export's own name in the project folder when not given; "-" standard output
};
int exportCommand(const std::filesystem::path& projectDir, const ExchangeOptions& options, std::ostream& out,
                  std::ostream& err);

// telvanor-cli import PROJECT_DIR FILE [--map transmit|receive]: replaces the map by the
// workbook's rows and writes the map file; 1 and nothing written when the workbook cannot be
// read or has no worksheet of the map.
int importCommand(const std::filesystem::path& projectDir, const std::filesystem::path& workbook, MapKind map,
                  std::ostream& out, std::ostream& err);

struct CommandSpec;

// telvanor-cli monitor PROJECT_DIR --port DEVICE [--once] [--interval MS] [--format
// text|csv|json] [--function 3|4] [--baud N] [--parity N|E|O] [--id N]: the command with its
// options and help, for the command table.
const CommandSpec& monitorCommandSpec();

}  // namespace telvanor
