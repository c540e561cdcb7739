#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "report/project_report.h"

namespace telvanor {

enum class ReportFormat { Html, Csv, Markdown };

// "html", "csv" or "md"; nothing for any other name.
std::optional<ReportFormat> parseReportFormat(std::string_view name);

// One self-contained HTML page (UTF-8, no scripts, no outside resources) laid out for A4:
// title and date, the problems, the parameters in words, then the four tables. Every text of
// the project is escaped.
std::string htmlReport(const ProjectReport& report);

// The same content in Markdown: headings, a list of problems and pipe tables; characters
// that Markdown or HTML would act on are escaped with a backslash.
std::string markdownReport(const ProjectReport& report);

// The register lists for a spreadsheet: a title line, a line per problem, a header line, then
// the receive and the transmit registers in register order. Fields are separated by
// `separator`; a field holding the separator, a quote, a line break or blanks at its ends is
// quoted, quotes doubled; a field a spreadsheet would take for a formula (starting with =, +,
// -, @, tab or CR) gets a leading apostrophe. UTF-8 after a byte order mark; lines end with CR LF.
std::string csvReport(const ProjectReport& report, char separator = ',');

struct ReportTable;

// One line of fields as csvReport writes them: separated by `separator`, quoted where needed,
// ended by CR LF.
std::string csvLine(const std::vector<std::string>& fields, char separator = ',');

// One table for a spreadsheet, marked and quoted as csvReport does: each of `titleLines` as a
// line of one field, then the column titles and the rows.
std::string csvTable(const std::vector<std::string>& titleLines, const ReportTable& table, char separator = ',');

// One table as a self-contained page laid out as htmlReport lays out its tables: the table's
// title as heading, `paragraphs` below it, then the table.
std::string htmlTablePage(const std::vector<std::string>& paragraphs, const ReportTable& table);

}  // namespace telvanor
