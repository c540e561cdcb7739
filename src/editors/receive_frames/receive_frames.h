#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "project/frame_table_file.h"

namespace telvanor {

// One frame of the receive frame table (RCobDef.xml): the texts of the nine attributes of
// its row, in the file's attribute order, exactly as typed or read.
struct ReceiveFrameRow {
    std::string DataPage;    // "Data Page": "0" or "1"
    std::string PGN;         // the PGN without its data page bit
    std::string ID_DEV;      // "Source Address" of the sending node
    std::string MultiFrame;  // "Multi Packet": "Y" or "N" (empty while never ticked)
    std::string FastPacket;  // "Fast packet": "Y" or "N"; older files lack it
    std::string StartByte;   // first byte handled of a multi- or fast-packet message, from 1
    std::string NByte;       // "N° Byte": how many bytes from there
    std::string Delete;      // "Cancel Data": "Y" or "N", stored for the device
    std::string Mnemonic;    // free text naming the frame

    bool operator==(const ReceiveFrameRow&) const = default;
};

using ReceiveFramesLoad = FrameTableLoad<ReceiveFrameRow>;

// Reads RCobDef.xml. Every attribute but FastPacket is required.
ReceiveFramesLoad LoadReceiveFrames(const std::filesystem::path& file);

// How many of the rows form the table: it ends at the first row whose Data Page is empty.
std::size_t ReceiveFramesLength(const std::vector<ReceiveFrameRow>& rows);

// Checks the rows of the table in order and gives the first failure as "Error in row N" and
// the check's text, or nothing when every row passes.
std::optional<std::string> ValidateReceiveFrames(const std::vector<ReceiveFrameRow>& rows);

// Writes the rows of the table (up to the first empty Data Page) over RCobDef.xml.
// Throws FileError when the file cannot be written.
void SaveReceiveFrames(const std::filesystem::path& file, const std::vector<ReceiveFrameRow>& rows);

// What the receive frame table window would say at OK about the project's RCobDef.xml:
// its load failure or its validation message, exactly as the window shows them.
FrameTableCheck CheckReceiveFrames(const std::filesystem::path& projectDir);

}  // namespace telvanor
