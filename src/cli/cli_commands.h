#pragma once

#include <filesystem>
#include <optional>
#include <ostream>

#include "report/report_writers.h"

namespace telvanor {

// telvanor-cli build PROJECT_DIR [--output FILE]
int buildCommand(const std::filesystem::path& projectDir, const std::optional<std::filesystem::path>& output,
                 std::ostream& out, std::ostream& err);

// telvanor-cli dump FILE
int dumpCommand(const std::filesystem::path& imageFile, std::ostream& out, std::ostream& err);

// telvanor-cli check PROJECT_DIR
int checkCommand(const std::filesystem::path& projectDir, std::ostream& out, std::ostream& err);

// telvanor-cli report PROJECT_DIR [--format html|csv|md] [--output FILE] [--sep CHAR]
struct ReportOptions {
    ReportFormat format = ReportFormat::Html;
    std::optional<std::filesystem::path> output;  // standard output when not given
    char separator = ',';                         // CSV only
};
int reportCommand(const std::filesystem::path& projectDir, const ReportOptions& options, std::ostream& out,
                  std::ostream& err);

}  // namespace telvanor
