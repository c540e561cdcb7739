#include "editors/register_map/register_map_file.h"

#include <string_view>

#include "platform/path_text.h"
#include "project/file_lookup.h"
#include "project/formats/pargen_format.h"
#include "project/formats/receive_frames_format.h"
#include "project/formats/register_map_format.h"
#include "project/formats/transmit_frames_format.h"
#include "project/integer_text.h"
#include "project/xml_document.h"

namespace telvanor {

namespace fs = std::filesystem;
using namespace infocob_xml;

namespace {

std::string rowFailure(std::size_t row, const std::string& what) { return "row " + std::to_string(row) + ": " + what; }

std::string attributeText(std::string_view attribute) { return "attribute " + std::string(attribute); }

std::string missingText(std::string_view attribute) { return attributeText(attribute) + " is missing"; }

// Reads one frame row into `frame`; gives what is wrong with the row, if anything.
std::optional<std::string> readFrameRow(MapKind kind, const XmlElement& row, TClPdo& frame) {
    auto required = [&row](std::string_view attribute, std::string& text) -> std::optional<std::string> {
        std::optional<std::string> value = row.attribute(attribute);
        if (!value) return missingText(attribute);
        text = std::move(*value);
        return std::nullopt;
    };
    std::optional<std::string> failure;
    if (kind == MapKind::Transmit) {
        using namespace tcobdef_xml;
        if ((failure = required(kPriority, frame.Priority))) return failure;
        if ((failure = required(kDP, frame.DataPage))) return failure;
        if ((failure = required(kPGN, frame.PGN))) return failure;
        return required(kID_DEV, frame.ID_DEV);
    }
    using namespace rcobdef_xml;
    if ((failure = required(kDataPage, frame.DataPage))) return failure;
    if ((failure = required(kPGN, frame.PGN))) return failure;
    if ((failure = required(kID_DEV, frame.ID_DEV))) return failure;
    std::string multiFrame;
    if ((failure = required(kMultiFrame, multiFrame))) return failure;
    // Only names the bytes for the windows; a missing or odd Start Byte leaves B1 at byte 1.
    std::optional<std::string> fastPacket = row.attribute(kFastPacket);
    if (isYes(multiFrame) || (fastPacket && isYes(*fastPacket))) {
        std::optional<std::string> startText = row.attribute(kStartByte);
        std::optional<std::int32_t> start = startText ? parseIntegerText(*startText) : std::nullopt;
        if (start && *start >= 1) frame.firstDataByte = *start;
    }
    if (!isYes(multiFrame)) return std::nullopt;
    std::string byteCount;
    if ((failure = required(kNByte, byteCount))) return failure;
    std::optional<std::int32_t> count = parseIntegerText(byteCount);
    if (!count) return attributeText(kNByte) + " of a multi-frame message is not an integer: '" + byteCount + "'";
    frame.byteCount = *count;
    return std::nullopt;
}

void loadFrameTable(const fs::path& projectDir, RegisterMapLoad& load) {
    MapKind kind = load.map.kind;
    std::optional<fs::path> file = findFileNoCase(projectDir, frameTableFileName(kind));
    if (!file) return;
    load.frameTableFound = true;
    XmlDocument document;
    if (std::optional<std::string> failure = document.load(*file)) {
        load.frameTableFailure = *failure;
        load.messages.emplace_back(kFrameTableReadError);
        return;
    }
    load.map.frameTableLoaded = true;
    std::vector<XmlElement> rows = document.documentElement()->children();
    load.map.frames.reserve(rows.size());
    for (std::size_t index = 0; index < rows.size(); ++index) {
        TClPdo frame;
        if (std::optional<std::string> failure = readFrameRow(kind, rows[index], frame)) {
            load.frameTableFailure = rowFailure(index + 1, *failure);
            load.messages.emplace_back(kFrameTableReadError);
            return;
        }
        frame.frameNumber = load.map.frames.size() + 1;
        load.map.frames.push_back(std::move(frame));
    }
}

// Makes room in each frame's list for the rows that name it, so that a map of many
// thousand mappings is attached without growing the lists row by row.
void reserveMappings(const std::vector<XmlElement>& rows, RegisterMapLoad& load) {
    std::vector<std::size_t> counts(load.map.frames.size(), 0);
    for (const XmlElement& row : rows) {
        std::optional<std::int32_t> frameNumber = parseIntegerText(row.attribute(infocob_xml::kNrPdo).value_or(""));
        if (frameNumber && *frameNumber > 0 && static_cast<std::size_t>(*frameNumber) <= counts.size())
            ++counts[static_cast<std::size_t>(*frameNumber) - 1];
    }
    for (std::size_t frame = 0; frame < counts.size(); ++frame) {
        load.map.frames[frame].mappings.reserve(counts[frame]);
        load.mappingRows[frame].reserve(counts[frame]);
    }
}

void loadMappings(const fs::path& projectDir, RegisterMapLoad& load) {
    MapKind kind = load.map.kind;
    load.mappingRows.assign(load.map.frames.size(), {});
    std::optional<fs::path> file = findFileNoCase(projectDir, mapFileName(kind));
    if (!file) return;
    load.mapFileFound = true;
    load.loss.file = platform::utf8FromPath(file->filename());
    load.loss.items = "mappings";
    std::vector<XmlElement> rows;
    // A failure in a row ends the load there: the rows after it are not read.
    auto fail = [&load, &rows](std::size_t rowNumber, const std::string& what) {
        load.mapFailure = rowFailure(rowNumber, what);
        load.messages.emplace_back(kMapReadError);
        load.loss.stopAt(rowNumber, rows.size(), what, false);
    };
    // A row's attribute that stops the reading, placed for the project check.
    auto failAt = [&fail, &load](std::size_t row, std::string_view attribute, std::string problem,
                                 std::size_t frame = 0) {
        fail(row, attributeText(attribute) + " " + problem);
        load.mapFault = MapRowFault{row, std::string(attribute), std::move(problem), frame};
    };
    XmlDocument document;
    if (std::optional<std::string> failure = document.load(*file)) {
        load.mapFailure = *failure;
        load.messages.emplace_back(kMapReadError);
        load.loss.unreadable = *failure;
        return;
    }
    rows = document.documentElement()->children();
    load.mapFileRows = rows.size();
    load.loss.fileItems = rows.size();
    if (!rows.empty() && !load.map.frameTableLoaded) {
        fail(1, "there is no frame table (" + std::string(frameTableFileName(kind)) + ") to attach it to");
        return;
    }
    std::size_t frameCount = load.map.frames.size();
    reserveMappings(rows, load);
    for (std::size_t index = 0; index < rows.size(); ++index) {
        const XmlElement& row = rows[index];
        std::size_t rowNumber = index + 1;
        std::optional<std::string> nrPdo = row.attribute(kNrPdo);
        if (!nrPdo) return failAt(rowNumber, kNrPdo, "is missing");
        std::optional<std::int32_t> frameNumber = parseIntegerText(*nrPdo);
        if (!frameNumber) return failAt(rowNumber, kNrPdo, "is not an integer: '" + *nrPdo + "'");
        if (*frameNumber > 0 && static_cast<std::size_t>(*frameNumber) > frameCount) {
            TClIndMB dropped{row.attribute("Index").value_or(""), row.attribute("PosComp").value_or(""),
                             kind == MapKind::Transmit ? row.attribute("Write_J1939").value_or("") : ""};
            load.droppedRows.push_back({rowNumber, *frameNumber, std::move(dropped)});
            load.loss.drop(rowNumber, rowNumber, missingFrameText(load, *frameNumber));
            continue;
        }
        if (*frameNumber < 1) return failAt(rowNumber, kNrPdo, "is below 1: " + *nrPdo);
        auto frameOfRow = static_cast<std::size_t>(*frameNumber);
        TClIndMB mapping;
        std::optional<std::string> indexText = row.attribute(kIndex);
        if (!indexText) return failAt(rowNumber, kIndex, "is missing", frameOfRow);
        std::optional<std::string> posComp = row.attribute(kPosComp);
        if (!posComp) return failAt(rowNumber, kPosComp, "is missing", frameOfRow);
        mapping.Index = std::move(*indexText);
        mapping.PosComp = std::move(*posComp);
        if (kind == MapKind::Transmit) mapping.Write_J1939 = row.attribute(kWrite_J1939).value_or("0");
        std::size_t frame = frameOfRow - 1;
        load.map.frames[frame].mappings.push_back(std::move(mapping));
        load.mappingRows[frame].push_back(rowNumber);
    }
}

}  // namespace

std::string framesText(std::size_t count) { return std::to_string(count) + (count == 1 ? " frame" : " frames"); }

std::string missingFrameText(const RegisterMapLoad& load, std::int32_t frameNumber) {
    std::string frameFile(frameTableFileName(load.map.kind));
    std::size_t frames = load.map.frames.size();
    std::string table = load.frameTableFailure
                            ? "the window reads only " + framesText(frames) + " of " + frameFile
                            : frameFile + " has " + std::to_string(frames) + (frames == 1 ? " row" : " rows");
    return std::string(kNrPdo) + " " + std::to_string(frameNumber) + " names no frame (" + table + ")";
}

std::vector<std::string> loadNotices(const RegisterMapLoad& load) {
    std::vector<std::string> notices;
    if (load.frameTableFailure)
        notices.push_back(std::string(kFrameTableReadError) + "\n\n" + std::string(frameTableFileName(load.map.kind)) +
                          ": " + *load.frameTableFailure + "; the window lists the " +
                          framesText(load.map.frames.size()) + " before it.");
    if (load.mapFailure || load.loss.any()) {
        std::string notice = load.mapFailure ? std::string(kMapReadError) + "\n\n" : std::string();
        notices.push_back(notice + lossNotice(load.loss));
    }
    return notices;
}

std::string_view frameTableFileName(MapKind kind) { return kind == MapKind::Receive ? kRCobDefFile : kTCobDefFile; }

std::string_view mapFileName(MapKind kind) { return kind == MapKind::Receive ? kRInfoCobFile : kTInfoCobFile; }

std::string_view mapRootName(MapKind kind) {
    return kind == MapKind::Receive ? infocob_xml::kReceiveRoot : infocob_xml::kTransmitRoot;
}

RegisterMapLoad LoadRegisterMap(const fs::path& projectDir, MapKind kind) {
    RegisterMapLoad load;
    load.map.kind = kind;
    loadFrameTable(projectDir, load);
    loadMappings(projectDir, load);
    return load;
}

bool LoadWriteNmeaOption(const fs::path& projectDir) {
    std::optional<fs::path> file = findFileNoCase(projectDir, kPargenFile);
    if (!file) return false;
    XmlDocument document;
    if (document.load(*file)) return false;
    std::optional<XmlElement> option = document.documentElement()->child(pargen_xml::kWrite_J1939);
    if (!option) return false;
    std::optional<std::int32_t> value = parseIntegerText(option->text().value_or(""));
    return value && (*value & 0xFF) != 0;
}

void SaveRegisterMap(const RegisterMap& map, const fs::path& projectDir) {
    // The order is complete before anything is written: an Index that is not an integer
    // leaves the old file as it was.
    std::vector<MappingRef> order = SaveOrder(map);
    XmlDocument document;
    XmlElement root = document.createRoot(mapRootName(map.kind));
    for (const MappingRef& ref : order) {
        const TClPdo& frame = map.frames[ref.frame];
        const TClIndMB& mapping = frame.mappings[ref.position];
        XmlElement row = root.appendChild(kRowElement);
        row.setAttribute(kIndex, mapping.Index);
        row.setAttribute(kNrPdo, std::to_string(frame.frameNumber));
        row.setAttribute(kPosComp, mapping.PosComp);
        if (map.kind == MapKind::Transmit) row.setAttribute(kWrite_J1939, mapping.Write_J1939);
    }
    document.save(writeTargetNoCase(projectDir, mapFileName(map.kind)));
}

}  // namespace telvanor
