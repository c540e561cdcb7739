#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "image/image_format.h"

namespace telvanor {

// The words in which dump and diff show the values of an image.

// A PGN with its data page, as the report writes it: "0x1F801 / 129025".
std::string pgnWords(std::uint32_t dataPage, std::uint32_t pgn);

// The catalogue's name of the PGN, or "" when the catalogue does not know it.
std::string pgnName(std::uint32_t dataPage, std::uint32_t pgn);

// "single frame", "multi-packet", "fast packet", "multi-packet + fast packet"; other bits in hex.
std::string framingWords(std::uint32_t flags);

// A frame byte position: "byte 3", or "none" for 0.
std::string bytePositionWords(std::uint32_t position);

// Frame numbers as "#1, #3", or "no frame".
std::string frameList(const std::vector<std::size_t>& frames);

// "yes" or "no".
std::string_view yesNo(bool value);

// One parameter of the parameters section: its field, what it is called and how its stored
// value reads.
struct ParameterWords {
    ImageField field;
    std::string_view label;
    std::string (*words)(std::uint32_t stored);
};
extern const std::array<ParameterWords, ParametersRecord::fields.size()> kParameterWords;

}  // namespace telvanor
