#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "project/formats/transmit_pdo_format.h"
#include "project/frame_table_file.h"

namespace telvanor {

// The transmit PDO table (Transmit_Pdo.xml; its row TransmitPdoRow and names:
// project/formats).

// The transmit PDO window shows this many rows, labelled from 0.
inline constexpr std::size_t kTransmitPdoGridRows = 10;

using TransmitPdoLoad = DormantTableLoad<TransmitPdoRow>;

// Reads Transmit_Pdo.xml (found in any letter case): each child of the document element is a
// row with the attributes COB-ID, Dimension and SMA. A missing attribute, or a file that
// cannot be read, ends the load there with the rows read before it (the failing one with
// the cells read up to the failure).
TransmitPdoLoad LoadTransmitPdo(const std::filesystem::path& file);

// How many of the rows form the table: it ends at the first row whose COB-ID is empty.
std::size_t TransmitPdoLength(const std::vector<TransmitPdoRow>& rows);

// Runs the three independent checks on every row, the empty ones included, and gives every
// failure in order as "Error in row N" and the check's text; nothing when all pass. Cells
// are read by the integer text rule, a text that is not an integer counting as -1:
// COB-ID 1 to 2047 and Dimension 1 to 8 when the Dimension is not empty, Start Modbus
// Address 0 to 65535 when it is not empty.
std::vector<std::string> ValidateTransmitPdo(const std::vector<TransmitPdoRow>& rows);

// Writes the rows of the table (up to the first empty COB-ID) over Transmit_Pdo.xml,
// replacing it in whatever letter case it is spelled. Gives nothing when it is written, or
// "Error in the save parameter" and the reason when it cannot be, the earlier file left whole.
std::optional<std::string> SaveTransmitPdo(const std::filesystem::path& file, const std::vector<TransmitPdoRow>& rows);

}  // namespace telvanor
