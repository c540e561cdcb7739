#include "image/config_image.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <initializer_list>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "image/image_format.h"
#include "project/atomic_file.h"
#include "project/file_lookup.h"
#include "project/formats/pargen_format.h"
#include "project/formats/receive_frames_format.h"
#include "project/formats/register_map_format.h"
#include "project/formats/transmit_frames_format.h"
#include "project/integer_text.h"
#include "project/regular_file.h"
#include "project/workspace.h"
#include "project/xml_document.h"

namespace telvanor {

namespace fs = std::filesystem;

namespace {

struct FieldValue {
    ImageField field;
    std::uint32_t value;
};

std::uint32_t largestValue(std::size_t bits) { return bits >= 32 ? 0xFFFFFFFFu : (std::uint32_t{1} << bits) - 1; }

// Numbers are read as signed integer text: -1 is told as -1, not as 4294967295.
std::string doesNotFit(std::uint32_t value, const std::string& room, std::uint32_t largest) {
    return "is " + std::to_string(static_cast<std::int32_t>(value)) + ", which does not fit " + room + " (0 to " +
           std::to_string(largest) + ")";
}

std::string hexText(std::uint32_t value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%0*X", digits, value);
    return text;
}

// A transmit identifier in its parts, as the device sends it.
std::string identifierWords(std::uint32_t identifier) {
    std::string words = "priority " + std::to_string(identifier >> kPriorityShift & 0x7);
    if (identifier >> (kPriorityShift + kPriorityBits) != 0) words += " with the bits above an identifier's 29 set";
    if (identifier >> (kDataPageShift + kDataPageBits) & 1) words += ", the extended data page bit set";
    return words + ", data page " + std::to_string(identifier >> kDataPageShift & 1) + ", PGN " +
           hexText(identifier >> kPgnShift & 0xFFFF, 4) + ", source address " +
           std::to_string(identifier & kSourceAddressMask) + " (" + hexText(identifier, 8) + ")";
}

// The image under construction, laid out by the image format's records and header slots.
class ImageWriter {
public:
    ImageWriter() : bytes_(kHeaderSize, 0) {}

    std::size_t position() const { return bytes_.size(); }

    // The section begins at the write position: its header slot says so.
    void beginSection(ImageSection section) {
        storeField(bytes_, 0, headerSlot(section), static_cast<std::uint32_t>(position()));
    }

    // Appends a record of `size` bytes holding the values in their fields.
    void appendRecord(std::size_t size, std::initializer_list<FieldValue> values) {
        std::size_t at = bytes_.size();
        bytes_.resize(at + size, 0);
        for (const FieldValue& value : values) storeField(bytes_, at, value.field, value.value);
    }

    void appendBytes(std::span<const std::uint8_t> bytes) { bytes_.insert(bytes_.end(), bytes.begin(), bytes.end()); }

    // Notes `value`, read at `place`, when its field cannot hold it; gives the value unchanged.
    // The field holds `value + added` (a list position stored from 1).
    std::uint32_t noteIfCut(const ProjectPlace& place, std::uint32_t value, ImageField field, std::uint32_t added = 0) {
        const std::uint32_t largest = largestValue(field.width * 8);
        if (value + added > largest)
            warn(place,
                 doesNotFit(value, "the image's " + std::to_string(field.width) + "-byte field", largest - added) +
                     "; the device gets " + std::to_string((value + added) & largest));
        return value;
    }

    void warn(const ProjectPlace& place, std::string problem) { warnings_.push_back({place, std::move(problem)}); }

    std::vector<std::uint8_t> take() { return std::move(bytes_); }
    std::vector<ImageWarning> takeWarnings() { return std::move(warnings_); }

private:
    std::vector<std::uint8_t> bytes_;
    std::vector<ImageWarning> warnings_;
};

// One project file's rows: the root element's children, whatever the root's name.
class ProjectTable {
public:
    ProjectTable(std::string_view fileName, std::unique_ptr<XmlDocument> document)
        : fileName_(fileName),
          document_(std::move(document)),
          root_(*document_->documentElement()),
          rows_(root_.children()) {}

    const std::string& fileName() const { return fileName_; }
    const XmlElement& root() const { return root_; }
    const std::vector<XmlElement>& rows() const { return rows_; }

    // For a register map: its rows name frames 1 to `count` by NrPdo, which places a fault
    // under its frame in the window.
    void setFrameCount(std::size_t count) { frameCount_ = count; }

    // A required attribute's text.
    std::string text(std::size_t row, std::string_view attribute) const {
        if (auto value = rows_[row].attribute(attribute)) return *value;
        fail(row, attribute, "is missing");
    }

    // A required attribute read by the integer text rule.
    std::uint32_t integer(std::size_t row, std::string_view attribute) const {
        std::string value = text(row, attribute);
        if (auto number = parseIntegerText(value)) return static_cast<std::uint32_t>(*number);
        fail(row, attribute, value.empty() ? "is empty" : "is not a valid integer: '" + value + "'");
    }

    // A Y/N flag; `required` says whether an absent attribute fails the build or means "no".
    bool flag(std::size_t row, std::string_view attribute, bool required) const {
        std::optional<std::string> value = rows_[row].attribute(attribute);
        if (!value && required) fail(row, attribute, "is missing");
        return value && isYes(*value);
    }

    // The place of a row's attribute (row from 0), or of the whole file.
    ProjectPlace place(std::optional<std::size_t> row = std::nullopt, std::string_view attribute = {}) const {
        ProjectPlace place{fileName_};
        if (!row) return place;
        place.row = *row + 1;
        place.attribute = std::string(attribute);
        if (frameCount_) {
            std::optional<std::int32_t> frame =
                parseIntegerText(rows_[*row].attribute(infocob_xml::kNrPdo).value_or(""));
            if (frame && *frame >= 1 && static_cast<std::size_t>(*frame) <= *frameCount_)
                place.frame = static_cast<std::size_t>(*frame);
        }
        return place;
    }

    [[noreturn]] void fail(std::size_t row, std::string_view attribute, const std::string& what) const {
        throw ImageBuildError(place(row, attribute), what);
    }

private:
    std::string fileName_;
    std::unique_ptr<XmlDocument> document_;  // held by pointer: its elements must not move
    XmlElement root_;
    std::vector<XmlElement> rows_;
    std::optional<std::size_t> frameCount_;
};

// A required attribute read for an image field, noted when the field cannot hold it.
std::uint32_t fieldValue(ImageWriter& image, const ProjectTable& table, std::size_t row, std::string_view attribute,
                         ImageField field) {
    return image.noteIfCut(table.place(row, attribute), table.integer(row, attribute), field);
}

std::optional<ProjectTable> loadTable(const fs::path& projectDir, std::string_view fileName) {
    ProjectPlace wholeFile{std::string(fileName)};
    // Anything else under the file's name is no missing file: the device would get an empty
    // section without a word. Its kind is told without opening it (a FIFO would block).
    if (std::optional<IrregularFile> odd = findIrregularFileNoCase(projectDir, fileName))
        throw ImageBuildError(wholeFile, notRegularFileText(fileName, *odd));
    std::optional<fs::path> file = findFileNoCase(projectDir, fileName);
    if (!file) return std::nullopt;
    auto document = std::make_unique<XmlDocument>();
    if (auto failure = document->load(*file)) throw ImageBuildError(wholeFile, std::string(fileName) + ": " + *failure);
    return ProjectTable(fileName, std::move(document));
}

// The image may not pass the device's limit; `place` is what was being written.
// A register mapping whose NrPdo names no frame of the table.
std::string missingFrameProblem(std::int32_t frameNumber, std::string_view frameStep, std::size_t frames) {
    return std::to_string(frameNumber) + " does not exist: " + std::string(frameStep) + " has " +
           std::to_string(frames) + (frames == 1 ? " frame" : " frames");
}

void checkImageSize(std::size_t size, const ProjectPlace& place) {
    if (size > kMaxImageSize)
        throw ImageBuildError(place, "the configuration image grows longer than " + std::to_string(kMaxImageSize) +
                                         " bytes here; the device takes no more. Remove frames or register "
                                         "mappings.");
}

struct ReceiveFrames {
    std::size_t count = 0;
    std::vector<std::uint32_t> dataPositions;
    std::vector<std::uint32_t> identifiers;
    std::array<std::uint8_t, kDeletedSetSize> deleted{};
};

ReceiveFrames writeReceiveFrames(ImageWriter& image, const fs::path& projectDir) {
    ReceiveFrames frames;
    std::optional<ProjectTable> table = loadTable(projectDir, kRCobDefFile);
    if (!table) return frames;
    frames.count = table->rows().size();
    if (frames.count > kMaxReceiveFrames)
        throw ImageBuildError(table->place(), "the table has " + std::to_string(frames.count) +
                                                  " receive frames; the device takes at most " +
                                                  std::to_string(kMaxReceiveFrames));
    std::uint32_t running = 0;
    // Told once, at the first frame whose data begins beyond what the field can say.
    const std::uint32_t largestPosition = largestValue(ReceiveFrameRecord::dataPosition.width * 8);
    for (std::size_t row = 0; row < frames.count; ++row) {
        using Record = ReceiveFrameRecord;
        auto field = [&](std::string_view attribute, ImageField imageField) {
            return fieldValue(image, *table, row, attribute, imageField);
        };
        std::uint32_t dataPage = field(rcobdef_xml::kDataPage, Record::dataPage) & 0xFF;
        std::uint32_t pgn = field(rcobdef_xml::kPGN, Record::pgn) & 0xFFFF;
        std::uint32_t sourceAddress = field(rcobdef_xml::kID_DEV, Record::sourceAddress) & 0xFF;
        frames.identifiers.push_back(dataPage << kDataPageShift | pgn << kPgnShift | sourceAddress);

        std::uint8_t flags = 0;
        if (table->flag(row, rcobdef_xml::kMultiFrame, true)) flags |= kMultiPacketFlag;
        if (table->flag(row, rcobdef_xml::kFastPacket, false)) flags |= kFastPacketFlag;
        std::uint32_t startByte = 0, byteCount = 0, dataLength = kSingleFrameLength;
        if (flags != 0) {
            startByte = field(rcobdef_xml::kStartByte, Record::startByte);
            byteCount = field(rcobdef_xml::kNByte, Record::byteCount);
            dataLength = byteCount;
        }
        bool isDeleted = table->flag(row, rcobdef_xml::kDelete, true);

        image.appendRecord(Record::size, {{Record::dataPage, dataPage},
                                          {Record::pgn, pgn},
                                          {Record::sourceAddress, sourceAddress},
                                          {Record::flags, flags},
                                          {Record::startByte, startByte},
                                          {Record::byteCount, byteCount},
                                          {Record::dataPosition, running}});
        frames.dataPositions.push_back(running);
        if (running <= largestPosition && running + dataLength > largestPosition && row + 1 < frames.count)
            image.warn(table->place(row + 1),
                       "its data begins at byte " + std::to_string(running + dataLength) +
                           " of the frames' data, beyond the image's 2-byte data position (0 to " +
                           std::to_string(largestPosition) + "): the device takes the data of this frame and " +
                           "the frames after it from the wrong place");
        running += dataLength;
        if (isDeleted) frames.deleted[row / 8] |= static_cast<std::uint8_t>(1u << (row % 8));
    }
    checkImageSize(image.position(), table->place());
    return frames;
}

// Writes one record per row of a project table through `writeRow(table, row)`; gives the
// number of rows, 0 when the file is missing. A register map's rows name frames 1 to
// `frameCount`.
template <typename WriteRow>
std::size_t writeRows(ImageWriter& image, const fs::path& projectDir, std::string_view fileName, WriteRow writeRow,
                      std::optional<std::size_t> frameCount = std::nullopt) {
    std::optional<ProjectTable> table = loadTable(projectDir, fileName);
    if (!table) return 0;
    if (frameCount) table->setFrameCount(*frameCount);
    for (std::size_t row = 0; row < table->rows().size(); ++row) {
        writeRow(*table, row);
        checkImageSize(image.position(), table->place(row));
    }
    return table->rows().size();
}

std::size_t writeTransmitFrames(ImageWriter& image, const fs::path& projectDir) {
    return writeRows(image, projectDir, kTCobDefFile, [&](const ProjectTable& table, std::size_t row) {
        struct Part {
            std::string_view attribute;
            unsigned bits;
            std::uint32_t value = 0;
        };
        Part parts[] = {{tcobdef_xml::kPriority, kPriorityBits},
                        {tcobdef_xml::kDP, kDataPageBits},
                        {tcobdef_xml::kPGN, kPgnBits},
                        {tcobdef_xml::kID_DEV, kSourceAddressBits}};
        for (Part& part : parts) part.value = table.integer(row, part.attribute);
        const auto& [priority, dataPage, pgn, sourceAddress] = parts;
        // The parts are added up unmasked, so that a part too wide changes the parts above it.
        std::uint32_t identifier = (priority.value << kPriorityShift) + (dataPage.value << kDataPageShift) +
                                   (pgn.value << kPgnShift) + sourceAddress.value;
        for (const Part& part : parts)
            if (part.value > largestValue(part.bits))
                image.warn(table.place(row, part.attribute),
                           doesNotFit(part.value,
                                      "its " + std::to_string(part.bits) + (part.bits == 1 ? " bit" : " bits") +
                                          " of the CAN identifier",
                                      largestValue(part.bits)) +
                               "; the device sends " + identifierWords(identifier));
        image.appendRecord(IdentifierRecord::size, {{IdentifierRecord::identifier, identifier}});
    });
}

std::size_t writeReceiveMappings(ImageWriter& image, const fs::path& projectDir, const ReceiveFrames& frames) {
    auto writeRow = [&](const ProjectTable& table, std::size_t row) {
        using Record = ReceiveMappingRecord;
        std::uint32_t index = fieldValue(image, table, row, infocob_xml::kIndex, Record::index);
        auto frameNumber = static_cast<std::int32_t>(table.integer(row, infocob_xml::kNrPdo));
        std::uint32_t packed = table.integer(row, infocob_xml::kPosComp);
        if (frameNumber < 1 || static_cast<std::size_t>(frameNumber) > frames.count)
            table.fail(row, infocob_xml::kNrPdo, missingFrameProblem(frameNumber, kRCobDefStep, frames.count));
        image.appendRecord(Record::size,
                           {{Record::index, index},
                            {Record::dataPosition, frames.dataPositions[static_cast<std::size_t>(frameNumber) - 1]},
                            {Record::highPosition, packed >> 16},
                            {Record::lowPosition, packed}});
    };
    return writeRows(image, projectDir, kRInfoCobFile, writeRow, frames.count);
}

std::size_t writeTransmitMappings(ImageWriter& image, const fs::path& projectDir, std::size_t transmitFrames) {
    auto writeRow = [&](const ProjectTable& table, std::size_t row) {
        using Record = TransmitMappingRecord;
        std::uint32_t index = fieldValue(image, table, row, infocob_xml::kIndex, Record::index);
        std::uint32_t frameNumber = fieldValue(image, table, row, infocob_xml::kNrPdo, Record::frameNumber);
        std::uint32_t packed = fieldValue(image, table, row, infocob_xml::kPosComp, Record::packedPosition);
        std::optional<std::string> write = table.rows()[row].attribute(infocob_xml::kWrite_J1939);
        std::uint32_t writeFrame = write ? static_cast<std::uint32_t>(parseIntegerText(*write).value_or(0)) : 0;
        image.noteIfCut(table.place(row, infocob_xml::kWrite_J1939), writeFrame, Record::writeFrame);
        image.appendRecord(Record::size, {{Record::index, index},
                                          {Record::frameNumber, frameNumber},
                                          {Record::packedPosition, packed},
                                          {Record::writeFrame, writeFrame}});
    };
    return writeRows(image, projectDir, kTInfoCobFile, writeRow, transmitFrames);
}

// The parameters of pargen.xml, found by name among the root's children.
class Parameters {
public:
    Parameters(const ProjectTable& table, ImageWriter& image) : table_(table), image_(image) {}

    // The element's value for `field`, noted when the field cannot hold it (as `value + added`).
    std::uint32_t required(std::string_view element, ImageField field, std::uint32_t added = 0) const {
        std::optional<XmlElement> found = table_.root().child(element);
        if (!found) fail(element, "is missing");
        std::string text = found->text().value_or("");
        if (auto number = parseIntegerText(text))
            return fitted(element, static_cast<std::uint32_t>(*number), field, added);
        fail(element, text.empty() ? "is empty" : "is not a valid integer: '" + text + "'");
    }

    // A value for a field of its own when `field` is given; otherwise one that decides another.
    std::uint32_t optional(std::string_view element, std::uint32_t fallback,
                           std::optional<ImageField> field = std::nullopt) const {
        std::optional<XmlElement> found = table_.root().child(element);
        if (!found) return fallback;
        std::optional<std::int32_t> number = parseIntegerText(found->text().value_or(""));
        if (!number) return fallback;
        return field ? fitted(element, static_cast<std::uint32_t>(*number), *field)
                     : static_cast<std::uint32_t>(*number);
    }

    ProjectPlace place(std::string_view element) const { return {table_.fileName(), 0, std::string(element)}; }

private:
    std::uint32_t fitted(std::string_view element, std::uint32_t value, ImageField field,
                         std::uint32_t added = 0) const {
        return image_.noteIfCut(place(element), value, field, added);
    }

    [[noreturn]] void fail(std::string_view element, const std::string& what) const {
        throw ImageBuildError(place(element), what);
    }

    const ProjectTable& table_;
    ImageWriter& image_;
};

// The file says 1 for RS485, the device wants 1 for RS232; it reads the low byte of the value.
// Missing means RS485.
std::uint32_t rs232(const Parameters& parameters, ImageWriter& image) {
    std::uint32_t serial = parameters.optional(pargen_xml::kSerial, 1);
    bool isRs232 = (serial & 0xFF) == 0;
    if (serial > 0xFF)
        image.warn(parameters.place(pargen_xml::kSerial),
                   doesNotFit(serial, "the byte the device reads", 0xFF) + "; the device takes its low byte " +
                       std::to_string(serial & 0xFF) + (isRs232 ? ", RS232" : ", RS485"));
    return isRs232 ? 1u : 0u;
}

// Gives the peer-to-peer flag, which decides the identifier table.
bool writeParameters(ImageWriter& image, const fs::path& projectDir, ConfigImage& counts) {
    std::optional<ProjectTable> table = loadTable(projectDir, kPargenFile);
    if (!table) return false;
    counts.hasParameters = true;
    Parameters parameters(*table, image);
    using Record = ParametersRecord;
    std::uint32_t peerToPeer = parameters.optional(pargen_xml::kPeer_to_Peer, 0, Record::peerToPeer);
    // A braced list is read in order, so the first required element at fault is the one reported.
    image.appendRecord(
        Record::size,
        {{Record::canBitRate, parameters.required(pargen_xml::kBaudRateCAN, Record::canBitRate, 1) + 1},
         {Record::canType, parameters.required(pargen_xml::kCANType, Record::canType)},
         {Record::serialBaudRate, parameters.required(pargen_xml::kBaud_Ser, Record::serialBaudRate)},
         {Record::parity, parameters.required(pargen_xml::kPar_Ser, Record::parity)},
         {Record::modbusDeviceId, parameters.required(pargen_xml::kIDDev_Ser, Record::modbusDeviceId)},
         {Record::serialTimeout, parameters.required(pargen_xml::kTimeOut_Ser, Record::serialTimeout)},
         {Record::dataTimeout, parameters.optional(pargen_xml::kTimeOut_Data, 0, Record::dataTimeout)},
         {Record::dataTimeoutRegister, parameters.optional(pargen_xml::kTO_ModReg, 1, Record::dataTimeoutRegister)},
         {Record::peerToPeer, peerToPeer},
         {Record::rs232, rs232(parameters, image)},
         {Record::writeOnRequest, parameters.optional(pargen_xml::kWrite_J1939, 0, Record::writeOnRequest)},
         {Record::remoteRequest, parameters.optional(pargen_xml::kEn_Rem_Req, 0, Record::remoteRequest)},
         {Record::priorityRegister, parameters.optional(pargen_xml::kPri_Des, 0, Record::priorityRegister)},
         {Record::pgn1Register, parameters.optional(pargen_xml::kPGN1, 0, Record::pgn1Register)},
         {Record::pgn2Register, parameters.optional(pargen_xml::kPGN2, 0, Record::pgn2Register)},
         {Record::sourceAddressRegister, parameters.optional(pargen_xml::kSA, 0, Record::sourceAddressRegister)},
         {Record::sendEvery, parameters.optional(pargen_xml::kSend_Every, 0, Record::sendEvery)},
         {Record::sendPeriod, parameters.optional(pargen_xml::kSE_ms, 0, Record::sendPeriod)},
         {Record::hardwareType, parameters.optional(pargen_xml::kHW_Type, 0, Record::hardwareType)},
         {Record::receiveFrames, static_cast<std::uint32_t>(counts.receiveFrames)},
         {Record::transmitFrames, static_cast<std::uint32_t>(counts.transmitFrames)},
         {Record::receiveMappings, static_cast<std::uint32_t>(counts.receiveMappings)},
         {Record::transmitMappings, static_cast<std::uint32_t>(counts.transmitMappings)}});
    return (peerToPeer & 0xFF) == 1;
}

}  // namespace

ConfigImage BuildConfigImage(const fs::path& projectDir) {
    ConfigImage result;
    ImageWriter image;

    image.beginSection(ImageSection::ReceiveFrames);
    ReceiveFrames frames = writeReceiveFrames(image, projectDir);
    result.receiveFrames = frames.count;

    image.beginSection(ImageSection::TransmitFrames);
    result.transmitFrames = writeTransmitFrames(image, projectDir);

    image.beginSection(ImageSection::ReceiveMap);
    result.receiveMappings = writeReceiveMappings(image, projectDir, frames);

    image.beginSection(ImageSection::TransmitMap);
    result.transmitMappings = writeTransmitMappings(image, projectDir, result.transmitFrames);

    image.beginSection(ImageSection::Parameters);
    bool peerToPeer = writeParameters(image, projectDir, result);

    image.beginSection(ImageSection::DeletedSet);
    image.appendBytes(frames.deleted);

    // In peer-to-peer mode the gateway takes a frame from any source address.
    std::vector<std::uint32_t> identifiers = frames.identifiers;
    if (peerToPeer)
        for (std::uint32_t& identifier : identifiers) identifier &= ~kSourceAddressMask;
    std::sort(identifiers.begin(), identifiers.end());
    image.beginSection(ImageSection::Identifiers);
    for (std::uint32_t identifier : identifiers)
        image.appendRecord(IdentifierRecord::size, {{IdentifierRecord::identifier, identifier}});

    checkImageSize(image.position(), ProjectPlace{std::string(kRCobDefFile)});
    result.bytes = image.take();
    result.warnings = image.takeWarnings();
    return result;
}

fs::path configImagePath(const fs::path& projectDir) {
    return writeTargetNoCase(projectBinFolder(projectDir), kImageFile);
}

void writeConfigImageFile(const ConfigImage& image, const fs::path& file) {
    writeFileAtomically(file, std::string_view(reinterpret_cast<const char*>(image.bytes.data()), image.bytes.size()));
}

void WriteConfigImage(const ConfigImage& image, const fs::path& projectDir) {
    writeConfigImageFile(image, configImagePath(projectDir));
}

}  // namespace telvanor
