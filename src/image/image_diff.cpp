#include "image/image_diff.h"

#include <map>
#include <utility>

#include "image/image_words.h"
#include "image/printf_text.h"

namespace telvanor {

namespace {

using Frame = ReceiveFrameRecord;
using ReceiveMapping = ReceiveMappingRecord;
using TransmitMapping = TransmitMappingRecord;

// An entry of an image in words: what it is ("receive frame #2") and its values by name.
struct Entry {
    std::string key;
    std::vector<std::pair<std::string, std::string>> values;
};

std::string joined(const Entry& entry) {
    std::string text;
    for (const auto& [name, value] : entry.values) text += (text.empty() ? "" : ", ") + name + " " + value;
    return text;
}

template <typename Describe>
std::vector<Entry> entries(const ImageReader& image, ImageSection section, Describe describe) {
    std::vector<Entry> list;
    for (std::size_t i = 0; i < image.count(section); ++i) list.push_back(describe(i, image.record(section, i)));
    return list;
}

// Several mappings of one register (which the editors never write) are told apart by their
// order of appearance, so that the rest of the comparison still holds.
void numberRepeatedKeys(std::vector<Entry>& list) {
    std::map<std::string, int> seen;
    for (Entry& entry : list)
        if (int count = seen[entry.key]++; count > 0) entry.key += " (" + std::to_string(count + 1) + ")";
}

std::vector<Entry> receiveFrames(const ImageReader& image) {
    return entries(image, ImageSection::ReceiveFrames, [&](std::size_t i, const ImageRecord& frame) {
        return Entry{"receive frame #" + std::to_string(i + 1),
                     {{"data page", std::to_string(frame[Frame::dataPage])},
                      {"PGN", pgnWords(frame[Frame::dataPage], frame[Frame::pgn])},
                      {"source address", std::to_string(frame[Frame::sourceAddress])},
                      {"framing", framingWords(frame[Frame::flags])},
                      {"start byte", std::to_string(frame[Frame::startByte])},
                      {"byte count", std::to_string(frame[Frame::byteCount])},
                      {"data position", std::to_string(frame[Frame::dataPosition])},
                      {"deleted", std::string(yesNo(image.deleted(i)))}}};
    });
}

std::vector<Entry> transmitFrames(const ImageReader& image) {
    return entries(image, ImageSection::TransmitFrames, [](std::size_t i, const ImageRecord& frame) {
        std::uint32_t identifier = frame[IdentifierRecord::identifier];
        std::uint32_t dataPage = identifier >> kDataPageShift & 0x3;
        std::uint32_t pgn = identifier >> kPgnShift & 0xFFFF;
        return Entry{"transmit frame #" + std::to_string(i + 1),
                     {{"priority", std::to_string(identifier >> kPriorityShift & 0x7)},
                      {"data page", std::to_string(dataPage)},
                      {"PGN", pgnWords(dataPage, pgn)},
                      {"source address", std::to_string(identifier & kSourceAddressMask)},
                      {"identifier", printfText("0x%08X", identifier)}}};
    });
}

std::vector<Entry> receiveMap(const ImageReader& image) {
    std::vector<Entry> list = entries(image, ImageSection::ReceiveMap, [&](std::size_t, const ImageRecord& mapping) {
        std::uint32_t dataPosition = mapping[ReceiveMapping::dataPosition];
        return Entry{
            "receive map register " + std::to_string(mapping[ReceiveMapping::index]),
            {{"data position", std::to_string(dataPosition) + " (" + frameList(image.framesAt(dataPosition)) + ")"},
             {"high byte from", bytePositionWords(mapping[ReceiveMapping::highPosition])},
             {"low byte from", bytePositionWords(mapping[ReceiveMapping::lowPosition])}}};
    });
    numberRepeatedKeys(list);
    return list;
}

std::vector<Entry> transmitMap(const ImageReader& image) {
    std::vector<Entry> list = entries(image, ImageSection::TransmitMap, [](std::size_t, const ImageRecord& mapping) {
        std::uint32_t packed = mapping[TransmitMapping::packedPosition];
        return Entry{"transmit map register " + std::to_string(mapping[TransmitMapping::index]),
                     {{"frame", "#" + std::to_string(mapping[TransmitMapping::frameNumber])},
                      {"high byte from", bytePositionWords(packed >> 4)},
                      {"low byte from", bytePositionWords(packed & 0xF)},
                      {"write NMEA2000 frame", std::string(yesNo(mapping[TransmitMapping::writeFrame] != 0))}}};
    });
    numberRepeatedKeys(list);
    return list;
}

std::vector<Entry> parameters(const ImageReader& image) {
    if (image.count(ImageSection::Parameters) == 0) return {};
    ImageRecord record = image.record(ImageSection::Parameters, 0);
    Entry entry{"parameters", {}};
    for (const ParameterWords& parameter : kParameterWords)
        entry.values.emplace_back(parameter.label, parameter.words(record[parameter.field]));
    return {entry};
}

std::vector<Entry> identifiers(const ImageReader& image) {
    std::vector<Entry> list = entries(image, ImageSection::Identifiers, [](std::size_t, const ImageRecord& record) {
        std::uint32_t identifier = record[IdentifierRecord::identifier];
        std::uint32_t dataPage = identifier >> kDataPageShift;
        return Entry{printfText("identifier 0x%08X", identifier),
                     {{"data page", std::to_string(dataPage)},
                      {"PGN", pgnWords(dataPage, identifier >> kPgnShift & 0xFFFF)},
                      {"source address", std::to_string(identifier & kSourceAddressMask)}}};
    });
    numberRepeatedKeys(list);
    return list;
}

// The deleted-set bits of rows that are no receive frame in either image; the builder never sets
// them, so they are named only when they differ.
std::vector<Entry> strayDeletedBits(const ImageReader& image, std::size_t frames) {
    std::vector<Entry> list;
    for (std::size_t row = frames; row < kDeletedSetSize * 8; ++row)
        if (image.deleted(row)) list.push_back({"deleted-set bit of row " + std::to_string(row + 1), {}});
    return list;
}

// Entries matched by key: changed values, then what only the old or only the new image holds.
void compare(const std::vector<Entry>& before, const std::vector<Entry>& after, std::vector<std::string>& lines) {
    std::map<std::string, const Entry*> afterByKey;
    for (const Entry& entry : after) afterByKey[entry.key] = &entry;
    std::map<std::string, const Entry*> beforeByKey;
    for (const Entry& entry : before) {
        beforeByKey[entry.key] = &entry;
        auto found = afterByKey.find(entry.key);
        if (found == afterByKey.end()) {
            lines.push_back(entry.key + ": removed" + (entry.values.empty() ? "" : " (" + joined(entry) + ")"));
            continue;
        }
        const Entry& other = *found->second;
        for (std::size_t v = 0; v < entry.values.size() && v < other.values.size(); ++v)
            if (entry.values[v].second != other.values[v].second)
                lines.push_back(entry.key + ": " + entry.values[v].first + ": " + entry.values[v].second + " -> " +
                                other.values[v].second);
    }
    for (const Entry& entry : after)
        if (!beforeByKey.contains(entry.key))
            lines.push_back(entry.key + ": added" + (entry.values.empty() ? "" : " (" + joined(entry) + ")"));
}

}  // namespace

std::vector<std::string> diffImages(const ImageReader& before, const ImageReader& after) {
    std::vector<std::string> lines;
    compare(receiveFrames(before), receiveFrames(after), lines);
    compare(transmitFrames(before), transmitFrames(after), lines);
    compare(receiveMap(before), receiveMap(after), lines);
    compare(transmitMap(before), transmitMap(after), lines);
    compare(parameters(before), parameters(after), lines);
    std::size_t frames = std::max(before.count(ImageSection::ReceiveFrames), after.count(ImageSection::ReceiveFrames));
    compare(strayDeletedBits(before, frames), strayDeletedBits(after, frames), lines);
    compare(identifiers(before), identifiers(after), lines);
    // Every byte belongs to a named field above; this only guards that promise.
    if (lines.empty() && before.bytes() != after.bytes())
        lines.push_back("the images differ in bytes that no field names");
    return lines;
}

}  // namespace telvanor
