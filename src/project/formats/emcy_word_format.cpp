#include "project/formats/emcy_word_format.h"

namespace telvanor {

namespace {

std::array<std::string, kEmcyWordAttributeCount> makeAttributes() {
    using namespace emcyword_xml;
    std::array<std::string, kEmcyWordAttributeCount> names{std::string(kIndex_addrm), std::string(kSubindex),
                                                           std::string(kExtdata), std::string(kDevid)};
    for (std::size_t bit = 0; bit < kBits; ++bit) {
        std::string prefix = "bit" + std::to_string(bit) + "_";
        std::size_t first = kFirstBitAttribute + kAttributesPerBit * bit;
        names[first] = prefix + "b0";
        names[first + 1] = prefix + "b1";
        names[first + 2] = prefix + "poscomp";
    }
    return names;
}

}  // namespace

const std::array<std::string, kEmcyWordAttributeCount>& emcyWordAttributes() {
    static const std::array<std::string, kEmcyWordAttributeCount> names = makeAttributes();
    return names;
}

}  // namespace telvanor
