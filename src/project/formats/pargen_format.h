#pragma once

#include <array>
#include <string_view>

namespace telvanor {

// pargen.xml: the communication parameters, one child element of the root per parameter,
// each holding only text. Readers find the elements by name, so their order is the writer's.
inline constexpr std::string_view kPargenFile = "pargen.xml";

namespace pargen_xml {

inline constexpr std::string_view kRoot = "GeneralParameter";

inline constexpr std::string_view kBaudRateCAN = "BaudRateCAN";
inline constexpr std::string_view kCANType = "CANType";
inline constexpr std::string_view kBaud_Ser = "Baud_Ser";
inline constexpr std::string_view kPar_Ser = "Par_Ser";
inline constexpr std::string_view kIDDev_Ser = "IDDev_Ser";
inline constexpr std::string_view kTimeOut_Ser = "TimeOut_Ser";
inline constexpr std::string_view kTimeOut_Data = "TimeOut_Data";
inline constexpr std::string_view kTO_ModReg = "TO_ModReg";
inline constexpr std::string_view kPeer_to_Peer = "Peer_to_Peer";
inline constexpr std::string_view kSerial = "Serial";
inline constexpr std::string_view kWrite_J1939 = "Write_J1939";
inline constexpr std::string_view kEn_Rem_Req = "En_Rem_Req";
inline constexpr std::string_view kPri_Des = "Pri_Des";
inline constexpr std::string_view kPGN1 = "PGN1";
inline constexpr std::string_view kPGN2 = "PGN2";
inline constexpr std::string_view kSA = "SA";
inline constexpr std::string_view kSend_Every = "Send_Every";
inline constexpr std::string_view kSE_ms = "SE_ms";
inline constexpr std::string_view kHW_Type = "HW_Type";

// The elements in the order they are written.
inline constexpr std::array<std::string_view, 19> kElements = {
    kBaudRateCAN, kCANType,      kBaud_Ser,   kPar_Ser,     kIDDev_Ser,  kTimeOut_Ser, kTimeOut_Data,
    kTO_ModReg,   kPeer_to_Peer, kSerial,     kWrite_J1939, kEn_Rem_Req, kPri_Des,     kPGN1,
    kPGN2,        kSA,           kSend_Every, kSE_ms,       kHW_Type};

}  // namespace pargen_xml

}  // namespace telvanor
