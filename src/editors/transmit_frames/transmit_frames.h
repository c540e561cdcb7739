#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "project/frame_table_file.h"

namespace telvanor {

// One frame of the transmit frame table (TCobDef.xml): the texts of the five attributes of
// its row, in the file's attribute order, exactly as typed or read.
struct TransmitFrameRow {
    std::string Priority;  // the J1939 priority, 0 to 7
    std::string DP;        // "Data Page": 0 or 1
    std::string PGN;       // the PGN without its data page bit; not checked
    std::string ID_DEV;    // "Source Address" the frame is sent with
    std::string Mnemonic;  // free text naming the frame

    bool operator==(const TransmitFrameRow&) const = default;
};

using TransmitFramesLoad = FrameTableLoad<TransmitFrameRow>;

// Reads TCobDef.xml. All five attributes are required.
TransmitFramesLoad LoadTransmitFrames(const std::filesystem::path& file);

// How many of the rows form the table: it ends at the first row whose Priority is empty.
std::size_t TransmitFramesLength(const std::vector<TransmitFrameRow>& rows);

// Checks the rows of the table in order and gives the first failure as "Error in row N" and
// the check's text, or nothing when every row passes.
std::optional<std::string> ValidateTransmitFrames(const std::vector<TransmitFrameRow>& rows);

// Writes the rows of the table (up to the first empty Priority) over TCobDef.xml.
// Throws FileError when the file cannot be written.
void SaveTransmitFrames(const std::filesystem::path& file, const std::vector<TransmitFrameRow>& rows);

// What the transmit frame table window would say at OK about the project's TCobDef.xml:
// its load failure or its validation message, exactly as the window shows them.
FrameTableCheck CheckTransmitFrames(const std::filesystem::path& projectDir);

}  // namespace telvanor
