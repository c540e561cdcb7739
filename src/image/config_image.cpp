#include "image/config_image.h"

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
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
#include "project/workspace.h"
#include "project/xml_document.h"

namespace telvanor {

namespace fs = std::filesystem;

namespace {

// The image under construction; 16- and 32-bit fields are little-endian.
class ImageWriter {
public:
    std::size_t position() const { return bytes_.size(); }
    void put8(std::uint32_t value) { bytes_.push_back(static_cast<std::uint8_t>(value)); }
    void put16(std::uint32_t value) {
        put8(value);
        put8(value >> 8);
    }
    void put32(std::uint32_t value) {
        put16(value);
        put16(value >> 16);
    }
    void patch32(std::size_t at, std::uint32_t value) {
        for (int i = 0; i < 4; ++i) bytes_[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
    std::vector<std::uint8_t> take() { return std::move(bytes_); }

private:
    std::vector<std::uint8_t> bytes_;
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

    // A required attribute's text.
    std::string text(std::size_t row, std::string_view attribute) const {
        if (auto value = rows_[row].attribute(attribute)) return *value;
        fail(row, attribute, "is missing");
    }

    // A required attribute read by the integer text rule.
    std::uint32_t integer(std::size_t row, std::string_view attribute) const {
        std::string value = text(row, attribute);
        if (auto number = parseIntegerText(value)) return static_cast<std::uint32_t>(*number);
        fail(row, attribute, "is not a valid integer: '" + value + "'");
    }

    // A Y/N flag; `required` says whether an absent attribute fails the build or means "no".
    bool flag(std::size_t row, std::string_view attribute, bool required) const {
        std::optional<std::string> value = rows_[row].attribute(attribute);
        if (!value && required) fail(row, attribute, "is missing");
        return value && isYes(*value);
    }

    [[noreturn]] void fail(std::size_t row, std::string_view attribute, const std::string& what) const {
        throw ImageBuildError(fileName_ + ": row " + std::to_string(row + 1) + ": attribute " + std::string(attribute) +
                              " " + what);
    }

private:
    std::string fileName_;
    std::unique_ptr<XmlDocument> document_;  // held by pointer: its elements must not move
    XmlElement root_;
    std::vector<XmlElement> rows_;
};

std::optional<ProjectTable> loadTable(const fs::path& projectDir, std::string_view fileName) {
    std::optional<fs::path> file = findFileNoCase(projectDir, fileName);
    if (!file) return std::nullopt;
    auto document = std::make_unique<XmlDocument>();
    if (auto failure = document->load(*file))
        throw ImageBuildError(std::string(fileName) + ": not a well-formed XML file: " + *failure);
    return ProjectTable(fileName, std::move(document));
}

void checkImageSize(std::size_t size) {
    if (size > kMaxImageSize)
        throw ImageBuildError("The configuration image would be longer than " + std::to_string(kMaxImageSize) +
                              " bytes; the device takes no more. Remove frames or register mappings.");
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
        throw ImageBuildError(std::string(kRCobDefFile) + ": " + std::to_string(frames.count) +
                              " receive frames; the device takes at most " + std::to_string(kMaxReceiveFrames));
    std::uint32_t running = 0;
    for (std::size_t row = 0; row < frames.count; ++row) {
        std::uint32_t dataPage = table->integer(row, rcobdef_xml::kDataPage) & 0xFF;
        std::uint32_t pgn = table->integer(row, rcobdef_xml::kPGN) & 0xFFFF;
        std::uint32_t sourceAddress = table->integer(row, rcobdef_xml::kID_DEV) & 0xFF;
        frames.identifiers.push_back(dataPage << 24 | pgn << 8 | sourceAddress);

        std::uint8_t flags = 0;
        if (table->flag(row, rcobdef_xml::kMultiFrame, true)) flags |= kMultiPacketFlag;
        if (table->flag(row, rcobdef_xml::kFastPacket, false)) flags |= kFastPacketFlag;
        std::uint32_t startByte = 0, byteCount = 0, dataLength = kSingleFrameLength;
        if (flags != 0) {
            startByte = table->integer(row, rcobdef_xml::kStartByte);
            byteCount = table->integer(row, rcobdef_xml::kNByte);
            dataLength = byteCount;
        }
        bool isDeleted = table->flag(row, rcobdef_xml::kDelete, true);

        image.put8(dataPage);
        image.put16(pgn);
        image.put8(sourceAddress);
        image.put8(flags);
        image.put16(startByte);
        image.put16(byteCount);
        image.put16(running);
        frames.dataPositions.push_back(running);
        running += dataLength;
        if (isDeleted) frames.deleted[row / 8] |= static_cast<std::uint8_t>(1u << (row % 8));
    }
    checkImageSize(image.position());
    return frames;
}

std::size_t writeTransmitFrames(ImageWriter& image, const fs::path& projectDir) {
    std::optional<ProjectTable> table = loadTable(projectDir, kTCobDefFile);
    if (!table) return 0;
    for (std::size_t row = 0; row < table->rows().size(); ++row) {
        std::uint32_t priority = table->integer(row, tcobdef_xml::kPriority);
        std::uint32_t dataPage = table->integer(row, tcobdef_xml::kDP);
        std::uint32_t pgn = table->integer(row, tcobdef_xml::kPGN);
        std::uint32_t sourceAddress = table->integer(row, tcobdef_xml::kID_DEV);
        image.put32((priority << 26) + (dataPage << 24) + (pgn << 8) + sourceAddress);
        checkImageSize(image.position());
    }
    return table->rows().size();
}

std::size_t writeReceiveMappings(ImageWriter& image, const fs::path& projectDir, const ReceiveFrames& frames) {
    std::optional<ProjectTable> table = loadTable(projectDir, kRInfoCobFile);
    if (!table) return 0;
    for (std::size_t row = 0; row < table->rows().size(); ++row) {
        std::uint32_t index = table->integer(row, infocob_xml::kIndex);
        auto frameNumber = static_cast<std::int32_t>(table->integer(row, infocob_xml::kNrPdo));
        std::uint32_t packed = table->integer(row, infocob_xml::kPosComp);
        if (frameNumber < 1 || static_cast<std::size_t>(frameNumber) > frames.count)
            throw ImageBuildError(table->fileName() + ": row " + std::to_string(row + 1) + ": attribute " +
                                  std::string(infocob_xml::kNrPdo) + " " + std::to_string(frameNumber) +
                                  " names no receive frame (" + std::string(kRCobDefFile) + " has " +
                                  std::to_string(frames.count) + " rows)");
        image.put16(index);
        image.put16(frames.dataPositions[static_cast<std::size_t>(frameNumber) - 1]);
        image.put16(packed >> 16);
        image.put16(packed);
        checkImageSize(image.position());
    }
    return table->rows().size();
}

std::size_t writeTransmitMappings(ImageWriter& image, const fs::path& projectDir) {
    std::optional<ProjectTable> table = loadTable(projectDir, kTInfoCobFile);
    if (!table) return 0;
    for (std::size_t row = 0; row < table->rows().size(); ++row) {
        std::uint32_t index = table->integer(row, infocob_xml::kIndex);
        std::uint32_t frameNumber = table->integer(row, infocob_xml::kNrPdo);
        std::uint32_t packed = table->integer(row, infocob_xml::kPosComp);
        std::optional<std::string> write = table->rows()[row].attribute(infocob_xml::kWrite_J1939);
        std::uint32_t writeFrame = write ? static_cast<std::uint32_t>(parseIntegerText(*write).value_or(0)) : 0;
        image.put16(index);
        image.put8(frameNumber);
        image.put8(packed);
        image.put8(writeFrame);
        checkImageSize(image.position());
    }
    return table->rows().size();
}

// The parameters of pargen.xml, found by name among the root's children.
class Parameters {
public:
    explicit Parameters(const ProjectTable& table) : table_(table) {}

    std::uint32_t required(std::string_view element) const {
        std::optional<XmlElement> found = table_.root().child(element);
        if (!found) fail(element, "is missing");
        std::string text = found->text().value_or("");
        if (auto number = parseIntegerText(text)) return static_cast<std::uint32_t>(*number);
        fail(element, "is not a valid integer: '" + text + "'");
    }

    std::uint32_t optional(std::string_view element, std::uint32_t fallback) const {
        std::optional<XmlElement> found = table_.root().child(element);
        if (!found) return fallback;
        if (auto number = parseIntegerText(found->text().value_or(""))) return static_cast<std::uint32_t>(*number);
        return fallback;
    }

private:
    [[noreturn]] void fail(std::string_view element, const std::string& what) const {
        throw ImageBuildError(table_.fileName() + ": element " + std::string(element) + " " + what);
    }

    const ProjectTable& table_;
};

// Gives the peer-to-peer flag, which decides the identifier table.
bool writeParameters(ImageWriter& image, const fs::path& projectDir, const ConfigImage& counts) {
    std::optional<ProjectTable> table = loadTable(projectDir, kPargenFile);
    if (!table) return false;
    Parameters parameters(*table);
    image.put8(parameters.required(pargen_xml::kBaudRateCAN) + 1);
    image.put8(parameters.required(pargen_xml::kCANType));
    image.put8(parameters.required(pargen_xml::kBaud_Ser));
    image.put8(parameters.required(pargen_xml::kPar_Ser));
    image.put8(parameters.required(pargen_xml::kIDDev_Ser));
    image.put16(parameters.required(pargen_xml::kTimeOut_Ser));
    image.put8(parameters.optional(pargen_xml::kTimeOut_Data, 0));
    image.put16(parameters.optional(pargen_xml::kTO_ModReg, 1));
    std::uint32_t peerToPeer = parameters.optional(pargen_xml::kPeer_to_Peer, 0);
    image.put8(peerToPeer);
    // The file says 1 for RS485, the device wants 1 for RS232. Missing means RS485.
    image.put8((parameters.optional(pargen_xml::kSerial, 1) & 0xFF) == 0 ? 1 : 0);
    image.put8(parameters.optional(pargen_xml::kWrite_J1939, 0));
    image.put8(parameters.optional(pargen_xml::kEn_Rem_Req, 0));
    image.put16(parameters.optional(pargen_xml::kPri_Des, 0));
    image.put16(parameters.optional(pargen_xml::kPGN1, 0));
    image.put16(parameters.optional(pargen_xml::kPGN2, 0));
    image.put16(parameters.optional(pargen_xml::kSA, 0));
    image.put8(parameters.optional(pargen_xml::kSend_Every, 0));
    image.put16(parameters.optional(pargen_xml::kSE_ms, 0));
    image.put8(parameters.optional(pargen_xml::kHW_Type, 0));
    image.put16(static_cast<std::uint32_t>(counts.receiveFrames));
    image.put16(static_cast<std::uint32_t>(counts.transmitFrames));
    image.put16(static_cast<std::uint32_t>(counts.receiveMappings));
    image.put16(static_cast<std::uint32_t>(counts.transmitMappings));
    return (peerToPeer & 0xFF) == 1;
}

}  // namespace

ConfigImage BuildConfigImage(const fs::path& projectDir) {
    ConfigImage result;
    ImageWriter image;
    for (std::size_t i = 0; i < kSectionCount; ++i) image.put32(0);

    ReceiveFrames frames = writeReceiveFrames(image, projectDir);
    result.receiveFrames = frames.count;
    image.patch32(4, static_cast<std::uint32_t>(image.position()));

    result.transmitFrames = writeTransmitFrames(image, projectDir);
    image.patch32(8, static_cast<std::uint32_t>(image.position()));

    result.receiveMappings = writeReceiveMappings(image, projectDir, frames);
    image.patch32(12, static_cast<std::uint32_t>(image.position()));

    result.transmitMappings = writeTransmitMappings(image, projectDir);
    image.patch32(16, static_cast<std::uint32_t>(image.position()));

    bool peerToPeer = writeParameters(image, projectDir, result);
    image.patch32(20, static_cast<std::uint32_t>(image.position()));

    for (std::uint8_t byte : frames.deleted) image.put8(byte);

    // In peer-to-peer mode the gateway takes a frame from any source address.
    std::vector<std::uint32_t> identifiers = frames.identifiers;
    if (peerToPeer)
        for (std::uint32_t& identifier : identifiers) identifier &= ~0xFFu;
    std::sort(identifiers.begin(), identifiers.end());
    image.patch32(24, static_cast<std::uint32_t>(image.position()));
    for (std::uint32_t identifier : identifiers) image.put32(identifier);

    image.patch32(0, static_cast<std::uint32_t>(kHeaderSize));
    checkImageSize(image.position());
    result.bytes = image.take();
    return result;
}

fs::path configImagePath(const fs::path& projectDir) {
    return projectDir / std::string(kBinFolder) / std::string(kImageFile);
}

void writeConfigImageFile(const ConfigImage& image, const fs::path& file) {
    writeFileAtomically(file, std::string_view(reinterpret_cast<const char*>(image.bytes.data()), image.bytes.size()));
}

void WriteConfigImage(const ConfigImage& image, const fs::path& projectDir) {
    writeConfigImageFile(image, configImagePath(projectDir));
}

}  // namespace telvanor
