#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace telvanor {

// The EMCY translation table (emcydef.xml): per emergency message source, compare values and
// enable masks for the fields of an emergency message. Nothing else in the program reads it.

// One entry, its texts exactly as typed or read.
struct TClEmcy {
    std::string id_dev;      // the source, "ID_EMCY" (1..127)
    std::string mask_eq_ec;  // compare value of the error code (0..65535)
    std::string mask_eq_er;  // of the error register (0..255)
    std::string mask_eq_m1;  // of the manufacturer fields Manu1, Manu2 (0..65535) and Manu3 (0..255)
    std::string mask_eq_m2;
    std::string mask_eq_m3;
    std::string enmask_eq_ec;  // the enable masks of the same fields
    std::string enmask_eq_er;
    std::string enmask_eq_m1;
    std::string enmask_eq_m2;
    std::string enmask_eq_m3;
    // Always 0 as this window makes entries.
    std::int32_t bypass_set = 0;

    bool operator==(const TClEmcy&) const = default;
};

// A text field of an entry and its attribute name.
struct EmcyField {
    std::string_view name;
    std::string TClEmcy::*text;
};

// The eleven text fields in the order of the file's attributes, the CSV columns and the
// worksheet columns; bypass_set follows them.
extern const std::array<EmcyField, 11> kEmcyFields;
inline constexpr std::string_view kBypassSet = "bypass_set";

// The decimal text of 1 + the largest of 0 and the integer values of the texts, a text that is
// not an integer counting as 0: New's ID here and New's index of an EMCY word.
std::string OneAboveLargest(const std::vector<std::string_view>& texts);

// New's ID: 1 + the largest of 0 and the integer values of the entries' id_dev texts, a text
// that is not an integer counting as 0. Nothing caps it: after 127 comes 128.
std::string NextEmcyId(const std::vector<TClEmcy>& entries);

// Modify's check of the ID typed for the entry at `selected`: keeping the entry's own text
// passes; an empty text, or one that another entry has exactly, gives "Index Not Valid". Texts
// are compared as they stand, so 12 and 012 are different IDs.
std::optional<std::string> CheckEmcyIdChange(const std::vector<TClEmcy>& entries, std::size_t selected,
                                             std::string_view typedId);

// The save order of the EMCY files: ascending integer value of the texts, among equal values
// the later text first; every value of the 32-bit range takes its place. Throws
// ConversionError for the first text, in list order, that is not an integer.
std::vector<std::size_t> AscendingTextOrder(const std::vector<std::string_view>& texts);

// The order in which the save writes the entries: ascending integer value of id_dev, among
// equal values the entry later in the list first. Throws ConversionError for the first id_dev,
// in list order, that is not an integer.
std::vector<std::size_t> EmcyDefSaveOrder(const std::vector<TClEmcy>& entries);

}  // namespace telvanor
