#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "project/formats/receive_frames_format.h"
#include "project/frame_table_file.h"

namespace telvanor {

using ReceiveFramesLoad = FrameTableLoad<ReceiveFrameRow>;

// Reads RCobDef.xml. Every attribute but FastPacket is required.
ReceiveFramesLoad LoadReceiveFrames(const std::filesystem::path& file);

// How many of the rows form the table: it ends at the first row whose Data Page is empty.
std::size_t ReceiveFramesLength(const std::vector<ReceiveFrameRow>& rows);

// Checks the rows of the table in order and gives the first failure as "Error in row N" and
// the check's text, or nothing when every row passes.
std::optional<std::string> ValidateReceiveFrames(const std::vector<ReceiveFrameRow>& rows);

// The same failure with the row and the attribute at fault.
std::optional<TableRefusal> ReceiveFramesRefusal(const std::vector<ReceiveFrameRow>& rows);

// Writes the rows of the table (up to the first empty Data Page) over RCobDef.xml.
// Throws FileError when the file cannot be written.
void SaveReceiveFrames(const std::filesystem::path& file, const std::vector<ReceiveFrameRow>& rows);

// What the receive frame table window would say at OK about the project's RCobDef.xml:
// its load failure or its validation message, exactly as the window shows them.
FrameTableCheck CheckReceiveFrames(const std::filesystem::path& projectDir);

}  // namespace telvanor
