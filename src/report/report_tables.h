#pragma once

#include <string>
#include <vector>

#include "report/project_report.h"

namespace telvanor {

// The report's tables as rows of plain texts, shared by the HTML and Markdown writers so
// that both say the same thing.
struct ReportTable {
    std::string title;
    std::vector<std::string> columns;
    std::vector<std::vector<std::string>> rows;
    std::string emptyText;  // shown instead of a table without rows
};

// The column of a transmit mapping's Write_J1939, named as the transmit register map window
// names it.
inline constexpr const char* kWriteNmeaColumn = "Write NMEA2000 Frame";

// Receive frames, transmit frames, receive register map, transmit register map.
std::vector<ReportTable> reportTables(const ProjectReport& report);

// "Project Boat1".
std::string reportTitle(const ProjectReport& report);
// "Project files of 2026-01-15", or what to say when there is none.
std::string reportDateLine(const ProjectReport& report);
// "pargen.xml: MESSAGE", "warning: RCobDef.xml: TEXT", as `check` prints them.
std::string problemLine(const CheckFinding& finding);
// The parameters in words, or what to say when there are none.
std::string parametersText(const ProjectReport& report);

// "NMEA 2000 to Modbus" (receive) or "Modbus to NMEA 2000" (transmit).
std::string directionText(MapKind kind);
// "byte 2: Latitude, byte 2 of 4", or "byte 2" when the catalogue places no field there.
std::string byteText(const ReportByte& byte);
// "#1 Position rapid update", or "#1" without a mnemonic.
std::string frameText(const ReportRegister& entry);

}  // namespace telvanor
