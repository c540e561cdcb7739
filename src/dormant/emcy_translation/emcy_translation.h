#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "project/formats/emcy_def_format.h"
#include "project/text_order.h"

namespace telvanor {

// The EMCY translation table (emcydef.xml, its entry TClEmcy and fields kEmcyFields:
// project/formats). Nothing else in the program reads it.

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

// The order in which the save writes the entries: ascending integer value of id_dev, among
// equal values the entry later in the list first. Throws ConversionError for the first id_dev,
// in list order, that is not an integer.
std::vector<std::size_t> EmcyDefSaveOrder(const std::vector<TClEmcy>& entries);

}  // namespace telvanor
