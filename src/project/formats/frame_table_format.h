#pragma once

#include <string_view>

namespace telvanor {

// What the two frame table files, RCobDef.xml and TCobDef.xml, have in common: the root
// element COBID with one row per frame, whose position, counted from 1, is its frame number.
namespace frame_table_xml {

// The frame table windows find the root by this name; the other readers take the root
// element whatever its name.
inline constexpr std::string_view kRoot = "COBID";

inline constexpr std::string_view kPGN = "PGN";        // the PGN without its data page bit
inline constexpr std::string_view kID_DEV = "ID_DEV";  // the source address
inline constexpr std::string_view kMnemonic = "Mnemonic";

// The frame table windows' column headers of what both tables hold.
inline constexpr std::string_view kDataPageColumn = "Data Page";
inline constexpr std::string_view kPGNColumn = "PGN";
inline constexpr std::string_view kSourceAddressColumn = "Source Address";
inline constexpr std::string_view kMnemonicColumn = "Mnemonic";

}  // namespace frame_table_xml

}  // namespace telvanor
