#include "report/project_report.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <system_error>

#include "catalogue/frame_row_lookup.h"
#include "catalogue/pgn_catalogue.h"
#include "editors/receive_frames/receive_frames.h"
#include "editors/register_map/register_map_catalogue.h"
#include "editors/register_map/register_map_file.h"
#include "editors/transmit_frames/transmit_frames.h"
#include "platform/path_text.h"
#include "project/file_lookup.h"
#include "project/formats/pargen_format.h"
#include "project/frame_table_file.h"
#include "project/integer_text.h"
#include "project/parameter_lists.h"

namespace telvanor {

namespace fs = std::filesystem;

namespace {

std::string hex(std::uint32_t value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%0*X", digits, value);
    return text;
}

template <std::size_t N>
std::string listEntry(const std::array<std::string_view, N>& list, int position, const char* unit) {
    if (position >= 0 && static_cast<std::size_t>(position) < N) return std::string(list[position]) + unit;
    return "not set (" + std::to_string(position) + ")";
}

std::string onOff(bool value) { return value ? "on" : "off"; }

// A frame's PGN in the report's three columns, and the catalogue's entry when it has one.
struct PgnTexts {
    std::string hex;
    std::string decimal;
    std::string name;
    const PgnInfo* info = nullptr;
};

PgnTexts pgnTexts(const std::string& dataPageText, const std::string& pgnText) {
    PgnTexts texts;
    std::optional<std::int32_t> pgn = parseIntegerText(pgnText);
    std::optional<std::int32_t> dataPage = parseIntegerText(dataPageText);
    // A value outside its field is shown as stored rather than cut to fit, which would name
    // another PGN.
    if (!pgn || !dataPage || !inRange(*pgn, 0, 0xFFFF) || !inRange(*dataPage, 0, 1)) {
        texts.hex = pgnText;
        // A PGN typed whole is named, with what the table wants instead.
        if (std::optional<std::uint32_t> whole = pgnTypedWhole(pgnText)) {
            texts.decimal = std::to_string(*whole);
            texts.info = PgnCatalogue::builtIn().find(*whole);
            texts.name = (texts.info ? texts.info->displayName() + "; " : std::string()) + rowPgnHint(pgnText);
        }
        return texts;
    }
    std::uint32_t full = fullPgn(static_cast<std::uint32_t>(*dataPage), static_cast<std::uint32_t>(*pgn));
    texts.hex = hex(full, 4);
    texts.decimal = std::to_string(full);
    texts.info = PgnCatalogue::builtIn().find(full);
    if (texts.info) texts.name = texts.info->displayName();
    return texts;
}

// What a receive and a transmit frame show alike: number, data page, PGN, name, source
// address and mnemonic.
template <typename Frame, typename Row>
Frame describedFrame(std::size_t number, const Row& row, std::string Row::*dataPage) {
    Frame frame;
    frame.number = number;
    frame.dataPage = row.*dataPage;
    PgnTexts pgn = pgnTexts(row.*dataPage, row.PGN);
    frame.pgnHex = pgn.hex;
    frame.pgnDecimal = pgn.decimal;
    frame.name = pgn.name;
    frame.sourceAddress = row.ID_DEV;
    frame.mnemonic = row.Mnemonic;
    return frame;
}

ReportReceiveFrame receiveFrame(std::size_t number, const ReceiveFrameRow& row) {
    auto frame = describedFrame<ReportReceiveFrame>(number, row, &ReceiveFrameRow::DataPage);
    bool multi = isYes(row.MultiFrame);
    bool fast = isYes(row.FastPacket);
    frame.framing = multi && fast ? "multi-packet + fast packet"
                    : multi       ? "multi-packet"
                    : fast        ? "fast packet"
                                  : "single frame";
    frame.bytes = multi || fast ? row.NByte + " from byte " + row.StartByte : std::to_string(kOrdinaryFrameBytes);
    frame.deleted = isYes(row.Delete);
    return frame;
}

ReportTransmitFrame transmitFrame(std::size_t number, const TransmitFrameRow& row) {
    auto frame = describedFrame<ReportTransmitFrame>(number, row, &TransmitFrameRow::DP);
    frame.priority = row.Priority;
    std::optional<std::int32_t> priority = parseIntegerText(row.Priority);
    std::optional<std::int32_t> dataPage = parseIntegerText(row.DP);
    std::optional<std::int32_t> pgnValue = parseIntegerText(row.PGN);
    std::optional<std::int32_t> source = parseIntegerText(row.ID_DEV);
    if (priority && dataPage && pgnValue && source) {
        // The identifier as the image builder composes it. A part too wide for its field
        // spills into the next one, so the value is marked rather than passed off as sound.
        std::uint32_t identifier = (static_cast<std::uint32_t>(*priority) << 26) +
                                   (static_cast<std::uint32_t>(*dataPage) << 24) +
                                   (static_cast<std::uint32_t>(*pgnValue) << 8) + static_cast<std::uint32_t>(*source);
        frame.identifier = hex(identifier, 8);
        if (!inRange(*priority, 0, 7) || !inRange(*dataPage, 0, 1) || !inRange(*pgnValue, 0, 0xFFFF) ||
            !inRange(*source, 0, 255))
            frame.identifier += " (a part out of range)";
    }
    return frame;
}

// The catalogue's field names of one frame's bytes, each looked up once.
class FrameByteFields {
public:
    explicit FrameByteFields(const TClPdo& frame) : frame_(frame) {}

    ReportByte byte(std::uint32_t position) {
        if (position == 0 || position > 0xFFFF) return frameByte(frame_, position);
        if (position >= fields_.size()) fields_.resize(position + 1);
        std::optional<ReportByte>& byte = fields_[position];
        if (!byte) byte = frameByte(frame_, position);
        return *byte;
    }

private:
    const TClPdo& frame_;
    std::vector<std::optional<ReportByte>> fields_;
};

ReportRegister reportRegister(MapKind kind, const TClIndMB& mapping, const TClPdo& pdo, const MapFrameTexts& frame,
                              FrameByteFields& fields) {
    ReportRegister entry;
    entry.kind = kind;
    entry.frameNumber = pdo.frameNumber;
    entry.frameMnemonic = frame.mnemonic;
    entry.pgn = frame.pgn;
    RegisterTexts texts = registerTexts(mapping.Index);
    entry.registerDecimal = std::move(texts.decimal);
    entry.registerHex = std::move(texts.hex);
    if (std::optional<BytePositions> positions = bytePositions(kind, mapping.PosComp)) {
        entry.high = fields.byte(positions->high);
        entry.low = fields.byte(positions->low);
    } else {
        entry.high.position = entry.low.position = positionsNotANumber(mapping.PosComp);
    }
    if (kind == MapKind::Transmit) entry.write = writeFlagText(mapping.Write_J1939);
    return entry;
}

template <typename Row>
std::vector<MapFrameTexts> mapFrames(const std::vector<Row>& rows, std::string Row::*dataPage) {
    std::vector<MapFrameTexts> frames;
    for (const Row& row : rows) {
        MapFrameTexts& frame = frames.emplace_back();
        frame.mnemonic = row.Mnemonic;
        PgnTexts pgn = pgnTexts(row.*dataPage, row.PGN);
        frame.pgn = pgn.name.empty() ? pgn.hex : pgn.decimal + " " + pgn.name;
    }
    return frames;
}

// The rows a frame table load gives that were read whole: a failed load's last row is cut
// short at the failure.
template <typename Row>
std::vector<Row> wholeRows(const FrameTableLoad<Row>& load) {
    std::vector<Row> rows = load.rows;
    if (load.outcome == FrameTableOutcome::Failed && !rows.empty()) rows.pop_back();
    return rows;
}

// The mappings of a map in register order; equal registers and those that are not numbers
// keep the order of the frames and their lists.
std::vector<ReportRegister> registers(const fs::path& projectDir, MapKind kind,
                                      const std::vector<MapFrameTexts>& frames) {
    RegisterMapLoad load = LoadRegisterMap(projectDir, kind);
    std::vector<std::pair<std::optional<std::int32_t>, ReportRegister>> entries;
    for (const TClPdo& pdo : load.map.frames) {
        MapFrameTexts frame =
            pdo.frameNumber >= 1 && pdo.frameNumber <= frames.size() ? frames[pdo.frameNumber - 1] : MapFrameTexts{};
        FrameByteFields fields(pdo);
        for (const TClIndMB& mapping : pdo.mappings)
            entries.emplace_back(parseIntegerText(mapping.Index), reportRegister(kind, mapping, pdo, frame, fields));
    }
    std::stable_sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
        if (!a.first || !b.first) return a.first.has_value() && !b.first.has_value();
        return *a.first < *b.first;
    });
    std::vector<ReportRegister> sorted;
    for (auto& entry : entries) sorted.push_back(std::move(entry.second));
    return sorted;
}

}  // namespace

std::vector<MapFrameTexts> mapFrameTexts(const fs::path& projectDir, MapKind kind) {
    if (kind == MapKind::Receive)
        return mapFrames(wholeRows(LoadReceiveFrames(projectDir / std::string(kRCobDefFile))),
                         &ReceiveFrameRow::DataPage);
    return mapFrames(wholeRows(LoadTransmitFrames(projectDir / std::string(kTCobDefFile))), &TransmitFrameRow::DP);
}

RegisterTexts registerTexts(const std::string& index) {
    RegisterTexts texts;
    texts.value = parseIntegerText(index);
    if (!texts.value) {
        texts.decimal = index;
        return texts;
    }
    texts.decimal = std::to_string(*texts.value);
    texts.hex = hex(static_cast<std::uint32_t>(*texts.value), 4);
    return texts;
}

std::optional<BytePositions> bytePositions(MapKind kind, const std::string& posComp) {
    std::optional<std::int32_t> packed = parseIntegerText(posComp);
    if (!packed) return std::nullopt;
    auto value = static_cast<std::uint32_t>(*packed);
    if (kind == MapKind::Receive) return BytePositions{value >> 16, value & 0xFFFF};
    return BytePositions{value >> 4 & 0xF, value & 0xF};
}

std::string positionsNotANumber(const std::string& posComp) { return "'" + posComp + "' (not a number)"; }

ReportByte frameByte(const TClPdo& frame, std::uint32_t position) {
    if (position == 0) return {"none", ""};
    return {"byte " + std::to_string(position), frameByteField(frame, static_cast<int>(position))};
}

std::string writeFlagText(const std::string& write) { return write == "1" ? "yes" : write == "0" ? "no" : write; }

std::string projectFolderName(const fs::path& projectDir) {
    std::error_code error;
    fs::path absolute = fs::weakly_canonical(fs::absolute(projectDir, error), error);
    if (error) absolute = projectDir;
    if (!absolute.has_filename()) absolute = absolute.parent_path();
    return platform::utf8FromPath(absolute.filename());
}

std::string describeCommParams(const CommParams& params) {
    std::string text = "CAN " + listEntry(kCanBitRates, params.BaudRateCAN, " kbit/s") + ", " +
                       (params.CANType ? "29-bit identifiers" : "11-bit identifiers");
    text += std::string("; ") + (params.Serial ? "RS485 " : "RS232 ") +
            listEntry(kSerialBaudRates, params.Baud_Ser, " baud") + ", parity " +
            listEntry(kParities, params.Par_Ser, "") + ", Modbus device ID " + params.IDDev_Ser;
    text += "; serial time-out " + params.TimeOut_Ser + " ms";
    text += "; data time-out " + params.TimeOut_Data + " s, Modbus register " + params.TO_ModReg;
    text += "; peer to peer " + onOff(params.Peer_to_Peer);
    text += "; write NMEA on request " + onOff(params.Write_J1939);
    text += "; remote request " + onOff(params.En_Rem_Req);
    if (params.En_Rem_Req)
        text += " (registers: priority and destination " + params.Pri_Des + ", PGN part 1 " + params.PGN1 +
                ", PGN part 2 " + params.PGN2 + ", source address " + params.SA + ")";
    text += "; send frame every " + (params.Send_Every ? params.SE_ms + " ms" : std::string("off"));
    text += std::string("; hardware variant ") + (params.HW_Type ? "B2 (RM40915-B2)" : "A1 (RM40915-A1)");
    return text;
}

std::string newestProjectFileDate(const fs::path& projectDir) {
    std::optional<fs::file_time_type> newest;
    for (const ProjectFileChecker& checked : projectFileCheckers()) {
        std::optional<fs::path> file = findFileNoCase(projectDir, checked.fileName);
        if (!file) continue;
        std::error_code error;
        fs::file_time_type time = fs::last_write_time(*file, error);
        if (!error && (!newest || time > *newest)) newest = time;
    }
    if (!newest) return "";
    auto days = std::chrono::floor<std::chrono::days>(std::chrono::file_clock::to_sys(*newest));
    std::chrono::year_month_day date{days};
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    return text;
}

ProjectReport BuildProjectReport(const fs::path& projectDir) {
    ProjectReport report;
    report.projectName = projectFolderName(projectDir);
    report.date = newestProjectFileDate(projectDir);
    report.problems = CheckProject(projectDir).findings;

    if (std::optional<fs::path> pargen = findFileNoCase(projectDir, kPargenFile)) {
        CommParamsLoad load = LoadCommParams(*pargen);
        if (load.outcome == CommParamsOutcome::Loaded) report.parameters = describeCommParams(load.params);
    }

    std::vector<ReceiveFrameRow> receiveRows = wholeRows(LoadReceiveFrames(projectDir / std::string(kRCobDefFile)));
    for (std::size_t i = 0; i < receiveRows.size(); ++i)
        report.receiveFrames.push_back(receiveFrame(i + 1, receiveRows[i]));
    std::vector<TransmitFrameRow> transmitRows = wholeRows(LoadTransmitFrames(projectDir / std::string(kTCobDefFile)));
    for (std::size_t i = 0; i < transmitRows.size(); ++i)
        report.transmitFrames.push_back(transmitFrame(i + 1, transmitRows[i]));

    report.receiveRegisters =
        registers(projectDir, MapKind::Receive, mapFrames(receiveRows, &ReceiveFrameRow::DataPage));
    report.transmitRegisters = registers(projectDir, MapKind::Transmit, mapFrames(transmitRows, &TransmitFrameRow::DP));
    return report;
}

}  // namespace telvanor
