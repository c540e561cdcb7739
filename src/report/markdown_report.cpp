#include <string>

#include "report/report_tables.h"
#include "report/report_writers.h"

namespace telvanor {

namespace {

// A text as Markdown shows it literally: the punctuation that Markdown or inline HTML acts
// on behind a backslash, line breaks as blanks so that a table row stays one line.
std::string escapeMarkdown(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        if (c == '\r' || c == '\n') {
            escaped += ' ';
            continue;
        }
        if (std::string_view("\\`*_[]<>|&~").find(c) != std::string_view::npos) escaped += '\\';
        escaped += c;
    }
    return escaped;
}

void appendRow(std::string& markdown, const std::vector<std::string>& cells) {
    markdown += "|";
    for (const std::string& cell : cells) markdown += " " + escapeMarkdown(cell) + " |";
    markdown += "\n";
}

void appendTable(std::string& markdown, const ReportTable& table) {
    markdown += "\n## " + escapeMarkdown(table.title) + "\n\n";
    if (table.rows.empty()) {
        markdown += escapeMarkdown(table.emptyText) + "\n";
        return;
    }
    appendRow(markdown, table.columns);
    markdown += "|";
    for (std::size_t i = 0; i < table.columns.size(); ++i) markdown += "---|";
    markdown += "\n";
    for (const std::vector<std::string>& row : table.rows) appendRow(markdown, row);
}

}  // namespace

std::string markdownReport(const ProjectReport& report) {
    std::string markdown = "# " + escapeMarkdown(reportTitle(report)) + "\n\n";
    markdown += escapeMarkdown(reportDateLine(report)) + ". Firmware Telvanor project report.\n";
    if (!report.problems.empty()) {
        markdown += "\n## Problems\n\n";
        for (const CheckFinding& finding : report.problems)
            markdown += "- " + escapeMarkdown(problemLine(finding)) + "\n";
    }
    markdown += "\n## Communication parameters\n\n" + escapeMarkdown(parametersText(report)) + "\n";
    for (const ReportTable& table : reportTables(report)) appendTable(markdown, table);
    return markdown;
}

}  // namespace telvanor
