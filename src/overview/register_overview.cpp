#include "overview/register_overview.h"

#include <algorithm>
#include <numeric>
#include <unordered_map>

#include "catalogue/frame_row_lookup.h"
#include "editors/register_map/register_map_catalogue.h"
#include "editors/register_map/register_map_file.h"
#include "project/integer_text.h"
#include "report/project_report.h"
#include "report/report_tables.h"

namespace telvanor {

namespace fs = std::filesystem;

namespace {

constexpr std::int32_t kHighestRegister = 65535;

// What the findings need to know of a frame.
struct FrameLimits {
    // The byte positions the frame has: B1 to B8, or Byte1 to ByteN of a multi-frame message.
    std::uint32_t bytes = kOrdinaryFrameBytes;
    bool fastPacketTransmit = false;
};

FrameLimits frameLimits(MapKind kind, const TClPdo& frame) {
    FrameLimits limits;
    if (usesByteLists(kind, frame)) limits.bytes = static_cast<std::uint32_t>(std::max(frame.byteCount, 0));
    const PgnInfo* info = lookUpRowPgn(frame.DataPage, frame.PGN);
    limits.fastPacketTransmit = kind == MapKind::Transmit && info && info->framing == PgnFraming::FastPacket;
    return limits;
}

OverviewFrame& addFrame(RegisterOverview& overview, MapKind kind, const TClPdo& frame, const MapFrameTexts* texts) {
    OverviewFrame& added = overview.frames.emplace_back();
    added.kind = kind;
    added.number = frame.frameNumber;
    added.numberText = std::to_string(frame.frameNumber);
    added.gone = texts == nullptr;
    if (added.gone) return added;
    added.fullPgn = rowFullPgn(frame.DataPage, frame.PGN);
    std::string stored = "DP " + frame.DataPage + ", PGN " + frame.PGN;
    added.pgn = added.fullPgn ? std::to_string(*added.fullPgn) + " (" + stored + ")" : stored;
    added.name = frameCatalogueName(frame);
    added.sourceAddress = frame.ID_DEV;
    added.mnemonic = texts->mnemonic;
    return added;
}

void mark(OverviewRow& row, OverviewFinding finding) { row.findings |= 1u << static_cast<unsigned>(finding); }

std::string positionsText(const std::vector<std::uint32_t>& positions) {
    std::string text = positions.size() == 1 ? "byte " : "bytes ";
    for (std::size_t i = 0; i < positions.size(); ++i) text += (i == 0 ? "" : " and ") + std::to_string(positions[i]);
    return text;
}

// Marks what can be told from the row and its frame alone; gives the findings' texts.
std::string markRow(OverviewRow& row, const FrameLimits* limits, std::string_view frameTableFile) {
    std::vector<std::string> texts;
    if (row.highByte && *row.highByte == 0 && row.lowByte && *row.lowByte == 0) {
        mark(row, OverviewFinding::FeedsNeitherByte);
        texts.push_back("feeds neither byte");
    }
    if (limits && row.highByte && row.lowByte) {
        std::vector<std::uint32_t> beyond;
        for (std::uint32_t position : {*row.highByte, *row.lowByte})
            if (position > limits->bytes) beyond.push_back(position);
        if (!beyond.empty() && limits->fastPacketTransmit) {
            mark(row, OverviewFinding::BeyondFirstEightBytes);
            texts.push_back(positionsText(beyond) + " beyond the first 8 bytes of a fast-packet PGN");
        } else if (!beyond.empty()) {
            mark(row, OverviewFinding::BeyondFrameBytes);
            texts.push_back(positionsText(beyond) + " beyond the frame's " + std::to_string(limits->bytes) + " bytes");
        }
    }
    if (row.frameGone) {
        mark(row, OverviewFinding::FrameGone);
        texts.push_back("frame " + std::to_string(row.frameNumber) + " is gone from " + std::string(frameTableFile));
    }
    if (!row.registerValue || *row.registerValue < 0 || *row.registerValue > kHighestRegister) {
        mark(row, OverviewFinding::RegisterOutOfRange);
        texts.push_back(row.registerValue ? "register outside 0 to 65535" : "register is not a number");
    }
    if (!row.highByte) {
        mark(row, OverviewFinding::PositionsNotANumber);
        texts.push_back("byte positions are not a number");
    }
    std::string joined;
    for (const std::string& text : texts) joined += (joined.empty() ? "" : "; ") + text;
    return joined;
}

// How many mappings of a map use each register, counted up to two.
class RegisterUses {
public:
    void add(std::optional<std::int32_t> value) {
        if (!value) return;
        if (*value >= 0 && *value <= kHighestRegister) {
            std::uint8_t& count = inRange_[static_cast<std::size_t>(*value)];
            count = static_cast<std::uint8_t>(std::min(count + 1, 2));
        } else {
            ++outside_[*value];
        }
    }
    bool twice(std::optional<std::int32_t> value) const {
        if (!value) return false;
        if (*value >= 0 && *value <= kHighestRegister) return inRange_[static_cast<std::size_t>(*value)] > 1;
        auto found = outside_.find(*value);
        return found != outside_.end() && found->second > 1;
    }

private:
    std::vector<std::uint8_t> inRange_ = std::vector<std::uint8_t>(kHighestRegister + 1, 0);
    std::unordered_map<std::int32_t, std::size_t> outside_;
};

// One mapping to show: from the map, or a map file row whose frame is gone.
struct Source {
    const TClIndMB* mapping;
    std::size_t frame;     // its frame among those of the overview's map, gone ones after the others
    std::size_t position;  // in its frame's list
    std::optional<std::int32_t> registerValue;
};

void appendMap(const fs::path& projectDir, MapKind kind, const RegisterMap* edited, RegisterOverview& overview) {
    RegisterMapLoad load = LoadRegisterMap(projectDir, kind);
    const RegisterMap& map = edited ? *edited : load.map;
    std::string frameTableFile(frameTableFileName(kind));
    if (load.frameTableFailure) overview.problems.push_back(frameTableFile + ": " + *load.frameTableFailure);
    if (load.mapFailure) overview.problems.push_back(std::string(mapFileName(kind)) + ": " + *load.mapFailure);

    std::vector<MapFrameTexts> texts = mapFrameTexts(projectDir, kind);
    std::vector<OverviewFrame*> frames;
    std::vector<const TClPdo*> pdos;
    std::vector<FrameLimits> limits;
    std::vector<Source> sources;
    sources.reserve(map.mappingCount() + load.droppedRows.size());
    for (std::size_t frame = 0; frame < map.frames.size(); ++frame) {
        const TClPdo& pdo = map.frames[frame];
        static const MapFrameTexts kNoTexts;
        const MapFrameTexts& frameTexts = pdo.frameNumber <= texts.size() ? texts[pdo.frameNumber - 1] : kNoTexts;
        frames.push_back(&addFrame(overview, kind, pdo, &frameTexts));
        pdos.push_back(&pdo);
        limits.push_back(frameLimits(kind, pdo));
        for (std::size_t position = 0; position < pdo.mappings.size(); ++position)
            sources.push_back(
                {&pdo.mappings[position], frame, position, parseIntegerText(pdo.mappings[position].Index)});
    }
    // The map file's rows whose frame is gone: the window leaves them out, its next OK drops
    // them. A map being edited has left them out already.
    const std::size_t goneBase = frames.size();
    std::deque<TClPdo> goneFrames;
    std::map<std::int32_t, std::size_t> goneFrameOf;
    if (!edited)
        for (const DroppedMapRow& dropped : load.droppedRows) {
            auto [gone, isNew] = goneFrameOf.emplace(dropped.frameNumber, frames.size());
            if (isNew) {
                TClPdo& standIn = goneFrames.emplace_back();
                standIn.frameNumber = static_cast<std::size_t>(dropped.frameNumber);
                frames.push_back(&addFrame(overview, kind, standIn, nullptr));
                pdos.push_back(&standIn);
            }
            sources.push_back({&dropped.mapping, gone->second, 0, parseIntegerText(dropped.mapping.Index)});
        }

    RegisterUses uses;
    for (const Source& source : sources) uses.add(source.registerValue);
    // Register order; each row is made in its place and never moved.
    std::vector<std::size_t> order(sources.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&sources](std::size_t a, std::size_t b) {
        const std::optional<std::int32_t>& left = sources[a].registerValue;
        const std::optional<std::int32_t>& right = sources[b].registerValue;
        if (!left || !right) return left.has_value() && !right.has_value();
        return *left < *right;
    });

    overview.rows.reserve(overview.rows.size() + sources.size());
    for (std::size_t index : order) {
        const Source& source = sources[index];
        const bool gone = source.frame >= goneBase;
        OverviewFrame& frame = *frames[source.frame];
        const TClPdo& pdo = *pdos[source.frame];
        OverviewRow& row = overview.rows.emplace_back();
        row.kind = kind;
        row.frame = &frame;
        row.ref = gone ? MappingRef{} : MappingRef{source.frame, source.position};
        row.frameGone = gone;
        row.frameNumber = frame.number;
        row.fullPgn = frame.fullPgn;
        RegisterTexts registerText = registerTexts(source.mapping->Index);
        row.registerValue = registerText.value;
        if (registerText.value && source.mapping->Index != registerText.decimal) row.typedAs = source.mapping->Index;
        row.registerText = std::move(registerText.decimal);
        row.hexText = std::move(registerText.hex);
        if (std::optional<BytePositions> positions = bytePositions(kind, source.mapping->PosComp)) {
            row.highByte = positions->high;
            row.lowByte = positions->low;
            for (std::uint32_t position : {positions->high, positions->low})
                if (!frame.byteTexts.count(position)) frame.byteTexts[position] = byteText(frameByte(pdo, position));
        } else {
            row.positionsText = positionsNotANumber(source.mapping->PosComp);
        }
        if (kind == MapKind::Transmit) row.write = writeFlagText(source.mapping->Write_J1939);
        std::string findings = markRow(row, gone ? nullptr : &limits[source.frame], frameTableFile);
        if (uses.twice(row.registerValue)) {
            mark(row, OverviewFinding::MappedTwice);
            findings = "register mapped twice" + (findings.empty() ? "" : "; " + findings);
        }
        row.findingsText = std::move(findings);
    }
}

}  // namespace

const std::string& OverviewRow::cell(OverviewColumn column) const {
    static const std::string kNone;
    static const std::string kReceive = directionText(MapKind::Receive);
    static const std::string kTransmit = directionText(MapKind::Transmit);
    switch (column) {
        case OverviewColumn::Direction:
            return kind == MapKind::Receive ? kReceive : kTransmit;
        case OverviewColumn::Register:
            return registerText;
        case OverviewColumn::Hex:
            return hexText;
        case OverviewColumn::TypedAs:
            return typedAs;
        case OverviewColumn::Frame:
            return frame->numberText;
        case OverviewColumn::Pgn:
            return frame->pgn;
        case OverviewColumn::Name:
            return frame->name;
        case OverviewColumn::SourceAddress:
            return frame->sourceAddress;
        case OverviewColumn::HighByte:
            return highByte ? frame->byteTexts.at(*highByte) : positionsText;
        case OverviewColumn::LowByte:
            return lowByte ? frame->byteTexts.at(*lowByte) : positionsText;
        case OverviewColumn::Write:
            return write;
        case OverviewColumn::Mnemonic:
            return frame->mnemonic;
        case OverviewColumn::Findings:
            return findingsText;
    }
    return kNone;
}

RegisterOverview BuildRegisterOverview(const fs::path& projectDir, const RegisterMap* edited) {
    RegisterOverview overview;
    overview.projectName = projectFolderName(projectDir);
    for (MapKind kind : {MapKind::Receive, MapKind::Transmit})
        appendMap(projectDir, kind, edited && edited->kind == kind ? edited : nullptr, overview);
    for (const OverviewRow& row : overview.rows)
        for (std::size_t finding = 0; finding < kOverviewFindingKinds; ++finding)
            if (row.has(static_cast<OverviewFinding>(finding))) ++overview.findingCounts[finding];
    return overview;
}

std::string overviewColumnTitle(OverviewColumn column) {
    static const std::array<const char*, kOverviewColumns> titles = {
        "Direction", "Register",  "Hex",      "Typed as", "Frame",    "PGN",      "Name",
        "Source",    "High byte", "Low byte", "Write",    "Mnemonic", "Findings",
    };
    return titles[static_cast<std::size_t>(column)];
}

std::string findingName(OverviewFinding finding) {
    static const std::array<const char*, kOverviewFindingKinds> names = {
        "register mapped twice",
        "feeds neither byte",
        "beyond its frame's bytes",
        "beyond the first 8 bytes of a fast-packet PGN",
        "frame row gone",
        "register outside 0 to 65535",
        "byte positions not a number",
    };
    return names[static_cast<std::size_t>(finding)];
}

std::string findingsSummary(const RegisterOverview& overview) {
    std::size_t marked = 0;
    for (const OverviewRow& row : overview.rows)
        if (row.findings) ++marked;
    if (marked == 0) return "No findings";
    std::string counts;
    for (std::size_t finding = 0; finding < kOverviewFindingKinds; ++finding)
        if (std::size_t count = overview.findingCounts[finding])
            counts += (counts.empty() ? "" : ", ") + findingName(static_cast<OverviewFinding>(finding)) + " " +
                      std::to_string(count);
    return std::to_string(marked) + (marked == 1 ? " row" : " rows") + " with findings: " + counts;
}

}  // namespace telvanor
