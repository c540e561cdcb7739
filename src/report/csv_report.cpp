#include <string>
#include <string_view>
#include <vector>

#include "report/report_tables.h"
#include "report/report_writers.h"

namespace telvanor {

namespace {

// The byte order mark tells a spreadsheet the file is UTF-8, so "N° Byte" stays whole.
constexpr const char* kUtf8ByteOrderMark = "\xEF\xBB\xBF";

bool needsQuotes(std::string_view text, char separator) {
    if (text.empty()) return false;
    if (text.front() == ' ' || text.back() == ' ') return true;
    for (char c : text)
        if (c == separator || c == '"' || c == '\r' || c == '\n') return true;
    return false;
}

// A spreadsheet takes a cell that starts with one of these for a formula (a tab or a carriage
// return before it is skipped): a mnemonic such as "=HYPERLINK(...)" would run as one. A leading
// apostrophe makes it text, which the spreadsheet shows without the apostrophe.
std::string neutralised(const std::string& text) {
    if (!text.empty() && std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos) return "'" + text;
    return text;
}

void appendLine(std::string& csv, const std::vector<std::string>& fields, char separator) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) csv += separator;
        std::string field = neutralised(fields[i]);
        if (!needsQuotes(field, separator)) {
            csv += field;
            continue;
        }
        csv += '"';
        for (char c : field) {
            if (c == '"') csv += '"';
            csv += c;
        }
        csv += '"';
    }
    csv += "\r\n";
}

void appendRegisters(std::string& csv, const std::vector<ReportRegister>& registers, char separator) {
    for (const ReportRegister& entry : registers)
        appendLine(csv,
                   {entry.registerDecimal, entry.registerHex, directionText(entry.kind),
                    std::to_string(entry.frameNumber), entry.frameMnemonic, entry.pgn, entry.high.position,
                    entry.high.field, entry.low.position, entry.low.field, entry.write},
                   separator);
}

}  // namespace

std::string csvLine(const std::vector<std::string>& fields, char separator) {
    std::string line;
    appendLine(line, fields, separator);
    return line;
}

std::string csvTable(const std::vector<std::string>& titleLines, const ReportTable& table, char separator) {
    std::string csv = kUtf8ByteOrderMark;
    for (const std::string& line : titleLines) appendLine(csv, {line}, separator);
    appendLine(csv, table.columns, separator);
    for (const std::vector<std::string>& row : table.rows) appendLine(csv, row, separator);
    return csv;
}

std::string csvReport(const ProjectReport& report, char separator) {
    std::string csv = kUtf8ByteOrderMark;
    std::string title = "Modbus registers of project " + report.projectName;
    if (!report.date.empty()) title += ", project files of " + report.date;
    appendLine(csv, {title}, separator);
    for (const CheckFinding& finding : report.problems)
        appendLine(csv, {"Problem: " + problemLine(finding)}, separator);
    appendLine(csv,
               {"Register", "Hex", "Direction", "Frame", "Mnemonic", "PGN", "High byte", "High byte field", "Low byte",
                "Low byte field", kWriteNmeaColumn},
               separator);
    appendRegisters(csv, report.receiveRegisters, separator);
    appendRegisters(csv, report.transmitRegisters, separator);
    return csv;
}

}  // namespace telvanor
