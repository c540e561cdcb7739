#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "editors/register_map/register_map.h"

namespace telvanor {

// What a mapping line shows after its own text ("Ind MB 0"): the register in decimal and
// hexadecimal, then the frame bytes of the high and the low byte as the byte selectors name
// them: "26 (0x1A)   B2 / B1", "27 (0x1B)   none / Byte12". An Index or a PosComp that is not
// a number is shown as stored.
std::string mappingDetails(MapKind kind, const TClPdo& frame, const TClIndMB& mapping);

// The register "Index MODBUS" offers while it is empty: the one after the highest register
// the map uses, or, when 65535 is used, the lowest free one; 0 for a map without mappings;
// nothing when every register from 0 to 65535 is used. Indexes that are not numbers or lie
// outside that range are passed over.
std::optional<std::int32_t> nextFreeRegister(const RegisterMap& map);

}  // namespace telvanor
