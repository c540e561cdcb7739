#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "project/formats/transmit_frames_format.h"
#include "project/frame_table_file.h"

namespace telvanor {

using TransmitFramesLoad = FrameTableLoad<TransmitFrameRow>;

// Reads TCobDef.xml. All five attributes are required.
TransmitFramesLoad LoadTransmitFrames(const std::filesystem::path& file);

// How many of the rows form the table: it ends at the first row whose Priority is empty.
std::size_t TransmitFramesLength(const std::vector<TransmitFrameRow>& rows);

// Checks the rows of the table in order and gives the first failure as "Error in row N" and
// the check's text, or nothing when every row passes.
std::optional<std::string> ValidateTransmitFrames(const std::vector<TransmitFrameRow>& rows);

// The same failure with the row and the attribute at fault.
std::optional<TableRefusal> TransmitFramesRefusal(const std::vector<TransmitFrameRow>& rows);

// Writes the rows of the table (up to the first empty Priority) over TCobDef.xml.
// Throws FileError when the file cannot be written.
void SaveTransmitFrames(const std::filesystem::path& file, const std::vector<TransmitFrameRow>& rows);

// What the transmit frame table window would say at OK about the project's TCobDef.xml:
// its load failure or its validation message, exactly as the window shows them.
FrameTableCheck CheckTransmitFrames(const std::filesystem::path& projectDir);

}  // namespace telvanor
