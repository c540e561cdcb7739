#include "dormant/emcy_word/emcy_word.h"

#include <cstdint>

#include "dormant/emcy_translation/emcy_translation.h"
#include "project/digits_only_value.h"
#include "project/integer_text.h"
#include "project/text_order.h"

namespace telvanor {

namespace {

constexpr std::int32_t kMaxEmcyId = 127;
constexpr std::uint32_t kPosCompBits = 0xFFFF;

std::vector<std::string_view> indexTexts(const std::vector<TClWEmcy>& words) {
    std::vector<std::string_view> texts;
    texts.reserve(words.size());
    for (const TClWEmcy& word : words) texts.push_back(word.index_addrm);
    return texts;
}

}  // namespace

void EmcyWordTable::appendNumbered(TClWEmcy word) {
    numbers.push_back(static_cast<int>(words.size()));
    words.push_back(std::move(word));
}

EmcyNode emcyNodeAt(std::size_t nodeNumber) {
    std::size_t within = nodeNumber % kNodesPerWord;
    return {nodeNumber / kNodesPerWord, within == 0 ? std::nullopt : std::optional<std::size_t>(within - 1)};
}

std::size_t emcyNodeNumber(EmcyNode node) { return node.word * kNodesPerWord + (node.bit ? *node.bit + 1 : 0); }

std::string wordGroupCaption(std::size_t nodeNumber) {
    return "Word n°" + std::to_string(nodeNumber / kNodesPerWord) + " Emcy Define ";
}

std::string bitGroupCaption(std::size_t nodeNumber) { return "Mask BIT n°" + std::to_string(nodeNumber) + " Define"; }

std::string wordNodeCaption(int number) { return "W" + std::to_string(number); }

std::string bitNodeCaption(std::size_t bit) { return "Bit" + std::to_string(bit); }

EmcyNodeTexts emcyNodeTexts(const TClWEmcy& word, std::optional<std::size_t> bit) {
    EmcyNodeTexts texts;
    texts.index_addrm = word.index_addrm;
    texts.devid = word.devid;
    if (!bit) return texts;
    const ClEbm& definition = word.bits.at(*bit);
    texts.b0 = definition.b0;
    texts.b1 = definition.b1;
    std::uint32_t value = static_cast<std::uint32_t>(DigitsOnlyValue(definition.poscomp)) & kPosCompBits;
    texts.emcyByte1 = std::to_string(value / 16);
    texts.emcyByte2 = std::to_string(value % 16);
    return texts;
}

IdEmcyExit CheckIdEmcy(std::string_view typed) {
    std::int32_t value = DigitsOnlyValue(typed);
    IdEmcyExit exit{std::to_string(value), std::nullopt};
    if (value > kMaxEmcyId) exit.message = "Error !Max value 127";
    return exit;
}

const TClWEmcy& NewEmcyWord(EmcyWordTable& table) {
    TClWEmcy word;
    word.index_addrm = OneAboveLargest(indexTexts(table.words));
    word.devid = "0";
    for (ClEbm& bit : word.bits) bit = {"0", "0", "0"};
    table.numbers.push_back(table.numbers.empty() ? 0 : table.numbers.back() + 1);
    table.words.push_back(std::move(word));
    return table.words.back();
}

std::optional<std::string> ModifyEmcyWord(EmcyWordTable& table, std::size_t word, std::string_view index,
                                          std::string_view id) {
    if (index.empty()) return "Index ' not vaid";
    for (std::size_t other = 0; other < table.words.size(); ++other)
        if (other != word && table.words[other].index_addrm == index) return "Index already Exists";
    TClWEmcy& changed = table.words.at(word);
    changed.index_addrm = index;
    changed.devid = id.empty() ? std::string("0") : std::string(id);
    return std::nullopt;
}

void ModifyEmcyBit(TClWEmcy& word, std::size_t bit, const EmcyBitEdit& edit) {
    ClEbm& definition = word.bits.at(bit);
    definition.b0 = edit.b0;
    definition.b1 = edit.b1;
    // Unsigned, so that a large E1 wraps instead of overflowing; the low 16 bits are the same.
    std::uint32_t high = static_cast<std::uint32_t>(integerText(edit.emcyByte1));
    std::uint32_t low = static_cast<std::uint32_t>(integerText(edit.emcyByte2));
    definition.poscomp = std::to_string((high * 16 + low) & kPosCompBits);
}

void DeleteEmcyWord(EmcyWordTable& table, std::size_t word) {
    table.words.erase(table.words.begin() + static_cast<std::ptrdiff_t>(word));
    table.numbers.erase(table.numbers.begin() + static_cast<std::ptrdiff_t>(word));
}

std::vector<std::size_t> EmcyWordSaveOrder(const std::vector<TClWEmcy>& words) {
    return AscendingTextOrder(indexTexts(words));
}

}  // namespace telvanor
