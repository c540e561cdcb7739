#pragma once

#include <array>
#include <string_view>

namespace telvanor {

// pargen.xml: the communication parameters, one child element of the root per parameter,
// each holding only text. Readers find the elements by name, so their order is the writer's.
inline constexpr std::string_view kPargenFile = "pargen.xml";
// The main window's step that edits it, as its button says.
inline constexpr std::string_view kPargenStep = "Set Communication";

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

// Each element's control in the communication parameters window, by the name a screen
// reader says for it. TimeOut_Ser has a control that the window never shows.
inline constexpr std::string_view kBaudRateCANControl = "Baud rate (NMEA2000)";
inline constexpr std::string_view kCANTypeControl = "CAN Bus 2.0B (CobID 29Bit)";
inline constexpr std::string_view kBaud_SerControl = "Baud rate (Serial)";
inline constexpr std::string_view kPar_SerControl = "Parity";
inline constexpr std::string_view kIDDev_SerControl = "Dev ID";
inline constexpr std::string_view kTimeOut_SerControl = "Timeout  (ms)";
inline constexpr std::string_view kTimeOut_DataControl = "TimeOut Data (Sec.)";
inline constexpr std::string_view kTO_ModRegControl = "Modbus Register";
inline constexpr std::string_view kPeer_to_PeerControl = "Peer to Peer";
inline constexpr std::string_view kSerialControl = "RS485";
inline constexpr std::string_view kWrite_J1939Control = "Enable write NMEA on request";
inline constexpr std::string_view kEn_Rem_ReqControl = "Enable Remote Request";
inline constexpr std::string_view kPri_DesControl = "Priority and Destiantion";
inline constexpr std::string_view kPGN1Control = "PGN Part 1";
inline constexpr std::string_view kPGN2Control = "PGN Part 2";
inline constexpr std::string_view kSAControl = "Source Address";
inline constexpr std::string_view kSend_EveryControl = "Send Frame Every";
inline constexpr std::string_view kSE_msControl = "Send Frame Every (ms)";
inline constexpr std::string_view kHW_TypeControl = "Hardware";

struct ParameterControl {
    std::string_view element;
    std::string_view control;
};

inline constexpr std::array<ParameterControl, 19> kControls = {{
    {kBaudRateCAN, kBaudRateCANControl},
    {kCANType, kCANTypeControl},
    {kBaud_Ser, kBaud_SerControl},
    {kPar_Ser, kPar_SerControl},
    {kIDDev_Ser, kIDDev_SerControl},
    {kTimeOut_Ser, kTimeOut_SerControl},
    {kTimeOut_Data, kTimeOut_DataControl},
    {kTO_ModReg, kTO_ModRegControl},
    {kPeer_to_Peer, kPeer_to_PeerControl},
    {kSerial, kSerialControl},
    {kWrite_J1939, kWrite_J1939Control},
    {kEn_Rem_Req, kEn_Rem_ReqControl},
    {kPri_Des, kPri_DesControl},
    {kPGN1, kPGN1Control},
    {kPGN2, kPGN2Control},
    {kSA, kSAControl},
    {kSend_Every, kSend_EveryControl},
    {kSE_ms, kSE_msControl},
    {kHW_Type, kHW_TypeControl},
}};

}  // namespace pargen_xml

}  // namespace telvanor
