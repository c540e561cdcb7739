#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "dormant/emcy_translation/emcy_translation.h"
#include "project/table_file.h"

namespace telvanor {

// What the EMCY windows say when their file is absent or cannot be read.
inline constexpr std::string_view kEmcyFileNotFound = kXmlFileNotFound;
inline constexpr std::string_view kEmcyFileReadError = kXmlFileReadError;

using EmcyFileOutcome = TableFileOutcome;

// What loading emcydef.xml gives; after a failure the entries read before it.
struct EmcyDefLoad {
    EmcyFileOutcome outcome = EmcyFileOutcome::NoFile;
    std::vector<TClEmcy> entries;
    // Why the load failed ("row 2 has no attribute mask_eq_er"); the window shows
    // kEmcyFileReadError, then what `loss` says.
    std::string failure;
    // The rows left out: after a failure, and those whose id_dev an earlier row has.
    LoadLoss loss;
};

// Reads emcydef.xml (found in any letter case): one entry per child of the root element, in
// order, from the eleven text attributes, all required; bypass_set is not read (0). A row whose
// id_dev text equals that of an entry already taken is passed over unread, and named in the loss.
EmcyDefLoad LoadEmcyDef(const std::filesystem::path& file);

// Rewrites emcydef.xml whole: root emcydef, one row per entry in EmcyDefSaveOrder with the
// twelve attributes. Nothing is written when an id_dev is not an integer (ConversionError) or
// the file cannot be written (FileError).
void SaveEmcyDef(const std::filesystem::path& file, const std::vector<TClEmcy>& entries);

// The EMCY IDs the words of emcyword.xml use: DigitsOnlyValue of every non-empty devid.
struct UsedEmcyIds {
    std::set<std::int32_t> ids;
    // The file could not be read, or a devid holds too many digits: the IDs before it are kept.
    std::optional<std::string> failure;
};

// Reads the used IDs from emcyword.xml (any letter case); an absent file gives none, silently.
UsedEmcyIds LoadUsedEmcyIds(const std::filesystem::path& emcyWordFile);

// Delete's check: "Error ! ID Emcy assigned to Emcy Word" when DigitsOnlyValue of the entry's
// id_dev is a used ID (so "ID 12" is the word ID 12). Throws ConversionError for an id_dev
// with too many digits.
std::optional<std::string> CheckEmcyDelete(const TClEmcy& entry, const UsedEmcyIds& used);

}  // namespace telvanor
