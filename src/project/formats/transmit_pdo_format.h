#pragma once

#include <array>
#include <string>
#include <string_view>

#include "project/formats/row_field.h"

namespace telvanor {

// Transmit_Pdo.xml: the transmit PDO table, up to ten CAN frames with 11-bit identifiers,
// each filled from consecutive Modbus registers.
inline constexpr std::string_view kTransmitPdoFile = "Transmit_Pdo.xml";

// One frame: the texts of its three attributes, in the file's order, exactly as typed.
struct TransmitPdoRow {
    std::string COB_ID;     // attribute COB-ID: the frame's 11-bit identifier
    std::string Dimension;  // the data length, 1 to 8 bytes
    std::string SMA;        // "Start Modbus Address": the first register read into the frame

    bool operator==(const TransmitPdoRow&) const = default;
};

namespace transmit_pdo_xml {

// Spelled so in the file.
inline constexpr std::string_view kRoot = "Trasmit_PDO";

inline constexpr std::string_view kCOB_ID = "COB-ID";
inline constexpr std::string_view kDimension = "Dimension";
inline constexpr std::string_view kSMA = "SMA";

// The attributes of a row in the order they are read and written; all are required.
inline constexpr std::array<RowField<TransmitPdoRow>, 3> kFields{{
    {kCOB_ID, &TransmitPdoRow::COB_ID},
    {kDimension, &TransmitPdoRow::Dimension},
    {kSMA, &TransmitPdoRow::SMA},
}};

}  // namespace transmit_pdo_xml

}  // namespace telvanor
