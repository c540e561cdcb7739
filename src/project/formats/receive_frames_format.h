#pragma once

#include <array>
#include <string>
#include <string_view>

#include "project/formats/frame_table_format.h"
#include "project/formats/row_field.h"

namespace telvanor {

// RCobDef.xml: the receive frame table, one row per frame the gateway takes from the bus.
inline constexpr std::string_view kRCobDefFile = "RCobDef.xml";
// The main window's step that edits it, as its button says.
inline constexpr std::string_view kRCobDefStep = "Receive NMEA";

// One frame of the receive frame table: the texts of the nine attributes of its row, in the
// file's attribute order, exactly as typed or read.
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

namespace rcobdef_xml {

using frame_table_xml::kRoot;
inline constexpr std::string_view kDataPage = "DataPage";
using frame_table_xml::kID_DEV;
using frame_table_xml::kPGN;
inline constexpr std::string_view kMultiFrame = "MultiFrame";
inline constexpr std::string_view kFastPacket = "FastPacket";
inline constexpr std::string_view kStartByte = "StartByte";
inline constexpr std::string_view kNByte = "NByte";
inline constexpr std::string_view kDelete = "Delete";
using frame_table_xml::kMnemonic;

// The column headers of the receive frame table window that only this table has.
inline constexpr std::string_view kMultiPacketColumn = "Multi Packet";
inline constexpr std::string_view kFastPacketColumn = "Fast packet";
inline constexpr std::string_view kStartByteColumn = "Start Byte";
inline constexpr std::string_view kNByteColumn = "N° Byte";
inline constexpr std::string_view kCancelDataColumn = "Cancel Data";

// The attributes of a row in the order they are read and written, each with its column.
// Files written before fast packets were known lack FastPacket.
inline constexpr std::array<RowField<ReceiveFrameRow>, 9> kFields{{
    {.name = kDataPage, .text = &ReceiveFrameRow::DataPage, .column = frame_table_xml::kDataPageColumn},
    {.name = kPGN, .text = &ReceiveFrameRow::PGN, .column = frame_table_xml::kPGNColumn},
    {.name = kID_DEV, .text = &ReceiveFrameRow::ID_DEV, .column = frame_table_xml::kSourceAddressColumn},
    {.name = kMultiFrame, .text = &ReceiveFrameRow::MultiFrame, .column = kMultiPacketColumn},
    {.name = kFastPacket, .text = &ReceiveFrameRow::FastPacket, .required = false, .column = kFastPacketColumn},
    {.name = kStartByte, .text = &ReceiveFrameRow::StartByte, .column = kStartByteColumn},
    {.name = kNByte, .text = &ReceiveFrameRow::NByte, .column = kNByteColumn},
    {.name = kDelete, .text = &ReceiveFrameRow::Delete, .column = kCancelDataColumn},
    {.name = kMnemonic, .text = &ReceiveFrameRow::Mnemonic, .column = frame_table_xml::kMnemonicColumn},
}};

}  // namespace rcobdef_xml

}  // namespace telvanor
