#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "project/formats/emcy_word_format.h"

namespace telvanor {

// The EMCY word table (emcyword.xml): 16-bit words, each belonging to an emergency message
// source (the id_dev of an EMCY translation entry) and defining, per bit, two mask bytes and
// the two EMCY byte numbers they are taken from. Only the EMCY translation window reads it, to
// keep the IDs of its words from being deleted.

inline constexpr std::size_t kEmcyWordBits = emcyword_xml::kBits;
// A word's node in the tree and its sixteen bit nodes.
inline constexpr std::size_t kNodesPerWord = 1 + kEmcyWordBits;

// One bit of a word, its texts exactly as typed or read.
struct ClEbm {
    std::string b0;  // "Mask Byte 1"
    std::string b1;  // "Mask byte 2"
    // The decimal text of (E1 × 16 + E2) kept to 16 bits, E1 being "Emcy byte 1" and E2
    // "Emcy Byte 2".
    std::string poscomp;

    bool operator==(const ClEbm&) const = default;
};

struct TClWEmcy {
    std::string index_addrm;  // the word's index
    std::string devid;        // "Id Emcy": the EMCY source the word belongs to
    std::array<ClEbm, kEmcyWordBits> bits;

    bool operator==(const TClWEmcy&) const = default;
};

// The table as the window's tree shows it: the words in list order, and for each the number in
// its node's caption ("W" + number). A word's number is its list position when the table is
// loaded or imported; New takes the last word's number + 1 (0 for an empty table). Numbers are
// never renumbered, so after a delete they may leave gaps.
struct EmcyWordTable {
    std::vector<TClWEmcy> words;
    std::vector<int> numbers;

    // Appends a word with the number of the words already in the list, as load and import do.
    void appendNumbered(TClWEmcy word);
};

// A node of the tree by its number, counting every node from 0 in display order: the word
// at list position k has the number 17 × k and its bit n the number 17 × k + 1 + n.
struct EmcyNode {
    std::size_t word = 0;
    std::optional<std::size_t> bit;  // nothing for a word node

    bool operator==(const EmcyNode&) const = default;
};
EmcyNode emcyNodeAt(std::size_t nodeNumber);
std::size_t emcyNodeNumber(EmcyNode node);

// The captions of the detail groups for the selected node: "Word n°" + the word's position +
// " Emcy Define " and "Mask BIT n°" + the node number (not the bit number) + " Define".
std::string wordGroupCaption(std::size_t nodeNumber);
std::string bitGroupCaption(std::size_t nodeNumber);
// The word node's caption: "W" + its number; a bit node's "Bit" + the bit number.
std::string wordNodeCaption(int number);
std::string bitNodeCaption(std::size_t bit);

// What the detail edits show for a node: the word's index and ID, and for a bit node its mask
// bytes and the two EMCY byte numbers of its poscomp (DigitsOnlyValue kept to 16 bits: the
// value ÷ 16 and the value mod 16); "0" in those four for a word node. Throws ConversionError
// for a poscomp with too many digits.
struct EmcyNodeTexts {
    std::string index_addrm;
    std::string devid;
    std::string b0 = "0";
    std::string b1 = "0";
    std::string emcyByte1 = "0";
    std::string emcyByte2 = "0";
};
EmcyNodeTexts emcyNodeTexts(const TClWEmcy& word, std::optional<std::size_t> bit);

// Leaving the "Id Emcy" edit: its text becomes the decimal text of its DigitsOnlyValue; above
// 127 the message "Error !Max value 127" is given, but the value stays. Throws ConversionError
// for a run of digits too long for 32 bits.
struct IdEmcyExit {
    std::string text;
    std::optional<std::string> message;
};
IdEmcyExit CheckIdEmcy(std::string_view typed);

// Adds a word at the end: index_addrm 1 + the largest of 0 and the integer values of the
// words' indexes (a text that is not an integer counting as 0), devid "0", every bit text "0".
// Gives the new word.
const TClWEmcy& NewEmcyWord(EmcyWordTable& table);

// Modify of a word node: "Index ' not vaid" for an empty index, "Index already Exists" when
// another word has exactly this index text (texts compared as they stand, so 07 and 7
// differ); either leaves the word unchanged. Otherwise sets the index and the ID, an empty ID
// becoming "0".
std::optional<std::string> ModifyEmcyWord(EmcyWordTable& table, std::size_t word, std::string_view index,
                                          std::string_view id);

// Modify of a bit node: sets b0 and b1, then reads the two EMCY byte numbers by the integer
// text rule and sets poscomp to (E1 × 16 + E2) kept to 16 bits; no range is checked. A number
// that is not an integer throws ConversionError with b0 and b1 already set.
struct EmcyBitEdit {
    std::string b0;
    std::string b1;
    std::string emcyByte1;
    std::string emcyByte2;
};
void ModifyEmcyBit(TClWEmcy& word, std::size_t bit, const EmcyBitEdit& edit);

void DeleteEmcyWord(EmcyWordTable& table, std::size_t word);

// The order in which the save writes the words: ascending integer value of index_addrm, among
// equal values the later word first. Throws ConversionError for the first index, in list
// order, that is not an integer.
std::vector<std::size_t> EmcyWordSaveOrder(const std::vector<TClWEmcy>& words);

}  // namespace telvanor
