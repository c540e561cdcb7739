#include "dormant/emcy_word/emcy_word_file.h"

#include <optional>

#include "project/file_lookup.h"
#include "project/table_file.h"
#include "project/xml_document.h"

namespace telvanor {

namespace fs = std::filesystem;

namespace {

// The texts of a word in attribute order. subindex and extdata are not the word's (null): the
// save writes them as "0" whatever the file held, the load does not read them.
template <typename Word>
auto wordTexts(Word& word) {
    using namespace emcyword_xml;
    std::array<decltype(&word.devid), kEmcyWordAttributeCount> texts{&word.index_addrm, nullptr, nullptr, &word.devid};
    for (std::size_t bit = 0; bit < kEmcyWordBits; ++bit) {
        std::size_t first = kFirstBitAttribute + kAttributesPerBit * bit;
        texts[first] = &word.bits[bit].b0;
        texts[first + 1] = &word.bits[bit].b1;
        texts[first + 2] = &word.bits[bit].poscomp;
    }
    return texts;
}

}  // namespace

EmcyWordLoad LoadEmcyWords(const fs::path& path) {
    EmcyWordLoad load;
    TableFile table = openTableFile(path);
    load.outcome = table.outcome;
    load.failure = table.failure;
    load.loss = std::move(table.loss);
    load.loss.items = "words";
    const auto& names = emcyWordAttributes();
    for (std::size_t index = 0; index < table.rows.size(); ++index) {
        TClWEmcy word;
        auto texts = wordTexts(word);
        for (std::size_t attribute = 0; attribute < names.size(); ++attribute) {
            if (!texts[attribute]) continue;
            std::optional<std::string> value = table.rows[index].attribute(names[attribute]);
            if (!value) {
                load.outcome = TableFileOutcome::Failed;
                load.failure = missingAttributeError(table.file, index + 1, names[attribute]);
                load.loss.stopAt(index + 1, table.rows.size(), "attribute " + names[attribute] + " is missing", false);
                return load;
            }
            *texts[attribute] = std::move(*value);
        }
        load.table.appendNumbered(std::move(word));
    }
    return load;
}

void SaveEmcyWords(const fs::path& file, const std::vector<TClWEmcy>& words) {
    // The order is complete before anything is written: an index that is not an integer
    // leaves the old file as it was.
    std::vector<std::size_t> order = EmcyWordSaveOrder(words);
    const auto& names = emcyWordAttributes();
    XmlDocument document;
    XmlElement root = document.createRoot(emcyword_xml::kRoot);
    for (std::size_t position : order) {
        auto texts = wordTexts(words[position]);
        XmlElement row = root.appendChild(kRowElement);
        for (std::size_t attribute = 0; attribute < names.size(); ++attribute)
            row.setAttribute(names[attribute], texts[attribute] ? std::string_view(*texts[attribute]) : "0");
    }
    document.save(writeTargetNoCase(file));
}

}  // namespace telvanor
