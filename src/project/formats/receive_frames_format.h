#pragma once

#include <array>
#include <string>
#include <string_view>

#include "project/formats/frame_table_format.h"
#include "project/formats/row_field.h"

namespace telvanor {

// RCobDef.xml: the receive frame table, one row per frame the gateway takes from the bus.
inline constexpr std::string_view kRCobDefFile = "RCobDef.xml";

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

// The attributes of a row in the order they are read and written. Files written before fast
// packets were known lack FastPacket.
inline constexpr std::array<RowField<ReceiveFrameRow>, 9> kFields{{
    {kDataPage, &ReceiveFrameRow::DataPage},
    {kPGN, &ReceiveFrameRow::PGN},
    {kID_DEV, &ReceiveFrameRow::ID_DEV},
    {kMultiFrame, &ReceiveFrameRow::MultiFrame},
    {kFastPacket, &ReceiveFrameRow::FastPacket, false},
    {kStartByte, &ReceiveFrameRow::StartByte},
    {kNByte, &ReceiveFrameRow::NByte},
    {kDelete, &ReceiveFrameRow::Delete},
    {kMnemonic, &ReceiveFrameRow::Mnemonic},
}};

}  // namespace rcobdef_xml

}  // namespace telvanor
