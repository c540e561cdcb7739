#pragma once

#include <string_view>

namespace telvanor {

// RInfoCob.xml and TInfoCob.xml: the receive and transmit register maps, one row per
// register mapping, ordered by the integer value of Index.
inline constexpr std::string_view kRInfoCobFile = "RInfoCob.xml";
inline constexpr std::string_view kTInfoCobFile = "TInfoCob.xml";
// The main window's steps that edit them: the two "Define NMEA" buttons, by their
// accessible names.
inline constexpr std::string_view kRInfoCobStep = "Define NMEA (receive)";
inline constexpr std::string_view kTInfoCobStep = "Define NMEA (transmit)";

namespace infocob_xml {

// The roots the register map windows write; no reader checks them. They also name the
// map's CSV export and the worksheet its import reads.
inline constexpr std::string_view kReceiveRoot = "RInfoCob";
inline constexpr std::string_view kTransmitRoot = "TInfoCob";

inline constexpr std::string_view kIndex = "Index";  // the Modbus register
inline constexpr std::string_view kNrPdo = "NrPdo";  // the frame number of the mapped frame
// The packed 1-based frame byte positions of the register's high and low byte.
inline constexpr std::string_view kPosComp = "PosComp";
// Transmit map only: "0" or "1", whether the register's write sends the frame.
inline constexpr std::string_view kWrite_J1939 = "Write_J1939";

// Where the register map windows show each attribute: the frame list (the mapping's frame),
// the Index edit, the two byte selectors and the transmit map's write choice.
inline constexpr std::string_view kFrameListCaption = "Correlated";
inline constexpr std::string_view kIndexCaption = "Index MODBUS";
inline constexpr std::string_view kHighByteCaption = "High MODBUS Byte";
inline constexpr std::string_view kLowByteCaption = "Low MODBUS Byte";
inline constexpr std::string_view kWrite_J1939Caption = "Write NMEA2000 Frame";

}  // namespace infocob_xml

}  // namespace telvanor
