#pragma once

#include <filesystem>
#include <string>

#include "support/temp_dir.h"

namespace telvanor::testing {

inline std::string overviewMapRow(const std::string& index, const std::string& frame, const std::string& posComp,
                                  const std::string& write = "") {
    return "<row Index=\"" + index + "\" NrPdo=\"" + frame + "\" PosComp=\"" + posComp + "\"" +
           (write.empty() ? "" : " Write_J1939=\"" + write + "\"") + "/>";
}

// A row of RCobDef.xml with source address 35: a single frame, or a multi-packet message of
// `multiBytes` bytes from byte 1.
inline std::string receiveTableRow(const std::string& dataPage, const std::string& pgn, const std::string& mnemonic,
                                   const std::string& multiBytes = "") {
    bool multi = !multiBytes.empty();
    return "<row DataPage=\"" + dataPage + "\" PGN=\"" + pgn + "\" ID_DEV=\"35\" MultiFrame=\"" + (multi ? "Y" : "N") +
           "\" FastPacket=\"N\" StartByte=\"" + (multi ? "1" : "") + "\" NByte=\"" + multiBytes +
           "\" Delete=\"N\" Mnemonic=\"" + mnemonic + "\"/>";
}

// A project whose maps hold one mapping of every kind the overview marks, beside sound ones.
// Receive frames: 1 Position, Rapid Update (8 bytes), 2 a multi-packet Address Claim of 16
// bytes. Transmit frames: 1 GNSS Position Data (a fast-packet PGN), 2 COG & SOG, Rapid Update.
inline void writeOverviewProject(const std::filesystem::path& project) {
    writeFile(project / "RCobDef.xml", "<COBID>" + receiveTableRow("1", "0xF801", "Position &lt;rapid&gt;") +
                                           receiveTableRow("0", "0xEE00", "Claim", "16") + "</COBID>");
    writeFile(project / "RInfoCob.xml", "<RInfoCob>" + overviewMapRow("$1A", "1", "131073") +
                                            overviewMapRow("26", "2", "1") + overviewMapRow("30", "1", "0") +
                                            overviewMapRow("31", "2", "17") + overviewMapRow("32", "1", "9") +
                                            overviewMapRow("70000", "1", "1") + overviewMapRow("40", "5", "1") +
                                            overviewMapRow("41", "1", "x") + "</RInfoCob>");
    writeFile(project / "TCobDef.xml",
              "<COBID><row Priority=\"3\" DP=\"1\" PGN=\"0xF805\" ID_DEV=\"36\" Mnemonic=\"Fix\"/>"
              "<row Priority=\"2\" DP=\"1\" PGN=\"0xF802\" ID_DEV=\"36\" Mnemonic=\"COG\"/></COBID>");
    writeFile(project / "TInfoCob.xml", "<TInfoCob>" + overviewMapRow("26", "1", "145", "1") +
                                            overviewMapRow("100", "2", "33", "0") +
                                            overviewMapRow("101", "2", "154", "0") + "</TInfoCob>");
}

}  // namespace telvanor::testing
