#include "image/image_dump.h"

#include <cstdarg>
#include <cstdio>
#include <string_view>

#include "catalogue/pgn_catalogue.h"
#include "project/parameter_lists.h"

namespace telvanor {

namespace {

constexpr std::array<std::string_view, kSectionCount> kSectionNames = {
    "receive frames", "transmit frames", "receive register map", "transmit register map",
    "parameters",     "deleted set",     "identifier table"};

std::string format(const char* pattern, ...) __attribute__((format(printf, 1, 2)));
std::string format(const char* pattern, ...) {
    char buffer[512];
    va_list arguments;
    va_start(arguments, pattern);
    std::vsnprintf(buffer, sizeof buffer, pattern, arguments);
    va_end(arguments);
    return buffer;
}

class ImageBytes {
public:
    explicit ImageBytes(const std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}
    std::uint32_t u8(std::size_t at) const { return bytes_[at]; }
    std::uint32_t u16(std::size_t at) const { return u8(at) | u8(at + 1) << 8; }
    std::uint32_t u32(std::size_t at) const { return u16(at) | u16(at + 2) << 16; }

private:
    const std::vector<std::uint8_t>& bytes_;
};

std::size_t recordCount(const ImageLayout& layout, std::size_t section, std::size_t recordSize) {
    std::size_t length = layout.offsets[section + 1] - layout.offsets[section];
    if (length % recordSize != 0)
        throw ImageFormatError(
            format("The %s section is %zu bytes long, which is not a whole number of %zu-byte records",
                   std::string(kSectionNames[section]).c_str(), length, recordSize));
    return length / recordSize;
}

void checkCount(const char* what, std::uint32_t stored, std::size_t records) {
    if (stored != records)
        throw ImageFormatError(format("The parameters count %u %s, but the section holds %zu", stored, what, records));
}

std::string pgnText(std::uint32_t pgn) { return format("0x%04X (%u)", pgn, pgn); }

// The catalogue's name of a PGN, set off for the end of a line; empty when unknown.
std::string pgnName(std::uint32_t dataPage, std::uint32_t pgn) {
    const PgnInfo* info = PgnCatalogue::builtIn().find(fullPgn(dataPage, pgn));
    return info ? "  " + std::to_string(info->pgn) + " " + info->displayName() : std::string();
}

std::string bytePosition(std::uint32_t position) {
    return position == 0 ? std::string("none") : format("byte %u", position);
}

std::string framing(std::uint32_t flags) {
    if (flags == 0) return "single frame";
    std::string text;
    if (flags & kMultiPacketFlag) text = "multi-packet";
    if (flags & kFastPacketFlag) text += text.empty() ? "fast packet" : " + fast packet";
    if (flags & ~std::uint32_t{kMultiPacketFlag | kFastPacketFlag}) text += format(" (flags 0x%02X)", flags);
    return text;
}

template <std::size_t N>
std::string listEntry(const std::array<std::string_view, N>& list, std::uint32_t position, const char* unit) {
    if (position < N) return std::string(list[position]) + unit;
    return format("unknown (%u)", position);
}

std::string onOff(std::uint32_t value) {
    if (value == 0) return "off";
    if (value == 1) return "on";
    return format("on (%u)", value);
}

std::string describeReceiveFrames(const ImageBytes& bytes, const ImageLayout& layout) {
    std::string out = format("\nReceive frames: %zu\n", layout.receiveFrames);
    if (layout.receiveFrames == 0) return out;
    out += "    #  DP  PGN              SA  framing          start  bytes  data at\n";
    for (std::size_t i = 0; i < layout.receiveFrames; ++i) {
        std::size_t at = layout.offsets[0] + i * kReceiveFrameSize;
        std::uint32_t deletedByte = bytes.u8(layout.offsets[5] + i / 8);
        bool deleted = i < kDeletedSetSize * 8 && (deletedByte >> (i % 8) & 1);
        out += format("  %3zu  %2u  %-15s %3u  %-15s %6u %6u %8u%s%s\n", i + 1, bytes.u8(at),
                      pgnText(bytes.u16(at + 1)).c_str(), bytes.u8(at + 3), framing(bytes.u8(at + 4)).c_str(),
                      bytes.u16(at + 5), bytes.u16(at + 7), bytes.u16(at + 9), deleted ? "  deleted" : "",
                      pgnName(bytes.u8(at), bytes.u16(at + 1)).c_str());
    }
    return out;
}

std::string describeTransmitFrames(const ImageBytes& bytes, const ImageLayout& layout) {
    std::string out = format("\nTransmit frames: %zu\n", layout.transmitFrames);
    if (layout.transmitFrames == 0) return out;
    out += "    #  identifier  priority  DP  PGN              SA\n";
    for (std::size_t i = 0; i < layout.transmitFrames; ++i) {
        std::uint32_t identifier = bytes.u32(layout.offsets[1] + i * kTransmitFrameSize);
        out += format("  %3zu  0x%08X  %8u  %2u  %-15s %3u%s\n", i + 1, identifier, identifier >> 26 & 0x7,
                      identifier >> 24 & 0x3, pgnText(identifier >> 8 & 0xFFFF).c_str(), identifier & 0xFF,
                      pgnName(identifier >> 24 & 0x3, identifier >> 8 & 0xFFFF).c_str());
    }
    return out;
}

// The receive frames whose data begins at a position; frames of no data can share one.
std::string framesAt(const ImageBytes& bytes, const ImageLayout& layout, std::uint32_t dataPosition) {
    std::string frames;
    for (std::size_t i = 0; i < layout.receiveFrames; ++i) {
        if (bytes.u16(layout.offsets[0] + i * kReceiveFrameSize + 9) != dataPosition) continue;
        frames += (frames.empty() ? "#" : ", #") + std::to_string(i + 1);
    }
    return frames.empty() ? "no frame" : frames;
}

std::string describeReceiveMappings(const ImageBytes& bytes, const ImageLayout& layout) {
    std::string out = format("\nReceive register map: %zu\n", layout.receiveMappings);
    if (layout.receiveMappings == 0) return out;
    out += "  register        data at  frame      high byte from  low byte from\n";
    for (std::size_t i = 0; i < layout.receiveMappings; ++i) {
        std::size_t at = layout.offsets[2] + i * kReceiveMappingSize;
        std::uint32_t reg = bytes.u16(at);
        std::uint32_t dataPosition = bytes.u16(at + 2);
        out += format("  %-5u (0x%04X)  %7u  %-10s %-15s %s\n", reg, reg, dataPosition,
                      framesAt(bytes, layout, dataPosition).c_str(), bytePosition(bytes.u16(at + 4)).c_str(),
                      bytePosition(bytes.u16(at + 6)).c_str());
    }
    return out;
}

std::string describeTransmitMappings(const ImageBytes& bytes, const ImageLayout& layout) {
    std::string out = format("\nTransmit register map: %zu\n", layout.transmitMappings);
    if (layout.transmitMappings == 0) return out;
    out += "  register        frame  high byte from  low byte from  write NMEA2000 frame\n";
    for (std::size_t i = 0; i < layout.transmitMappings; ++i) {
        std::size_t at = layout.offsets[3] + i * kTransmitMappingSize;
        std::uint32_t reg = bytes.u16(at);
        std::uint32_t packed = bytes.u8(at + 3);
        out += format("  %-5u (0x%04X)  #%-5u %-15s %-14s %s\n", reg, reg, bytes.u8(at + 2),
                      bytePosition(packed >> 4).c_str(), bytePosition(packed & 0xF).c_str(),
                      bytes.u8(at + 4) ? "yes" : "no");
    }
    return out;
}

std::string describeParameters(const ImageBytes& bytes, const ImageLayout& layout) {
    if (!layout.hasParameters) return "\nParameters: none (the project has no pargen.xml)\n";
    std::size_t at = layout.offsets[4];
    auto line = [](const char* name, const std::string& value) { return format("  %-34s %s\n", name, value.c_str()); };
    std::uint32_t canBitRate = bytes.u8(at);
    std::uint32_t canType = bytes.u8(at + 1);
    std::uint32_t hardware = bytes.u8(at + 25);
    std::string out = "\nParameters\n";
    out += line("CAN bit rate", canBitRate >= 1 ? listEntry(kCanBitRates, canBitRate - 1, " kbit/s")
                                                : format("unknown (%u)", canBitRate));
    out += line("CAN identifiers", canType == 0   ? "11-bit (CAN 2.0A)"
                                   : canType == 1 ? "29-bit (CAN 2.0B)"
                                                  : format("unknown (%u)", canType));
    out += line("serial baud rate", listEntry(kSerialBaudRates, bytes.u8(at + 2), " baud"));
    out += line("parity", listEntry(kParities, bytes.u8(at + 3), ""));
    out += line("Modbus device ID", std::to_string(bytes.u8(at + 4)));
    out += line("serial time-out", format("%u ms", bytes.u16(at + 5)));
    out += line("data time-out", format("%u s", bytes.u8(at + 7)));
    out += line("data time-out Modbus register", std::to_string(bytes.u16(at + 8)));
    out += line("peer to peer", onOff(bytes.u8(at + 10)));
    out += line("serial line", bytes.u8(at + 11) == 1   ? "RS232"
                               : bytes.u8(at + 11) == 0 ? "RS485"
                                                        : format("unknown (%u)", bytes.u8(at + 11)));
    out += line("write NMEA on request", onOff(bytes.u8(at + 12)));
    out += line("remote request", onOff(bytes.u8(at + 13)));
    out += line("priority and destination register", std::to_string(bytes.u16(at + 14)));
    out += line("PGN part 1 register", std::to_string(bytes.u16(at + 16)));
    out += line("PGN part 2 register", std::to_string(bytes.u16(at + 18)));
    out += line("source address register", std::to_string(bytes.u16(at + 20)));
    out += line("send frame every", onOff(bytes.u8(at + 22)));
    out += line("send period", format("%u ms", bytes.u16(at + 23)));
    out += line("hardware", hardware == 0   ? "variant A1 (RM40915-A1)"
                            : hardware == 1 ? "variant B2 (RM40915-B2)"
                                            : format("unknown (%u)", hardware));
    out += line("counts (receive, transmit, maps)", format("%u, %u, %u, %u", bytes.u16(at + 26), bytes.u16(at + 28),
                                                           bytes.u16(at + 30), bytes.u16(at + 32)));
    return out;
}

std::string describeDeletedSet(const ImageBytes& bytes, const ImageLayout& layout) {
    std::string frames;
    for (std::size_t bit = 0; bit < kDeletedSetSize * 8; ++bit) {
        if ((bytes.u8(layout.offsets[5] + bit / 8) >> (bit % 8) & 1) == 0) continue;
        frames += (frames.empty() ? "#" : ", #") + std::to_string(bit + 1);
    }
    return "\nDeleted frames: " + (frames.empty() ? std::string("none") : frames) + "\n";
}

std::string describeIdentifiers(const ImageBytes& bytes, const ImageLayout& layout) {
    std::string out = format("\nIdentifier table: %zu\n", layout.receiveFrames);
    for (std::size_t i = 0; i < layout.receiveFrames; ++i) {
        std::uint32_t identifier = bytes.u32(layout.offsets[6] + i * kIdentifierSize);
        out += format("  0x%08X  data page %u  PGN %s  source %u%s\n", identifier, identifier >> 24,
                      pgnText(identifier >> 8 & 0xFFFF).c_str(), identifier & 0xFF,
                      pgnName(identifier >> 24, identifier >> 8 & 0xFFFF).c_str());
    }
    return out;
}

}  // namespace

ImageLayout readImageLayout(const std::vector<std::uint8_t>& image) {
    if (image.size() < kHeaderSize)
        throw ImageFormatError(
            format("The file is %zu bytes long, shorter than the %zu-byte header", image.size(), kHeaderSize));
    ImageBytes bytes(image);
    ImageLayout layout;
    for (std::size_t i = 0; i < kSectionCount; ++i) layout.offsets[i] = bytes.u32(4 * i);
    if (layout.offsets[0] != kHeaderSize)
        throw ImageFormatError(
            format("The receive frames offset is %u; it must be %zu", layout.offsets[0], kHeaderSize));
    for (std::size_t i = 0; i < kSectionCount; ++i) {
        if (layout.offsets[i] > image.size())
            throw ImageFormatError(format("The %s offset %u lies beyond the end of the file (%zu bytes)",
                                          std::string(kSectionNames[i]).c_str(), layout.offsets[i], image.size()));
        if (i > 0 && layout.offsets[i] < layout.offsets[i - 1])
            throw ImageFormatError(format("The %s offset %u comes before the %s offset %u",
                                          std::string(kSectionNames[i]).c_str(), layout.offsets[i],
                                          std::string(kSectionNames[i - 1]).c_str(), layout.offsets[i - 1]));
    }
    layout.receiveFrames = recordCount(layout, 0, kReceiveFrameSize);
    layout.transmitFrames = recordCount(layout, 1, kTransmitFrameSize);
    layout.receiveMappings = recordCount(layout, 2, kReceiveMappingSize);
    layout.transmitMappings = recordCount(layout, 3, kTransmitMappingSize);

    std::size_t parametersLength = layout.offsets[5] - layout.offsets[4];
    if (parametersLength != 0 && parametersLength != kParametersSize)
        throw ImageFormatError(format("The parameters section is %zu bytes long; it must be %zu or empty",
                                      parametersLength, kParametersSize));
    layout.hasParameters = parametersLength == kParametersSize;
    if (layout.offsets[6] - layout.offsets[5] != kDeletedSetSize)
        throw ImageFormatError(format("The deleted set is %u bytes long; it must be %zu",
                                      layout.offsets[6] - layout.offsets[5], kDeletedSetSize));
    std::size_t expectedLength = layout.offsets[6] + kIdentifierSize * layout.receiveFrames;
    if (image.size() != expectedLength)
        throw ImageFormatError(format("The file is %zu bytes long; with %zu receive frames it must be %zu",
                                      image.size(), layout.receiveFrames, expectedLength));
    if (layout.hasParameters) {
        std::size_t at = layout.offsets[4] + 26;
        checkCount("receive frames", bytes.u16(at), layout.receiveFrames);
        checkCount("transmit frames", bytes.u16(at + 2), layout.transmitFrames);
        checkCount("receive register mappings", bytes.u16(at + 4), layout.receiveMappings);
        checkCount("transmit register mappings", bytes.u16(at + 6), layout.transmitMappings);
    }
    return layout;
}

std::string describeImage(const std::vector<std::uint8_t>& image) {
    ImageLayout layout = readImageLayout(image);
    ImageBytes bytes(image);
    std::string out = format("Configuration image: %zu bytes\n\nHeader (section offsets)\n", image.size());
    for (std::size_t i = 0; i < kSectionCount; ++i)
        out += format("  %-22s %5u\n", std::string(kSectionNames[i]).c_str(), layout.offsets[i]);
    out += describeReceiveFrames(bytes, layout);
    out += describeTransmitFrames(bytes, layout);
    out += describeReceiveMappings(bytes, layout);
    out += describeTransmitMappings(bytes, layout);
    out += describeParameters(bytes, layout);
    out += describeDeletedSet(bytes, layout);
    out += describeIdentifiers(bytes, layout);
    return out;
}

}  // namespace telvanor
