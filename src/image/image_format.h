#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace telvanor {

// The layout of the configuration image bank.bin, as the device reads it: the one description
// that the builder writes by and the reader behind dump and diff reads by. Every field is an
// unsigned little-endian integer; a value wider than its field keeps its low bits.

// Where a field lies inside its record (or section) and how many bytes it takes.
struct ImageField {
    std::size_t offset;
    std::size_t width;  // 1, 2 or 4
};

// A field with the name that dump's JSON and diff give it.
struct NamedField {
    std::string_view name;
    ImageField field;
};

// True when the fields follow one another without gap or overlap and fill `size` bytes: every
// byte of a record belongs to exactly one named field.
template <std::size_t N>
constexpr bool fieldsTile(std::size_t size, const std::array<NamedField, N>& fields) {
    std::size_t next = 0;
    for (const NamedField& named : fields) {
        const ImageField& field = named.field;
        if (field.offset != next || (field.width != 1 && field.width != 2 && field.width != 4)) return false;
        next = field.offset + field.width;
    }
    return next == size;
}

// The sections, in the order they follow one another after the header.
enum class ImageSection : std::size_t {
    ReceiveFrames,
    TransmitFrames,
    ReceiveMap,
    TransmitMap,
    Parameters,
    DeletedSet,
    Identifiers,
};
inline constexpr std::size_t kSectionCount = 7;
inline constexpr std::array<std::string_view, kSectionCount> kSectionNames = {
    "receive frames", "transmit frames", "receive register map", "transmit register map",
    "parameters",     "deleted set",     "identifier table"};

constexpr std::size_t sectionIndex(ImageSection section) { return static_cast<std::size_t>(section); }
constexpr std::string_view sectionName(ImageSection section) { return kSectionNames[sectionIndex(section)]; }

// The header: one 32-bit slot per section holding the offset, from the file's start, of the
// section's first byte. The file ends with the identifier table.
inline constexpr std::size_t kHeaderSize = 4 * kSectionCount;
constexpr ImageField headerSlot(ImageSection section) { return {4 * sectionIndex(section), 4}; }

// One per RCobDef.xml row, deleted rows included.
struct ReceiveFrameRecord {
    static constexpr ImageField dataPage{0, 1};
    static constexpr ImageField pgn{1, 2};
    static constexpr ImageField sourceAddress{3, 1};
    static constexpr ImageField flags{4, 1};
    static constexpr ImageField startByte{5, 2};     // 0 for a single frame
    static constexpr ImageField byteCount{7, 2};     // 0 for a single frame
    static constexpr ImageField dataPosition{9, 2};  // the data lengths of the rows before, added up
    static constexpr std::size_t size = 11;
    static constexpr std::array<NamedField, 7> fields = {{{"data_page", dataPage},
                                                          {"pgn", pgn},
                                                          {"source_address", sourceAddress},
                                                          {"flags", flags},
                                                          {"start_byte", startByte},
                                                          {"byte_count", byteCount},
                                                          {"data_position", dataPosition}}};
};
static_assert(fieldsTile(ReceiveFrameRecord::size, ReceiveFrameRecord::fields));

// Frame flags of a receive frame record.
inline constexpr std::uint8_t kMultiPacketFlag = 0x01;
inline constexpr std::uint8_t kFastPacketFlag = 0x02;

// Data length of a single frame.
inline constexpr std::uint32_t kSingleFrameLength = 8;

// A 32-bit CAN identifier: one per TCobDef.xml row in the transmit frames section, one per
// receive frame (data page x 2^24 + PGN x 2^8 + source address, sorted ascending) in the
// identifier table.
struct IdentifierRecord {
    static constexpr ImageField identifier{0, 4};
    static constexpr std::size_t size = 4;
    static constexpr std::array<NamedField, 1> fields = {{{"identifier", identifier}}};
};
static_assert(fieldsTile(IdentifierRecord::size, IdentifierRecord::fields));

// The parts of a CAN identifier: priority in bits 26 to 28, data page from bit 24, PGN in
// bits 8 to 23, source address in bits 0 to 7. The receive frames' identifiers have no priority.
inline constexpr unsigned kPriorityShift = 26;
inline constexpr unsigned kDataPageShift = 24;
inline constexpr unsigned kPgnShift = 8;
inline constexpr std::uint32_t kSourceAddressMask = 0xFF;
// How many bits each part has; a wider value changes the part above it.
inline constexpr unsigned kPriorityBits = 3;
inline constexpr unsigned kDataPageBits = 1;
inline constexpr unsigned kPgnBits = 16;
inline constexpr unsigned kSourceAddressBits = 8;

// One per RInfoCob.xml row, in file order.
struct ReceiveMappingRecord {
    static constexpr ImageField index{0, 2};         // the Modbus register
    static constexpr ImageField dataPosition{2, 2};  // the data position of the frame, not its number
    static constexpr ImageField highPosition{4, 2};  // frame byte of the register's high byte, 0 for none
    static constexpr ImageField lowPosition{6, 2};   // frame byte of the register's low byte, 0 for none
    static constexpr std::size_t size = 8;
    static constexpr std::array<NamedField, 4> fields = {
        {{"register", index}, {"data_position", dataPosition}, {"high_byte", highPosition}, {"low_byte", lowPosition}}};
};
static_assert(fieldsTile(ReceiveMappingRecord::size, ReceiveMappingRecord::fields));

// One per TInfoCob.xml row, in file order.
struct TransmitMappingRecord {
    static constexpr ImageField index{0, 2};
    static constexpr ImageField frameNumber{2, 1};     // 1-based row of TCobDef.xml
    static constexpr ImageField packedPosition{3, 1};  // high byte position x 16 + low byte position
    static constexpr ImageField writeFrame{4, 1};
    static constexpr std::size_t size = 5;
    static constexpr std::array<NamedField, 4> fields = {{{"register", index},
                                                          {"frame", frameNumber},
                                                          {"packed_position", packedPosition},
                                                          {"write_frame", writeFrame}}};
};
static_assert(fieldsTile(TransmitMappingRecord::size, TransmitMappingRecord::fields));

// The communication parameters of pargen.xml and the four counts; the section is empty when the
// project has no pargen.xml.
struct ParametersRecord {
    static constexpr ImageField canBitRate{0, 1};  // list position + 1
    static constexpr ImageField canType{1, 1};
    static constexpr ImageField serialBaudRate{2, 1};
    static constexpr ImageField parity{3, 1};
    static constexpr ImageField modbusDeviceId{4, 1};
    static constexpr ImageField serialTimeout{5, 2};
    static constexpr ImageField dataTimeout{7, 1};
    static constexpr ImageField dataTimeoutRegister{8, 2};
    static constexpr ImageField peerToPeer{10, 1};
    static constexpr ImageField rs232{11, 1};  // 1 for RS232, 0 for RS485
    static constexpr ImageField writeOnRequest{12, 1};
    static constexpr ImageField remoteRequest{13, 1};
    static constexpr ImageField priorityRegister{14, 2};
    static constexpr ImageField pgn1Register{16, 2};
    static constexpr ImageField pgn2Register{18, 2};
    static constexpr ImageField sourceAddressRegister{20, 2};
    static constexpr ImageField sendEvery{22, 1};
    static constexpr ImageField sendPeriod{23, 2};
    static constexpr ImageField hardwareType{25, 1};
    static constexpr ImageField receiveFrames{26, 2};
    static constexpr ImageField transmitFrames{28, 2};
    static constexpr ImageField receiveMappings{30, 2};
    static constexpr ImageField transmitMappings{32, 2};
    static constexpr std::size_t size = 34;
    static constexpr std::array<NamedField, 23> fields = {{
        {"can_bit_rate", canBitRate},
        {"can_type", canType},
        {"serial_baud_rate", serialBaudRate},
        {"parity", parity},
        {"modbus_device_id", modbusDeviceId},
        {"serial_timeout_ms", serialTimeout},
        {"data_timeout_s", dataTimeout},
        {"data_timeout_register", dataTimeoutRegister},
        {"peer_to_peer", peerToPeer},
        {"rs232", rs232},
        {"write_on_request", writeOnRequest},
        {"remote_request", remoteRequest},
        {"priority_register", priorityRegister},
        {"pgn1_register", pgn1Register},
        {"pgn2_register", pgn2Register},
        {"source_address_register", sourceAddressRegister},
        {"send_every", sendEvery},
        {"send_period_ms", sendPeriod},
        {"hardware_type", hardwareType},
        {"receive_frames", receiveFrames},
        {"transmit_frames", transmitFrames},
        {"receive_mappings", receiveMappings},
        {"transmit_mappings", transmitMappings},
    }};
};
static_assert(fieldsTile(ParametersRecord::size, ParametersRecord::fields));

// 256 bits, bit i (byte i / 8, least significant bit first) set when receive frame row i is
// marked deleted. Always present.
inline constexpr std::size_t kDeletedSetSize = 32;

// The size of one record of a section. The parameters and the deleted set are one record each.
constexpr std::size_t recordSize(ImageSection section) {
    switch (section) {
        case ImageSection::ReceiveFrames:
            return ReceiveFrameRecord::size;
        case ImageSection::ReceiveMap:
            return ReceiveMappingRecord::size;
        case ImageSection::TransmitMap:
            return TransmitMappingRecord::size;
        case ImageSection::Parameters:
            return ParametersRecord::size;
        case ImageSection::DeletedSet:
            return kDeletedSetSize;
        case ImageSection::TransmitFrames:
        case ImageSection::Identifiers:
            break;
    }
    return IdentifierRecord::size;
}

inline constexpr std::size_t kMaxReceiveFrames = 250;
inline constexpr std::size_t kMaxImageSize = 65535;  // the device's write position is 16 bits

// Reads a field of the record that begins at `record`; the bytes must be there.
inline std::uint32_t loadField(const std::vector<std::uint8_t>& bytes, std::size_t record, ImageField field) {
    std::uint32_t value = 0;
    for (std::size_t i = field.width; i-- > 0;) value = value << 8 | bytes[record + field.offset + i];
    return value;
}

// Stores the low bits of `value` into a field of the record that begins at `record`.
inline void storeField(std::vector<std::uint8_t>& bytes, std::size_t record, ImageField field, std::uint32_t value) {
    for (std::size_t i = 0; i < field.width; ++i)
        bytes[record + field.offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace telvanor
