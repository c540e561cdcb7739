#include "editors/receive_frames/receive_frames.h"

#include <cstdint>
#include <string_view>
#include <utility>

#include "project/integer_text.h"

namespace telvanor {

namespace {

constexpr std::string_view kDataPageRange = "!! The Data Page must be 0 or 1";
constexpr std::string_view kPgnRange = "!! The PGN must be between 0x0000 and 0xFFFF";
constexpr std::string_view kSourceAddressRange = "!! The Source Address must be between 0 and 239";

// The byte range limits of one kind of long message and their texts.
struct ByteRange {
    std::int32_t limit;  // start byte plus byte count may reach it, each alone stays below it
    std::string_view startByte;
    std::string_view byteCount;
    std::string_view sum;
};

constexpr ByteRange kMultiPacketRange{1785, "!! The Start Byte must be between 1 and 1785",
                                      "!! The Number Bytes must be between 1 and 1785",
                                      "!! The Number Bytes plus Start Byte must be minor of 1785"};
constexpr ByteRange kFastPacketRange{223, "!! The Start Byte must be between 1 and 223",
                                     "!! The Number Bytes must be between 1 and 223",
                                     "!! The Number Bytes plus Start Byte must be minor of 223"};

using namespace rcobdef_xml;

std::optional<RowFault> checkByteRange(const ReceiveFrameRow& row, const ByteRange& range) {
    std::int32_t start = cellNumber(row.StartByte);
    std::int32_t count = cellNumber(row.NByte);
    if (!inRange(start, 1, range.limit - 1)) return RowFault{kStartByte, range.startByte};
    if (!inRange(count, 1, range.limit - 1)) return RowFault{kNByte, range.byteCount};
    if (start + count > range.limit) return RowFault{kNByte, range.sum};
    return std::nullopt;
}

std::optional<RowFault> checkRow(const ReceiveFrameRow& row) {
    std::int32_t dataPage = cellNumber(row.DataPage);
    if (dataPage != 0 && dataPage != 1) return RowFault{kDataPage, kDataPageRange};
    if (!inRange(cellNumber(row.PGN), 0, 65534)) return RowFault{kPGN, kPgnRange};
    // With Multi Packet explicitly unticked the address is required; otherwise a blank one passes.
    bool addressChecked = row.MultiFrame == "N" || !isBlank(row.ID_DEV);
    if (addressChecked && !inRange(cellNumber(row.ID_DEV), 1, 238)) return RowFault{kID_DEV, kSourceAddressRange};
    // The flags are compared exactly: "y" is not ticked here.
    if (row.MultiFrame == "Y") return checkByteRange(row, kMultiPacketRange);
    if (row.FastPacket == "Y") return checkByteRange(row, kFastPacketRange);
    return std::nullopt;
}

}  // namespace

ReceiveFramesLoad LoadReceiveFrames(const std::filesystem::path& file) {
    return loadFrameTable(file, rcobdef_xml::kFields);
}

std::size_t ReceiveFramesLength(const std::vector<ReceiveFrameRow>& rows) {
    return frameTableLength(rows, &ReceiveFrameRow::DataPage);
}

std::optional<TableRefusal> ReceiveFramesRefusal(const std::vector<ReceiveFrameRow>& rows) {
    return firstRowRefusal(rows, ReceiveFramesLength(rows), checkRow);
}

std::optional<std::string> ValidateReceiveFrames(const std::vector<ReceiveFrameRow>& rows) {
    if (std::optional<TableRefusal> refusal = ReceiveFramesRefusal(rows)) return refusal->message;
    return std::nullopt;
}

void SaveReceiveFrames(const std::filesystem::path& file, const std::vector<ReceiveFrameRow>& rows) {
    saveFrameTable(file, rows, ReceiveFramesLength(rows), rcobdef_xml::kFields);
}

FrameTableCheck CheckReceiveFrames(const std::filesystem::path& projectDir) {
    ReceiveFramesLoad loaded = LoadReceiveFrames(projectDir / std::string(kRCobDefFile));
    FrameTableCheck check =
        checkFrameTable(loaded, frame_table_xml::kDataPageColumn, &ReceiveFrameRow::DataPage, ReceiveFramesRefusal);
    if (loaded.outcome != FrameTableOutcome::Loaded) return check;
    // The window's checks compare the flags exactly, the image builder reads them upper-cased:
    // a lower-case "y" passes the window as unticked and reaches the device as ticked.
    std::size_t length = ReceiveFramesLength(loaded.rows);
    for (std::size_t index = 0; index < length; ++index) {
        const ReceiveFrameRow& row = loaded.rows[index];
        for (auto [attribute, flag] : {std::pair{kMultiFrame, &row.MultiFrame}, {kFastPacket, &row.FastPacket}}) {
            if (isYes(*flag) && *flag != "Y")
                check.warnings.push_back("row " + std::to_string(index + 1) + ": " + std::string(attribute) + " is \"" +
                                         *flag +
                                         "\": the window checks the row as unticked, the image builder takes it "
                                         "as ticked");
        }
    }
    return check;
}

}  // namespace telvanor
