#include "report/report_tables.h"

namespace telvanor {

namespace {

ReportTable receiveFrameTable(const ProjectReport& report) {
    ReportTable table{
        "Receive frames",
        {"#", "Data page", "PGN (hex)", "PGN", "Name", "Source address", "Framing", "Bytes", "Deleted", "Mnemonic"},
        {},
        "The project has no receive frames."};
    for (const ReportReceiveFrame& frame : report.receiveFrames)
        table.rows.push_back({std::to_string(frame.number), frame.dataPage, frame.pgnHex, frame.pgnDecimal, frame.name,
                              frame.sourceAddress, frame.framing, frame.bytes, frame.deleted ? "yes" : "no",
                              frame.mnemonic});
    return table;
}

ReportTable transmitFrameTable(const ProjectReport& report) {
    ReportTable table{
        "Transmit frames",
        {"#", "Priority", "Data page", "PGN (hex)", "PGN", "Name", "Source address", "CAN identifier", "Mnemonic"},
        {},
        "The project has no transmit frames."};
    for (const ReportTransmitFrame& frame : report.transmitFrames)
        table.rows.push_back({std::to_string(frame.number), frame.priority, frame.dataPage, frame.pgnHex,
                              frame.pgnDecimal, frame.name, frame.sourceAddress, frame.identifier, frame.mnemonic});
    return table;
}

ReportTable registerTable(MapKind kind, const std::vector<ReportRegister>& registers) {
    bool transmit = kind == MapKind::Transmit;
    ReportTable table{transmit ? "Transmit register map" : "Receive register map",
                      {"Register", "Hex", "Direction", "Frame", "PGN", transmit ? "High byte to" : "High byte from",
                       transmit ? "Low byte to" : "Low byte from"},
                      {},
                      "The project maps no registers here."};
    if (transmit) table.columns.push_back(kWriteNmeaColumn);
    for (const ReportRegister& entry : registers) {
        std::vector<std::string> row = {entry.registerDecimal, entry.registerHex, directionText(kind),
                                        frameText(entry),      entry.pgn,         byteText(entry.high),
                                        byteText(entry.low)};
        if (transmit) row.push_back(entry.write);
        table.rows.push_back(std::move(row));
    }
    return table;
}

}  // namespace

std::vector<ReportTable> reportTables(const ProjectReport& report) {
    return {receiveFrameTable(report), transmitFrameTable(report),
            registerTable(MapKind::Receive, report.receiveRegisters),
            registerTable(MapKind::Transmit, report.transmitRegisters)};
}

std::string reportTitle(const ProjectReport& report) { return "Project " + report.projectName; }

std::string reportDateLine(const ProjectReport& report) {
    if (report.date.empty()) return "The folder holds none of the project files.";
    return "Project files of " + report.date;
}

std::string problemLine(const CheckFinding& finding) {
    return (finding.warning ? "warning: " : "") + finding.file + ": " + finding.message;
}

std::string parametersText(const ProjectReport& report) {
    return report.parameters ? *report.parameters
                             : "No communication parameters: pargen.xml is missing or cannot be read.";
}

std::string byteText(const ReportByte& byte) {
    return byte.field.empty() ? byte.position : byte.position + ": " + byte.field;
}

std::string directionText(MapKind kind) {
    return kind == MapKind::Receive ? "NMEA 2000 to Modbus" : "Modbus to NMEA 2000";
}

std::string frameText(const ReportRegister& entry) {
    std::string text = "#" + std::to_string(entry.frameNumber);
    if (!entry.frameMnemonic.empty()) text += " " + entry.frameMnemonic;
    return text;
}

}  // namespace telvanor
