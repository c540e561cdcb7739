#include "image/image_dump.h"

#include <nlohmann/json.hpp>

#include "catalogue/pgn_catalogue.h"
#include "image/image_words.h"
#include "image/printf_text.h"

namespace telvanor {

namespace {

using Frame = ReceiveFrameRecord;
using ReceiveMapping = ReceiveMappingRecord;
using TransmitMapping = TransmitMappingRecord;
using Json = nlohmann::ordered_json;

// The catalogue's name set off for the end of a line; empty when unknown.
std::string nameColumn(std::uint32_t dataPage, std::uint32_t pgn) {
    std::string name = pgnName(dataPage, pgn);
    return name.empty() ? name : "  " + name;
}

// The parts of a 29-bit CAN identifier.
struct IdentifierParts {
    explicit IdentifierParts(std::uint32_t identifier)
        : priority(identifier >> kPriorityShift & 0x7),
          dataPage(identifier >> kDataPageShift & 0x3),
          pgn(identifier >> kPgnShift & 0xFFFF),
          sourceAddress(identifier & kSourceAddressMask) {}
    std::uint32_t priority, dataPage, pgn, sourceAddress;
};

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
                           "    #  DP  PGN               SA  framing          start  bytes  data at  deleted  name\n",
                           [&](std::size_t i, const ImageRecord& frame) {
                               return printfText(
                                   "  %3zu  %2u  %-16s %3u  %-15s %6u %6u %8u  %-7s%s\n", i + 1, frame[Frame::dataPage],
                                   pgnWords(frame[Frame::dataPage], frame[Frame::pgn]).c_str(),
                                   frame[Frame::sourceAddress], framingWords(frame[Frame::flags]).c_str(),
                                   frame[Frame::startByte], frame[Frame::byteCount], frame[Frame::dataPosition],
                                   std::string(yesNo(image.deleted(i))).c_str(),
                                   nameColumn(frame[Frame::dataPage], frame[Frame::pgn]).c_str());
                           });
}

std::string describeTransmitFrames(const ImageReader& image) {
    return describeRecords(
        image, ImageSection::TransmitFrames, "Transmit frames",
        "    #  identifier  priority  DP  PGN               SA  name\n", [](std::size_t i, const ImageRecord& frame) {
            std::uint32_t identifier = frame[IdentifierRecord::identifier];
            IdentifierParts parts(identifier);
            return printfText("  %3zu  0x%08X  %8u  %2u  %-16s %3u%s\n", i + 1, identifier, parts.priority,
                              parts.dataPage, pgnWords(parts.dataPage, parts.pgn).c_str(), parts.sourceAddress,
                              nameColumn(parts.dataPage, parts.pgn).c_str());
        });
}

std::string describeReceiveMappings(const ImageReader& image) {
    return describeRecords(image, ImageSection::ReceiveMap, "Receive register map",
                           "  register        data at  frame      high byte from  low byte from\n",
                           [&](std::size_t, const ImageRecord& mapping) {
                               std::uint32_t reg = mapping[ReceiveMapping::index];
                               std::uint32_t dataPosition = mapping[ReceiveMapping::dataPosition];
                               return printfText("  %-5u (0x%04X)  %7u  %-10s %-15s %s\n", reg, reg, dataPosition,
                                                 frameList(image.framesAt(dataPosition)).c_str(),
                                                 bytePositionWords(mapping[ReceiveMapping::highPosition]).c_str(),
                                                 bytePositionWords(mapping[ReceiveMapping::lowPosition]).c_str());
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
                                                 bytePositionWords(packed >> 4).c_str(),
                                                 bytePositionWords(packed & 0xF).c_str(),
                                                 std::string(yesNo(mapping[TransmitMapping::writeFrame] != 0)).c_str());
                           });
}

std::string describeParameters(const ImageReader& image) {
    if (image.count(ImageSection::Parameters) == 0) return "\nParameters: none (the project has no pargen.xml)\n";
    ImageRecord parameters = image.record(ImageSection::Parameters, 0);
    std::string out = "\nParameters\n";
    for (const ParameterWords& parameter : kParameterWords)
        out += printfText("  %-34s %s\n", std::string(parameter.label).c_str(),
                          parameter.words(parameters[parameter.field]).c_str());
    return out;
}

std::vector<std::size_t> deletedFrames(const ImageReader& image) {
    std::vector<std::size_t> frames;
    for (std::size_t row = 0; row < kDeletedSetSize * 8; ++row)
        if (image.deleted(row)) frames.push_back(row + 1);
    return frames;
}

std::string describeIdentifiers(const ImageReader& image) {
    return describeRecords(image, ImageSection::Identifiers, "Identifier table", "",
                           [](std::size_t, const ImageRecord& record) {
                               std::uint32_t identifier = record[IdentifierRecord::identifier];
                               std::uint32_t dataPage = identifier >> kDataPageShift;
                               std::uint32_t pgn = identifier >> kPgnShift & 0xFFFF;
                               return printfText("  0x%08X  data page %u  PGN %s  source %u%s\n", identifier, dataPage,
                                                 pgnWords(dataPage, pgn).c_str(), identifier & kSourceAddressMask,
                                                 nameColumn(dataPage, pgn).c_str());
                           });
}

// A record's fields as JSON members, by their layout names.
template <std::size_t N>
Json recordJson(const ImageRecord& record, const std::array<NamedField, N>& fields) {
    Json object = Json::object();
    for (const NamedField& named : fields) object[std::string(named.name)] = record[named.field];
    return object;
}

Json nameJson(std::uint32_t dataPage, std::uint32_t pgn) {
    std::string name = pgnName(dataPage, pgn);
    return name.empty() ? Json(nullptr) : Json(name);
}

// The section's records, each as `record` makes it.
template <typename Record>
Json sectionJson(const ImageReader& image, ImageSection section, Record record) {
    Json list = Json::array();
    for (std::size_t i = 0; i < image.count(section); ++i) list.push_back(record(i, image.record(section, i)));
    return list;
}

Json receiveFramesJson(const ImageReader& image) {
    return sectionJson(image, ImageSection::ReceiveFrames, [&](std::size_t i, const ImageRecord& record) {
        Json frame = Json::object();
        frame["number"] = i + 1;
        frame.update(recordJson(record, Frame::fields));
        frame["full_pgn"] = fullPgn(record[Frame::dataPage], record[Frame::pgn]);
        frame["name"] = nameJson(record[Frame::dataPage], record[Frame::pgn]);
        frame["framing"] = framingWords(record[Frame::flags]);
        frame["deleted"] = image.deleted(i);
        return frame;
    });
}

Json transmitFramesJson(const ImageReader& image) {
    return sectionJson(image, ImageSection::TransmitFrames, [](std::size_t i, const ImageRecord& record) {
        IdentifierParts parts(record[IdentifierRecord::identifier]);
        Json frame = Json::object();
        frame["number"] = i + 1;
        frame.update(recordJson(record, IdentifierRecord::fields));
        frame["priority"] = parts.priority;
        frame["data_page"] = parts.dataPage;
        frame["pgn"] = parts.pgn;
        frame["source_address"] = parts.sourceAddress;
        frame["full_pgn"] = fullPgn(parts.dataPage, parts.pgn);
        frame["name"] = nameJson(parts.dataPage, parts.pgn);
        return frame;
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
    std::vector<std::size_t> deleted = deletedFrames(image);
    out += "\nDeleted frames: " + (deleted.empty() ? std::string("none") : frameList(deleted)) + "\n";
    out += describeIdentifiers(image);
    return out;
}

std::string describeImage(const std::vector<std::uint8_t>& image) { return describeImage(ImageReader(image)); }

std::string imageJson(const ImageReader& image) {
    Json json = Json::object();
    json["length"] = image.bytes().size();
    json["offsets"] = image.layout().offsets;
    json["receive_frames"] = receiveFramesJson(image);
    json["transmit_frames"] = transmitFramesJson(image);
    json["receive_map"] = sectionJson(image, ImageSection::ReceiveMap, [&](std::size_t, const ImageRecord& record) {
        Json mapping = recordJson(record, ReceiveMapping::fields);
        mapping["frames"] = image.framesAt(record[ReceiveMapping::dataPosition]);
        return mapping;
    });
    json["transmit_map"] = sectionJson(image, ImageSection::TransmitMap, [](std::size_t, const ImageRecord& record) {
        Json mapping = recordJson(record, TransmitMapping::fields);
        mapping["high_byte"] = record[TransmitMapping::packedPosition] >> 4;
        mapping["low_byte"] = record[TransmitMapping::packedPosition] & 0xF;
        return mapping;
    });
    json["parameters"] = image.count(ImageSection::Parameters) == 0
                             ? Json(nullptr)
                             : recordJson(image.record(ImageSection::Parameters, 0), ParametersRecord::fields);
    json["deleted"] = deletedFrames(image);
    json["identifiers"] = sectionJson(image, ImageSection::Identifiers, [](std::size_t, const ImageRecord& record) {
        std::uint32_t identifier = record[IdentifierRecord::identifier];
        Json entry = Json::object();
        entry["identifier"] = identifier;
        entry["data_page"] = identifier >> kDataPageShift;
        entry["pgn"] = identifier >> kPgnShift & 0xFFFF;
        entry["source_address"] = identifier & kSourceAddressMask;
        return entry;
    });
    return json.dump(2) + "\n";
}

}  // namespace telvanor
