#pragma once

#include <array>
#include <string>
#include <string_view>

#include "project/formats/row_field.h"

namespace telvanor {

// sdo.xml: the SDO access table. Each row ties a Modbus register address to a CANopen SDO
// object (node ID, object index and subindex, size in bytes), with three small settings
// packed into one number, conf, and a mnemonic. Rows are written in Addr Word order.
inline constexpr std::string_view kSdoFile = "sdo.xml";

// One row of the table: the texts of the grid's nine columns, exactly as typed or read.
struct SdoRow {
    std::string AddrWord;   // "Addr Word", the Modbus address; IndexA in the file
    std::string HiWord;     // "Hi Word", packed into conf
    std::string LoWord;     // "Lo Word", packed into conf
    std::string RW;         // "R/W", packed into conf
    std::string ID;         // the CANopen node; devIDB
    std::string Index;      // the object index; IndexB
    std::string SubIndex;   // the object subindex; SubindexB
    std::string nByte;      // the object's size in bytes; nbyteB
    std::string mnemonico;  // free text

    bool operator==(const SdoRow&) const = default;
};

namespace sdo_xml {

inline constexpr std::string_view kRoot = "sdo";

inline constexpr std::string_view kConf = "conf";
inline constexpr std::string_view kIndexA = "IndexA";
inline constexpr std::string_view kSubindexA = "SubindexA";  // always written "0", never read
inline constexpr std::string_view kDevIDB = "devIDB";
inline constexpr std::string_view kIndexB = "IndexB";
inline constexpr std::string_view kSubindexB = "SubindexB";
inline constexpr std::string_view kNbyteB = "nbyteB";
inline constexpr std::string_view kMnemonico = "mnemonico";

// The attributes in the order they are written; also the CSV export's title line.
inline constexpr std::array<std::string_view, 8> kAttributes = {kConf,   kIndexA,    kSubindexA, kDevIDB,
                                                                kIndexB, kSubindexB, kNbyteB,    kMnemonico};

// The attributes read into a row's texts after conf, in the order they are read; conf may be
// absent as well.
inline constexpr std::array<RowField<SdoRow>, 6> kReadFields{{
    {kIndexA, &SdoRow::AddrWord},
    {kDevIDB, &SdoRow::ID},
    {kIndexB, &SdoRow::Index},
    {kSubindexB, &SdoRow::SubIndex},
    {kNbyteB, &SdoRow::nByte},
    {kMnemonico, &SdoRow::mnemonico, false},
}};

}  // namespace sdo_xml

}  // namespace telvanor
