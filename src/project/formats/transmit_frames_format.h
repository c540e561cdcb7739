#pragma once

#include <array>
#include <string>
#include <string_view>

#include "project/formats/frame_table_format.h"
#include "project/formats/row_field.h"

namespace telvanor {

// TCobDef.xml: the transmit frame table, one row per frame the gateway sends.
inline constexpr std::string_view kTCobDefFile = "TCobDef.xml";
// The main window's step that edits it, as its button says.
inline constexpr std::string_view kTCobDefStep = "Transmit NMEA";

// One frame of the transmit frame table: the texts of the five attributes of its row, in the
// file's attribute order, exactly as typed or read.
struct TransmitFrameRow {
    std::string Priority;  // the J1939 priority, 0 to 7
    std::string DP;        // "Data Page": 0 or 1
    std::string PGN;       // the PGN without its data page bit; not checked
    std::string ID_DEV;    // "Source Address" the frame is sent with
    std::string Mnemonic;  // free text naming the frame

    bool operator==(const TransmitFrameRow&) const = default;
};

namespace tcobdef_xml {

using frame_table_xml::kRoot;
inline constexpr std::string_view kPriority = "Priority";
inline constexpr std::string_view kDP = "DP";
using frame_table_xml::kID_DEV;
using frame_table_xml::kMnemonic;
using frame_table_xml::kPGN;

inline constexpr std::string_view kPriorityColumn = "Priority";

// The attributes of a row in the order they are read and written, each with its column; all
// are required.
inline constexpr std::array<RowField<TransmitFrameRow>, 5> kFields{{
    {.name = kPriority, .text = &TransmitFrameRow::Priority, .column = kPriorityColumn},
    {.name = kDP, .text = &TransmitFrameRow::DP, .column = frame_table_xml::kDataPageColumn},
    {.name = kPGN, .text = &TransmitFrameRow::PGN, .column = frame_table_xml::kPGNColumn},
    {.name = kID_DEV, .text = &TransmitFrameRow::ID_DEV, .column = frame_table_xml::kSourceAddressColumn},
    {.name = kMnemonic, .text = &TransmitFrameRow::Mnemonic, .column = frame_table_xml::kMnemonicColumn},
}};

}  // namespace tcobdef_xml

}  // namespace telvanor
