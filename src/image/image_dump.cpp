#include "image/image_dump.h"

#include <string_view>

#include "catalogue/pgn_catalogue.h"
#include "image/printf_text.h"
#include "project/parameter_lists.h"

namespace telvanor {

namespace {

using Frame = ReceiveFrameRecord;
using ReceiveMapping = ReceiveMappingRecord;
using TransmitMapping = TransmitMappingRecord;
using Parameters = ParametersRecord;

std::string pgnText(std::uint32_t pgn) { return printfText("0x%04X (%u)", pgn, pgn); }

// The catalogue's name of a PGN, set off for the end of a line; empty when unknown.
std::string pgnName(std::uint32_t dataPage, std::uint32_t pgn) {
    const PgnInfo* info = PgnCatalogue::builtIn().find(fullPgn(dataPage, pgn));
    return info ? "  " + std::to_string(info->pgn) + " " + info->displayName() : std::string();
}

std::string bytePosition(std::uint32_t position) {
    return position == 0 ? std::string("none") : printfText("byte %u", position);
}

std::string framing(std::uint32_t flags) {
    if (flags == 0) return "single frame";
    std::string text;
    if (flags & kMultiPacketFlag) text = "multi-packet";
    if (flags & kFastPacketFlag) text += text.empty() ? "fast packet" : " + fast packet";
    if (flags & ~std::uint32_t{kMultiPacketFlag | kFastPacketFlag}) text += printfText(" (flags 0x%02X)", flags);
    return text;
}

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

// A section: its title with the record count, the column titles when there are records, then
// one line per record.
template <typename Line>
std::string describeRecords(const ImageReader& image, ImageSection section, const char* title, const char* columns,
                            Line line) {
    std::size_t count = image.count(section);
    std::string out = printfText("\n%s: %zu\n", title, count);
    if (count > 0) out += columns;
    for (std::size_t i = 0; i < count; ++i) out += line(i, image.record(section, i));
    return out;
}

std::string describeReceiveFrames(const ImageReader& image) {
    return describeRecords(image, ImageSection::ReceiveFrames, "Receive frames",
                           "    #  DP  PGN              SA  framing          start  bytes  data at\n",
                           [&](std::size_t i, const ImageRecord& frame) {
                               return printfText("  %3zu  %2u  %-15s %3u  %-15s %6u %6u %8u%s%s\n", i + 1,
                                                 frame[Frame::dataPage], pgnText(frame[Frame::pgn]).c_str(),
                                                 frame[Frame::sourceAddress], framing(frame[Frame::flags]).c_str(),
                                                 frame[Frame::startByte], frame[Frame::byteCount],
                                                 frame[Frame::dataPosition], image.deleted(i) ? "  deleted" : "",
                                                 pgnName(frame[Frame::dataPage], frame[Frame::pgn]).c_str());
                           });
}

std::string describeTransmitFrames(const ImageReader& image) {
    return describeRecords(image, ImageSection::TransmitFrames, "Transmit frames",
                           "    #  identifier  priority  DP  PGN              SA\n",
                           [](std::size_t i, const ImageRecord& frame) {
                               std::uint32_t identifier = frame[IdentifierRecord::identifier];
                               std::uint32_t dataPage = identifier >> kDataPageShift & 0x3;
                               std::uint32_t pgn = identifier >> kPgnShift & 0xFFFF;
                               return printfText("  %3zu  0x%08X  %8u  %2u  %-15s %3u%s\n", i + 1, identifier,
                                                 identifier >> kPriorityShift & 0x7, dataPage, pgnText(pgn).c_str(),
                                                 identifier & kSourceAddressMask, pgnName(dataPage, pgn).c_str());
                           });
}

// The receive frames whose data begins at a position; frames of no data can share one.
std::string framesAt(const ImageReader& image, std::uint32_t dataPosition) {
    std::string frames;
    for (std::size_t i = 0; i < image.count(ImageSection::ReceiveFrames); ++i) {
        if (image.record(ImageSection::ReceiveFrames, i)[Frame::dataPosition] != dataPosition) continue;
        frames += (frames.empty() ? "#" : ", #") + std::to_string(i + 1);
    }
    return frames.empty() ? "no frame" : frames;
}

std::string describeReceiveMappings(const ImageReader& image) {
    return describeRecords(image, ImageSection::ReceiveMap, "Receive register map",
                           "  register        data at  frame      high byte from  low byte from\n",
                           [&](std::size_t, const ImageRecord& mapping) {
                               std::uint32_t reg = mapping[ReceiveMapping::index];
                               std::uint32_t dataPosition = mapping[ReceiveMapping::dataPosition];
                               return printfText("  %-5u (0x%04X)  %7u  %-10s %-15s %s\n", reg, reg, dataPosition,
                                                 framesAt(image, dataPosition).c_str(),
                                                 bytePosition(mapping[ReceiveMapping::highPosition]).c_str(),
                                                 bytePosition(mapping[ReceiveMapping::lowPosition]).c_str());
                           });
}

std::string describeTransmitMappings(const ImageReader& image) {
    return describeRecords(image, ImageSection::TransmitMap, "Transmit register map",
                           "  register        frame  high byte from  low byte from  write NMEA2000 frame\n",
                           [](std::size_t, const ImageRecord& mapping) {
                               std::uint32_t reg = mapping[TransmitMapping::index];
                               std::uint32_t packed = mapping[TransmitMapping::packedPosition];
                               return printfText("  %-5u (0x%04X)  #%-5u %-15s %-14s %s\n", reg, reg,
                                                 mapping[TransmitMapping::frameNumber],
                                                 bytePosition(packed >> 4).c_str(), bytePosition(packed & 0xF).c_str(),
                                                 mapping[TransmitMapping::writeFrame] ? "yes" : "no");
                           });
}

std::string describeParameters(const ImageReader& image) {
    if (image.count(ImageSection::Parameters) == 0) return "\nParameters: none (the project has no pargen.xml)\n";
    ImageRecord parameters = image.record(ImageSection::Parameters, 0);
    auto line = [](const char* name, const std::string& value) {
        return printfText("  %-34s %s\n", name, value.c_str());
    };
    std::uint32_t canBitRate = parameters[Parameters::canBitRate];
    std::uint32_t canType = parameters[Parameters::canType];
    std::uint32_t rs232 = parameters[Parameters::rs232];
    std::uint32_t hardware = parameters[Parameters::hardwareType];
    std::string out = "\nParameters\n";
    out += line("CAN bit rate", canBitRate >= 1 ? listEntry(kCanBitRates, canBitRate - 1, " kbit/s")
                                                : printfText("unknown (%u)", canBitRate));
    out += line("CAN identifiers", canType == 0   ? "11-bit (CAN 2.0A)"
                                   : canType == 1 ? "29-bit (CAN 2.0B)"
                                                  : printfText("unknown (%u)", canType));
    out += line("serial baud rate", listEntry(kSerialBaudRates, parameters[Parameters::serialBaudRate], " baud"));
    out += line("parity", listEntry(kParities, parameters[Parameters::parity], ""));
    out += line("Modbus device ID", std::to_string(parameters[Parameters::modbusDeviceId]));
    out += line("serial time-out", printfText("%u ms", parameters[Parameters::serialTimeout]));
    out += line("data time-out", printfText("%u s", parameters[Parameters::dataTimeout]));
    out += line("data time-out Modbus register", std::to_string(parameters[Parameters::dataTimeoutRegister]));
    out += line("peer to peer", onOff(parameters[Parameters::peerToPeer]));
    out += line("serial line", rs232 == 1 ? "RS232" : rs232 == 0 ? "RS485" : printfText("unknown (%u)", rs232));
    out += line("write NMEA on request", onOff(parameters[Parameters::writeOnRequest]));
    out += line("remote request", onOff(parameters[Parameters::remoteRequest]));
    out += line("priority and destination register", std::to_string(parameters[Parameters::priorityRegister]));
    out += line("PGN part 1 register", std::to_string(parameters[Parameters::pgn1Register]));
    out += line("PGN part 2 register", std::to_string(parameters[Parameters::pgn2Register]));
    out += line("source address register", std::to_string(parameters[Parameters::sourceAddressRegister]));
    out += line("send frame every", onOff(parameters[Parameters::sendEvery]));
    out += line("send period", printfText("%u ms", parameters[Parameters::sendPeriod]));
    out += line("hardware", hardware == 0   ? "variant A1 (RM40915-A1)"
                            : hardware == 1 ? "variant B2 (RM40915-B2)"
                                            : printfText("unknown (%u)", hardware));
    out +=
        line("counts (receive, transmit, maps)",
             printfText("%u, %u, %u, %u", parameters[Parameters::receiveFrames], parameters[Parameters::transmitFrames],
                        parameters[Parameters::receiveMappings], parameters[Parameters::transmitMappings]));
    return out;
}

std::string describeDeletedSet(const ImageReader& image) {
    std::string frames;
    for (std::size_t row = 0; row < kDeletedSetSize * 8; ++row) {
        if (!image.deleted(row)) continue;
        frames += (frames.empty() ? "#" : ", #") + std::to_string(row + 1);
    }
    return "\nDeleted frames: " + (frames.empty() ? std::string("none") : frames) + "\n";
}

std::string describeIdentifiers(const ImageReader& image) {
    return describeRecords(
        image, ImageSection::Identifiers, "Identifier table", "", [](std::size_t, const ImageRecord& record) {
            std::uint32_t identifier = record[IdentifierRecord::identifier];
            std::uint32_t dataPage = identifier >> kDataPageShift;
            std::uint32_t pgn = identifier >> kPgnShift & 0xFFFF;
            return printfText("  0x%08X  data page %u  PGN %s  source %u%s\n", identifier, dataPage,
                              pgnText(pgn).c_str(), identifier & kSourceAddressMask, pgnName(dataPage, pgn).c_str());
        });
}

}  // namespace

std::string describeImage(const ImageReader& image) {
    std::string out = printfText("Configuration image: %zu bytes\n\nHeader (section offsets)\n", image.bytes().size());
    for (std::size_t i = 0; i < kSectionCount; ++i)
        out += printfText("  %-22s %5u\n", std::string(kSectionNames[i]).c_str(), image.layout().offsets[i]);
    out += describeReceiveFrames(image);
    out += describeTransmitFrames(image);
    out += describeReceiveMappings(image);
    out += describeTransmitMappings(image);
    out += describeParameters(image);
    out += describeDeletedSet(image);
    out += describeIdentifiers(image);
    return out;
}

std::string describeImage(const std::vector<std::uint8_t>& image) { return describeImage(ImageReader(image)); }

}  // namespace telvanor
