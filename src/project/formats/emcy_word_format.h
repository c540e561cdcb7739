#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace telvanor {

// emcyword.xml: the EMCY word table, one row per 16-bit word with three attributes per bit.
inline constexpr std::string_view kEmcyWordFile = "emcyword.xml";

namespace emcyword_xml {

inline constexpr std::string_view kRoot = "emcyword";

inline constexpr std::string_view kIndex_addrm = "index_addrm";
inline constexpr std::string_view kSubindex = "subindex";  // written "0", never read
inline constexpr std::string_view kExtdata = "extdata";    // written "0", never read
inline constexpr std::string_view kDevid = "devid";

// Each bit n has the attributes "bit" n "_b0", "_b1" and "_poscomp", in that order, after
// the four above.
inline constexpr std::size_t kBits = 16;
inline constexpr std::size_t kFirstBitAttribute = 4;
inline constexpr std::size_t kAttributesPerBit = 3;

}  // namespace emcyword_xml

// The 52 attributes of a row, in the file's order, which is also the CSV title line:
// index_addrm, subindex, extdata, devid, then bit0_b0, bit0_b1, bit0_poscomp and so on to
// bit15_poscomp.
inline constexpr std::size_t kEmcyWordAttributeCount =
    emcyword_xml::kFirstBitAttribute + emcyword_xml::kAttributesPerBit * emcyword_xml::kBits;
const std::array<std::string, kEmcyWordAttributeCount>& emcyWordAttributes();

}  // namespace telvanor
