#include <string>
#include <vector>

#include "report/report_tables.h"
#include "report/report_writers.h"

namespace telvanor {

namespace {

bool needsQuotes(std::string_view text, char separator) {
    if (text.empty()) return false;
    if (text.front() == ' ' || text.back() == ' ') return true;
    for (char c : text)
        if (c == separator || c == '"' || c == '\r' || c == '\n') return true;
    return false;
}

void appendLine(std::string& csv, const std::vector<std::string>& fields, char separator) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) csv += separator;
        if (!needsQuotes(fields[i], separator)) {
            csv += fields[i];
            continue;
        }
        csv += '"';
        for (char c : fields[i]) {
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

std::string csvTable(const std::vector<std::string>& titleLines, const ReportTable& table, char separator) {
    std::string csv;
    for (const std::string& line : titleLines) appendLine(csv, {line}, separator);
    appendLine(csv, table.columns, separator);
    for (const std::vector<std::string>& row : table.rows) appendLine(csv, row, separator);
    return csv;
}

std::string csvReport(const ProjectReport& report, char separator) {
    std::string csv;
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
