#include "image/image_words.h"

#include "catalogue/pgn_catalogue.h"
#include "image/printf_text.h"
#include "project/parameter_lists.h"

namespace telvanor {

namespace {

using P = ParametersRecord;

template <std::size_t N>
std::string listEntry(const std::array<std::string_view, N>& list, std::uint32_t position, const char* unit) {
    if (position < N) return std::string(list[position]) + unit;
    return printfText("unknown (%u)", position);
}

std::string onOff(std::uint32_t value) {
    if (value == 0) return "off";
    if (value == 1) return "on";
    return printfText("on (%u)", value);
}

std::string plain(std::uint32_t value) { return std::to_string(value); }
std::string milliseconds(std::uint32_t value) { return printfText("%u ms", value); }

std::string canBitRate(std::uint32_t value) {
    return value >= 1 ? listEntry(kCanBitRates, value - 1, " kbit/s") : printfText("unknown (%u)", value);
}

std::string canType(std::uint32_t value) {
    if (value == 0) return "11-bit (CAN 2.0A)";
    if (value == 1) return "29-bit (CAN 2.0B)";
    return printfText("unknown (%u)", value);
}

std::string serialLine(std::uint32_t value) {
    if (value == 1) return "RS232";
    if (value == 0) return "RS485";
    return printfText("unknown (%u)", value);
}

std::string hardware(std::uint32_t value) {
    if (value == 0) return "variant A1 (RM40915-A1)";
    if (value == 1) return "variant B2 (RM40915-B2)";
    return printfText("unknown (%u)", value);
}

}  // namespace

std::string pgnWords(std::uint32_t dataPage, std::uint32_t pgn) {
    std::uint32_t full = fullPgn(dataPage, pgn);
    return printfText("0x%04X / %u", full, full);
}

std::string pgnName(std::uint32_t dataPage, std::uint32_t pgn) {
    const PgnInfo* info = PgnCatalogue::builtIn().find(fullPgn(dataPage, pgn));
    return info ? info->displayName() : std::string();
}

std::string framingWords(std::uint32_t flags) {
    if (flags == 0) return "single frame";
    std::string text;
    if (flags & kMultiPacketFlag) text = "multi-packet";
    if (flags & kFastPacketFlag) text += text.empty() ? "fast packet" : " + fast packet";
    if (flags & ~std::uint32_t{kMultiPacketFlag | kFastPacketFlag})
        text += printfText("%s(flags 0x%02X)", text.empty() ? "" : " ", flags);
    return text;
}

std::string bytePositionWords(std::uint32_t position) {
    return position == 0 ? std::string("none") : printfText("byte %u", position);
}

std::string frameList(const std::vector<std::size_t>& frames) {
    std::string text;
    for (std::size_t frame : frames) text += (text.empty() ? "#" : ", #") + std::to_string(frame);
    return text.empty() ? "no frame" : text;
}

std::string_view yesNo(bool value) { return value ? "yes" : "no"; }

const std::array<ParameterWords, ParametersRecord::fields.size()> kParameterWords = {{
    {P::canBitRate, "CAN bit rate", canBitRate},
    {P::canType, "CAN identifiers", canType},
    {P::serialBaudRate, "serial baud rate", [](std::uint32_t v) { return listEntry(kSerialBaudRates, v, " baud"); }},
    {P::parity, "parity", [](std::uint32_t v) { return listEntry(kParities, v, ""); }},
    {P::modbusDeviceId, "Modbus device ID", plain},
    {P::serialTimeout, "serial time-out", milliseconds},
    {P::dataTimeout, "data time-out", [](std::uint32_t v) { return printfText("%u s", v); }},
    {P::dataTimeoutRegister, "data time-out Modbus register", plain},
    {P::peerToPeer, "peer to peer", onOff},
    {P::rs232, "serial line", serialLine},
    {P::writeOnRequest, "write NMEA on request", onOff},
    {P::remoteRequest, "remote request", onOff},
    {P::priorityRegister, "priority and destination register", plain},
    {P::pgn1Register, "PGN part 1 register", plain},
    {P::pgn2Register, "PGN part 2 register", plain},
    {P::sourceAddressRegister, "source address register", plain},
    {P::sendEvery, "send frame every", onOff},
    {P::sendPeriod, "send period", milliseconds},
    {P::hardwareType, "hardware", hardware},
    {P::receiveFrames, "receive frames (count)", plain},
    {P::transmitFrames, "transmit frames (count)", plain},
    {P::receiveMappings, "receive mappings (count)", plain},
    {P::transmitMappings, "transmit mappings (count)", plain},
}};

}  // namespace telvanor
