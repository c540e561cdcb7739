#pragma once

#include <filesystem>
#include <string>

#include "editors/pargen/pargen_file.h"
#include "overview/overview_project.h"
#include "support/temp_dir.h"

namespace telvanor::testing {

// A project for the monitor: receive registers 26 and 27 (frame 1, Position, Rapid Update)
// and 41 (frame 2), transmit register 100; the gateway at 19200 baud, parity EVEN, device ID 3.
inline void writeMonitorProject(const std::filesystem::path& project) {
    writeFile(project / "pargen.xml", pargenWith({{"Baud_Ser", "4"}, {"Par_Ser", "1"}, {"IDDev_Ser", "3"}}));
    writeFile(project / "RCobDef.xml", "<COBID>" + receiveTableRow("1", "0xF801", "Fix") +
                                           receiveTableRow("1", "0xF802", "Course") + "</COBID>");
    writeFile(project / "RInfoCob.xml", "<RInfoCob>" + overviewMapRow("26", "1", "131073") +
                                            overviewMapRow("0x1B", "1", "262147") + overviewMapRow("41", "2", "1") +
                                            "</RInfoCob>");
    writeFile(project / "TCobDef.xml",
              "<COBID><row Priority=\"2\" DP=\"1\" PGN=\"0xF802\" ID_DEV=\"36\" Mnemonic=\"COG\"/></COBID>");
    writeFile(project / "TInfoCob.xml", "<TInfoCob>" + overviewMapRow("100", "1", "33", "0") + "</TInfoCob>");
}

// The gateway's device ID in that project.
inline constexpr int kMonitorProjectDeviceId = 3;

}  // namespace telvanor::testing
