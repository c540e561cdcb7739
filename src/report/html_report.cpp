#include <string>

#include "report/report_tables.h"
#include "report/report_writers.h"

namespace telvanor {

namespace {

// Everything a project file may hold is written as text, never as markup.
std::string escapeHtml(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            case '\'':
                escaped += "&#39;";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

// Portrait A4 with room for the widest table; header rows repeat on each printed page and
// rows are not split across pages.
constexpr const char* kStyle =
    "@page { size: A4; margin: 12mm; }\n"
    "body { font-family: sans-serif; font-size: 10pt; color: #000; background: #fff; margin: 0; }\n"
    "h1 { font-size: 16pt; margin: 0 0 4pt 0; }\n"
    "h2 { font-size: 12pt; margin: 14pt 0 4pt 0; page-break-after: avoid; }\n"
    "table { border-collapse: collapse; width: 100%; font-size: 8.5pt; }\n"
    "th, td { border: 1px solid #777; padding: 2pt 3pt; text-align: left; vertical-align: top; "
    "overflow-wrap: anywhere; }\n"
    "th { background: #e8e8e8; }\n"
    "thead { display: table-header-group; }\n"
    "tr { page-break-inside: avoid; }\n"
    ".problems { border: 2px solid #b00000; padding: 2pt 8pt; }\n"
    ".problems h2 { color: #b00000; margin-top: 4pt; }\n";

void appendTable(std::string& html, const ReportTable& table, bool withHeading = true) {
    if (withHeading) html += "<h2>" + escapeHtml(table.title) + "</h2>\n";
    if (table.rows.empty()) {
        html += "<p>" + escapeHtml(table.emptyText) + "</p>\n";
        return;
    }
    html += "<table>\n<thead><tr>";
    for (const std::string& column : table.columns) html += "<th>" + escapeHtml(column) + "</th>";
    html += "</tr></thead>\n<tbody>\n";
    for (const std::vector<std::string>& row : table.rows) {
        html += "<tr>";
        for (const std::string& cell : row) html += "<td>" + escapeHtml(cell) + "</td>";
        html += "</tr>\n";
    }
    html += "</tbody>\n</table>\n";
}

// The page up to its heading.
std::string pageStart(const std::string& title) {
    std::string html = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n";
    html += "<title>" + escapeHtml(title) + "</title>\n<style>\n" + kStyle + "</style>\n</head>\n<body>\n";
    html += "<h1>" + escapeHtml(title) + "</h1>\n";
    return html;
}

constexpr const char* kPageEnd = "</body>\n</html>\n";

}  // namespace

std::string htmlTablePage(const std::vector<std::string>& paragraphs, const ReportTable& table) {
    std::string html = pageStart(table.title);
    for (const std::string& paragraph : paragraphs) html += "<p>" + escapeHtml(paragraph) + "</p>\n";
    appendTable(html, table, false);
    return html + kPageEnd;
}

std::string htmlReport(const ProjectReport& report) {
    std::string html = pageStart(reportTitle(report));
    html += "<p>" + escapeHtml(reportDateLine(report)) + ". Firmware Telvanor project report.</p>\n";
    if (!report.problems.empty()) {
        html += "<div class=\"problems\">\n<h2>Problems</h2>\n<ul>\n";
        for (const CheckFinding& finding : report.problems)
            html += "<li>" + escapeHtml(problemLine(finding)) + "</li>\n";
        html += "</ul>\n</div>\n";
    }
    html += "<h2>Communication parameters</h2>\n<p>" + escapeHtml(parametersText(report)) + "</p>\n";
    for (const ReportTable& table : reportTables(report)) appendTable(html, table);
    return html + kPageEnd;
}

std::optional<ReportFormat> parseReportFormat(std::string_view name) {
    if (name == "html") return ReportFormat::Html;
    if (name == "csv") return ReportFormat::Csv;
    if (name == "md") return ReportFormat::Markdown;
    return std::nullopt;
}

}  // namespace telvanor
