#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "dormant/emcy_translation/emcy_translation_file.h"
#include "dormant/emcy_word/emcy_word.h"
#include "project/formats/emcy_word_format.h"

namespace telvanor {

// What loading emcyword.xml gives; after a failure the words read before it.
struct EmcyWordLoad {
    EmcyFileOutcome outcome = EmcyFileOutcome::NoFile;
    EmcyWordTable table;
    // Why the load failed; the window shows kEmcyFileReadError, then what `loss` says.
    std::string failure;
    LoadLoss loss;  // the rows the load left out
};

// Reads emcyword.xml (found in any letter case): one word per child of the root element, in
// order, numbered by its position. index_addrm, devid and the 48 bit attributes are required;
// subindex and extdata are not read.
EmcyWordLoad LoadEmcyWords(const std::filesystem::path& file);

// Rewrites emcyword.xml whole: root emcyword, one row per word in EmcyWordSaveOrder with the
// 52 attributes, subindex and extdata "0". Nothing is written when an index is not an integer
// (ConversionError) or the file cannot be written (FileError).
void SaveEmcyWords(const std::filesystem::path& file, const std::vector<TClWEmcy>& words);

}  // namespace telvanor
