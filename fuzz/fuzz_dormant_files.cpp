#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "dormant/emcy_translation/emcy_translation.h"
#include "dormant/emcy_translation/emcy_translation_exchange.h"
#include "dormant/emcy_translation/emcy_translation_file.h"
#include "dormant/emcy_word/emcy_word.h"
#include "dormant/emcy_word/emcy_word_exchange.h"
#include "dormant/emcy_word/emcy_word_file.h"
#include "dormant/sdo/sdo_exchange.h"
#include "dormant/sdo/sdo_table.h"
#include "dormant/transmit_pdo/transmit_pdo.h"
#include "fuzz_input.h"
#include "project/integer_text.h"
#include "project/workspace.h"

namespace fs = std::filesystem;
using namespace telvanor;

namespace {

// What an editor refuses to save (a text that is not an integer) is no fault of the reader.
template <typename Action>
bool refusesConversion(Action action) {
    try {
        action();
        return false;
    } catch (const ConversionError&) {
        return true;
    }
}

void sdoTable(const fs::path& file, const fs::path& saved) {
    SdoTableLoad load = LoadSdoTable(file);
    std::vector<SdoRow> rows = load.rows;
    if (refusesConversion([&] { (void)ValidateSdoTable(rows); })) return;
    if (refusesConversion([&] { (void)sdoTableCsv(rows); })) return;
    if (refusesConversion([&] { SaveSdoTable(saved, rows); })) return;
    // The saved table holds the same rows, ordered by Addr Word.
    if (LoadSdoTable(saved).rows.size() != SdoTableLength(rows)) std::abort();
}

void transmitPdo(const fs::path& file, const fs::path& saved) {
    TransmitPdoLoad load = LoadTransmitPdo(file);
    if (!ValidateTransmitPdo(load.rows).empty()) return;
    if (SaveTransmitPdo(saved, load.rows)) std::abort();
    std::vector<TransmitPdoRow> kept(load.rows.begin(),
                                     load.rows.begin() + static_cast<std::ptrdiff_t>(TransmitPdoLength(load.rows)));
    if (LoadTransmitPdo(saved).rows != kept) std::abort();
}

void emcyTranslation(const fs::path& file, const fs::path& wordFile, const fs::path& saved) {
    EmcyDefLoad load = LoadEmcyDef(file);
    (void)NextEmcyId(load.entries);
    UsedEmcyIds used = LoadUsedEmcyIds(wordFile);
    for (const TClEmcy& entry : load.entries) (void)refusesConversion([&] { (void)CheckEmcyDelete(entry, used); });
    (void)emcyDefCsv(load.entries);
    if (refusesConversion([&] { SaveEmcyDef(saved, load.entries); })) return;
    // Loading keeps one entry per ID text, so every entry survives its save.
    if (LoadEmcyDef(saved).entries.size() != load.entries.size()) std::abort();
}

void emcyWords(const fs::path& file, const fs::path& saved) {
    EmcyWordLoad load = LoadEmcyWords(file);
    (void)emcyWordCsv(load.table.words);
    for (const TClWEmcy& word : load.table.words) (void)refusesConversion([&] { (void)CheckIdEmcy(word.devid); });
    if (refusesConversion([&] { SaveEmcyWords(saved, load.table.words); })) return;
    if (LoadEmcyWords(saved).table.words.size() != load.table.words.size()) std::abort();
    EmcyWordTable grown = load.table;
    (void)NewEmcyWord(grown);
    if (grown.words.size() != load.table.words.size() + 1) std::abort();
}

}  // namespace

// The readers of the editors that no step shows yet, on four files from the fuzzer (separated
// by kFileSeparator: sdo.xml, Transmit_Pdo.xml, emcydef.xml, emcyword.xml). Nothing may crash,
// and what an editor saves must read back.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const fs::path project = fuzz::scratchFolder("dormant");
    static const fs::path saved = fuzz::scratchFolder("dormant-saved");
    static const std::string_view names[] = {kSdoFile, kTransmitPdoFile, kEmcyDefFile, kEmcyWordFile};
    std::vector<std::string> files = fuzz::splitFiles(data, size, 4);
    for (std::size_t i = 0; i < 4; ++i) {
        fs::path file = project / std::string(names[i]);
        if (files[i].empty())
            fs::remove(file);
        else
            std::ofstream(file, std::ios::binary | std::ios::trunc) << files[i];
    }
    sdoTable(project / std::string(kSdoFile), saved / std::string(kSdoFile));
    transmitPdo(project / std::string(kTransmitPdoFile), saved / std::string(kTransmitPdoFile));
    emcyTranslation(project / std::string(kEmcyDefFile), project / std::string(kEmcyWordFile),
                    saved / std::string(kEmcyDefFile));
    emcyWords(project / std::string(kEmcyWordFile), saved / std::string(kEmcyWordFile));
    return 0;
}
