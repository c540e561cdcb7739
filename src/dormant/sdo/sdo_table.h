#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "project/formats/sdo_format.h"
#include "project/frame_table_file.h"

namespace telvanor {

// The SDO access table (sdo.xml; its row SdoRow and names: project/formats).

// The SDO window shows this many rows, labelled from 0.
inline constexpr std::size_t kSdoGridRows = 1500;

using SdoTableLoad = DormantTableLoad<SdoRow>;

// conf is Hi Word x 32 + R/W x 16 + Lo Word, kept to 16 bits, written in decimal. Reads the
// three cells by the integer text rule; throws ConversionError when one is not an integer.
std::string packSdoConf(const SdoRow& row);
// Fills Hi Word, R/W and Lo Word from a conf value, in decimal.
void unpackSdoConf(std::int32_t conf, SdoRow& row);
// The same from conf's text: a missing text or one that is not an integer gives 0, 0, 0.
void unpackSdoConf(const std::optional<std::string>& confText, SdoRow& row);

// Reads sdo.xml (found in any letter case): each child of the document element is a row.
// conf and mnemonico may be absent; another missing attribute, or a file that cannot be
// read, ends the load there with the rows read before it (the failing one with the cells
// read up to the failure). SubindexA is not read.
SdoTableLoad LoadSdoTable(const std::filesystem::path& file);

// How many of the rows form the table: it ends at the first row whose Addr Word is empty.
std::size_t SdoTableLength(const std::vector<SdoRow>& rows);

// Checks the columns Addr Word to nByte of every row of the table, in order; a row's first
// failing column gives its message, and the message of the last failing row is given, or
// nothing when every row passes. A checked cell that is not an integer, an empty one
// included, throws ConversionError.
std::optional<std::string> ValidateSdoTable(const std::vector<SdoRow>& rows);

// The rows of the table with their conf, ordered by Addr Word (modulo 65536, a text that is
// not an integer counting as 0), rows with equal values in their order. Throws
// ConversionError when Hi Word, Lo Word or R/W of a row is not an integer.
struct SdoFileRow {
    std::string conf;
    const SdoRow* row;

    // The row's values in the order of sdo_xml::kAttributes: conf, IndexA, SubindexA "0",
    // devIDB, IndexB, SubindexB, nbyteB, mnemonico. They point into the row and conf.
    std::array<std::string_view, sdo_xml::kAttributes.size()> values() const;
};
std::vector<SdoFileRow> orderedSdoRows(const std::vector<SdoRow>& rows);

// Writes the table over sdo.xml (replacing it in whatever letter case it is spelled): root
// "sdo", one "row" per row in Addr Word order, with conf, IndexA, SubindexA ("0"), devIDB,
// IndexB, SubindexB, nbyteB and mnemonico. Throws ConversionError or FileError.
void SaveSdoTable(const std::filesystem::path& file, const std::vector<SdoRow>& rows);

}  // namespace telvanor
