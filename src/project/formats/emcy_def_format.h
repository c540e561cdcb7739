#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "project/formats/row_field.h"

namespace telvanor {

// emcydef.xml: the EMCY translation table. Per emergency message source, compare values and
// enable masks for the fields of an emergency message. Nothing else in the program reads it.
inline constexpr std::string_view kEmcyDefFile = "emcydef.xml";

// One entry, its texts exactly as typed or read.
struct TClEmcy {
    std::string id_dev;      // the source, "ID_EMCY" (1..127)
    std::string mask_eq_ec;  // compare value of the error code (0..65535)
    std::string mask_eq_er;  // of the error register (0..255)
    std::string mask_eq_m1;  // of the manufacturer fields Manu1, Manu2 (0..65535) and Manu3 (0..255)
    std::string mask_eq_m2;
    std::string mask_eq_m3;
    std::string enmask_eq_ec;  // the enable masks of the same fields
    std::string enmask_eq_er;
    std::string enmask_eq_m1;
    std::string enmask_eq_m2;
    std::string enmask_eq_m3;
    // Always 0 as this window makes entries.
    std::int32_t bypass_set = 0;

    bool operator==(const TClEmcy&) const = default;
};

namespace emcydef_xml {

inline constexpr std::string_view kRoot = "emcydef";
inline constexpr std::string_view kId_dev = "id_dev";

}  // namespace emcydef_xml

// The eleven text fields in the order of the file's attributes, the CSV columns and the
// worksheet columns; all are required. bypass_set follows them.
inline constexpr std::array<RowField<TClEmcy>, 11> kEmcyFields{{
    {emcydef_xml::kId_dev, &TClEmcy::id_dev},
    {"mask_eq_ec", &TClEmcy::mask_eq_ec},
    {"mask_eq_er", &TClEmcy::mask_eq_er},
    {"mask_eq_m1", &TClEmcy::mask_eq_m1},
    {"mask_eq_m2", &TClEmcy::mask_eq_m2},
    {"mask_eq_m3", &TClEmcy::mask_eq_m3},
    {"enmask_eq_ec", &TClEmcy::enmask_eq_ec},
    {"enmask_eq_er", &TClEmcy::enmask_eq_er},
    {"enmask_eq_m1", &TClEmcy::enmask_eq_m1},
    {"enmask_eq_m2", &TClEmcy::enmask_eq_m2},
    {"enmask_eq_m3", &TClEmcy::enmask_eq_m3},
}};
inline constexpr std::string_view kBypassSet = "bypass_set";

}  // namespace telvanor
