#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "project/load_loss.h"

namespace telvanor {

// The communication parameters of a project, one field per element of pargen.xml in the
// file's order. Texts are kept exactly as typed; list positions are -1 when no entry of the
// list is selected. The initial values are those the editor shows when there is no file.
struct CommParams {
    int BaudRateCAN = 4;  // position in kCanBitRates
    bool CANType = true;  // true: CAN 2.0B (29-bit identifiers), false: CAN 2.0A
    int Baud_Ser = 3;     // position in kSerialBaudRates
    int Par_Ser = 0;      // position in kParities
    std::string IDDev_Ser = "1";
    std::string TimeOut_Ser = "1000";
    std::string TimeOut_Data = "0";
    std::string TO_ModReg = "1";
    bool Peer_to_Peer = false;
    bool Serial = true;  // true: RS485, false: RS232
    bool Write_J1939 = false;
    bool En_Rem_Req = false;
    std::string Pri_Des = "0";
    std::string PGN1 = "0";
    std::string PGN2 = "0";
    std::string SA = "0";
    bool Send_Every = false;
    std::string SE_ms = "1000";
    bool HW_Type = false;  // true: variant B2, false: A1

    bool operator==(const CommParams&) const = default;
};

enum class CommParamsOutcome { NoFile, Unreadable, Loaded };

struct CommParamsLoad {
    CommParamsOutcome outcome = CommParamsOutcome::NoFile;
    // What the editor shows. When the file does not parse, the values that were passed in.
    CommParams params;
    // Whether CAN 2.0B may be chosen: only once a file's CANType has been read. CAN 2.0A
    // never may, so a loaded file always comes back as CAN 2.0B.
    bool canTypeEnabled = false;
    // Why the file could not be read or parsed (Unreadable only).
    std::string failure;
    // What the editor made of the file beyond taking its values: fallbacks for missing or
    // unreadable elements, positions that select no entry, elements that OK would drop.
    std::vector<std::string> notes;
    // What OK would not write back: the whole file when it cannot be read or has no
    // GeneralParameter element, otherwise the elements that are no parameter.
    LoadLoss loss;
};

// Reads pargen.xml (found in any letter case). No file gives the no-file values, keeping
// the serial time-out of `shown`, which the editor leaves alone then. A file that does not
// parse gives `shown` unchanged. Otherwise each element is read by itself; a missing root,
// a missing element or a text that is not an integer where one is needed gives that
// element's fallback, which for BaudRateCAN is position 0, not the no-file 4.
CommParamsLoad LoadCommParams(const std::filesystem::path& file, const CommParams& shown = {});

// The first reason the values would be refused by the editor's OK, or nothing when valid.
std::optional<std::string> Controllo_Dati(const CommParams& params);

// The same reason with the element at fault (of two registers that must differ, the later).
struct CommParamsRefusal {
    std::string_view element;
    std::string message;
};
std::optional<CommParamsRefusal> CommParamsRefusalOf(const CommParams& params);

// Writes pargen.xml from nothing: the root GeneralParameter with the 19 elements in order,
// each holding only text. Replaces the file that is there, in whatever case. Throws
// FileError when it cannot be written.
void SaveCommParams(const std::filesystem::path& file, const CommParams& params);

}  // namespace telvanor
