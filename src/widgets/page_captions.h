#pragma once

namespace telvanor {

// The captions of the single tab page that frames an editor's controls: the gateway's CAN
// side named after the bus each editor serves.
inline constexpr const char* kCan0PageCaption = "Can0-ModBus";
inline constexpr const char* kCanAPageCaption = "CanA-ModBus";

}  // namespace telvanor
