#include "dormant/emcy_word/emcy_word_file.h"

#include <optional>

#include "project/file_lookup.h"
#include "project/xml_document.h"

namespace telvanor {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kEmcyWordRoot = "emcyword";
constexpr std::size_t kFirstBitAttribute = 4;

std::array<std::string, kEmcyWordAttributeCount> makeAttributes() {
    std::array<std::string, kEmcyWordAttributeCount> names{"index_addrm", "subindex", "extdata", "devid"};
    for (std::size_t bit = 0; bit < kEmcyWordBits; ++bit) {
        std::string prefix = "bit" + std::to_string(bit) + "_";
        names[kFirstBitAttribute + 3 * bit] = prefix + "b0";
        names[kFirstBitAttribute + 3 * bit + 1] = prefix + "b1";
        names[kFirstBitAttribute + 3 * bit + 2] = prefix + "poscomp";
    }
    return names;
}

// The texts of a word in attribute order. subindex and extdata are not the word's (null): the
// save writes them as "0" whatever the file held, the load does not read them.
template <typename Word>
auto wordTexts(Word& word) {
    std::array<decltype(&word.devid), kEmcyWordAttributeCount> texts{&word.index_addrm, nullptr, nullptr, &word.devid};
    for (std::size_t bit = 0; bit < kEmcyWordBits; ++bit) {
        texts[kFirstBitAttribute + 3 * bit] = &word.bits[bit].b0;
        texts[kFirstBitAttribute + 3 * bit + 1] = &word.bits[bit].b1;
        texts[kFirstBitAttribute + 3 * bit + 2] = &word.bits[bit].poscomp;
    }
    return texts;
}

}  // namespace

const std::array<std::string, kEmcyWordAttributeCount>& emcyWordAttributes() {
    static const std::array<std::string, kEmcyWordAttributeCount> names = makeAttributes();
    return names;
}

EmcyWordLoad LoadEmcyWords(const fs::path& path) {
    EmcyWordLoad load;
    std::optional<fs::path> file = findFileNoCase(path);
    if (!file) return load;
    load.outcome = EmcyFileOutcome::Failed;
    XmlDocument document;
    if (std::optional<std::string> failure = loadEmcyDocument(document, *file)) {
        load.failure = *failure;
        return load;
    }
    const auto& names = emcyWordAttributes();
    std::vector<XmlElement> rows = document.documentElement()->children();
    for (std::size_t index = 0; index < rows.size(); ++index) {
        TClWEmcy word;
        auto texts = wordTexts(word);
        for (std::size_t attribute = 0; attribute < names.size(); ++attribute) {
            if (!texts[attribute]) continue;
            std::optional<std::string> value = rows[index].attribute(names[attribute]);
            if (!value) {
                load.failure = "Error in reading file " + file->string() + ": row " + std::to_string(index + 1) +
                               " has no attribute " + names[attribute];
                return load;
            }
            *texts[attribute] = std::move(*value);
        }
        load.table.appendNumbered(std::move(word));
    }
    load.outcome = EmcyFileOutcome::Loaded;
    return load;
}

void SaveEmcyWords(const fs::path& file, const std::vector<TClWEmcy>& words) {
    // The order is complete before anything is written: an index that is not an integer
    // leaves the old file as it was.
    std::vector<std::size_t> order = EmcyWordSaveOrder(words);
    const auto& names = emcyWordAttributes();
    XmlDocument document;
    XmlElement root = document.createRoot(kEmcyWordRoot);
    for (std::size_t position : order) {
        auto texts = wordTexts(words[position]);
        XmlElement row = root.appendChild("row");
        for (std::size_t attribute = 0; attribute < names.size(); ++attribute)
            row.setAttribute(names[attribute], texts[attribute] ? std::string_view(*texts[attribute]) : "0");
    }
    document.save(writeTargetNoCase(file));
}

}  // namespace telvanor
