#include "editors/transmit_frames/transmit_frames.h"

#include <cstdint>
#include <string_view>

namespace telvanor {

namespace {

constexpr std::string_view kPriorityRange = "!! The Priority of J1939 frame must be between 0 and 7";
constexpr std::string_view kDataPageRange = "!! The Data Page of J1939 frame must be or 0 or 1";
constexpr std::string_view kSourceAddressRange = "!! The ID Device must be between 0 and 239";

using namespace tcobdef_xml;

std::optional<RowFault> checkRow(const TransmitFrameRow& row) {
    if (!inRange(cellNumber(row.Priority), 0, 7)) return RowFault{kPriority, kPriorityRange};
    if (!inRange(cellNumber(row.DP), 0, 1)) return RowFault{kDP, kDataPageRange};
    if (!inRange(cellNumber(row.ID_DEV), 0, 239)) return RowFault{kID_DEV, kSourceAddressRange};
    return std::nullopt;
}

}  // namespace

TransmitFramesLoad LoadTransmitFrames(const std::filesystem::path& file) {
    return loadFrameTable(file, tcobdef_xml::kFields);
}

std::size_t TransmitFramesLength(const std::vector<TransmitFrameRow>& rows) {
    return frameTableLength(rows, &TransmitFrameRow::Priority);
}

std::optional<TableRefusal> TransmitFramesRefusal(const std::vector<TransmitFrameRow>& rows) {
    return firstRowRefusal(rows, TransmitFramesLength(rows), checkRow);
}

std::optional<std::string> ValidateTransmitFrames(const std::vector<TransmitFrameRow>& rows) {
    if (std::optional<TableRefusal> refusal = TransmitFramesRefusal(rows)) return refusal->message;
    return std::nullopt;
}

void SaveTransmitFrames(const std::filesystem::path& file, const std::vector<TransmitFrameRow>& rows) {
    saveFrameTable(file, rows, TransmitFramesLength(rows), tcobdef_xml::kFields);
}

FrameTableCheck CheckTransmitFrames(const std::filesystem::path& projectDir) {
    return checkFrameTable(LoadTransmitFrames(projectDir / std::string(kTCobDefFile)), kPriorityColumn,
                           &TransmitFrameRow::Priority, TransmitFramesRefusal);
}

}  // namespace telvanor
