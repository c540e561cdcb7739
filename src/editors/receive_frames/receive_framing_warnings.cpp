#include "editors/receive_frames/receive_framing_warnings.h"

#include <optional>

#include "catalogue/frame_row_lookup.h"
#include "project/integer_text.h"

namespace telvanor {

std::vector<std::string> receiveFramingWarnings(const ReceiveFrameRow& row, const PgnCatalogue& catalogue) {
    std::vector<std::string> warnings;
    const PgnInfo* info = lookUpRowPgn(row.DataPage, row.PGN, catalogue);
    if (!info) return warnings;

    // The flags are compared as the table's own checks compare them.
    const bool multiPacket = row.MultiFrame == "Y";
    const bool fastPacket = row.FastPacket == "Y";
    const std::string subject = pgnWithName(*info);
    switch (info->framing) {
        case PgnFraming::Single:
            if (fastPacket) warnings.push_back(subject + " is a single-frame message but \"Fast packet\" is ticked");
            if (multiPacket) warnings.push_back(subject + " is a single-frame message but \"Multi Packet\" is ticked");
            break;
        case PgnFraming::FastPacket:
            if (!fastPacket)
                warnings.push_back(subject + " is a fast-packet message but \"Fast packet\" is not ticked");
            break;
        case PgnFraming::IsoTransport:
            if (!multiPacket)
                warnings.push_back(subject +
                                   " is a multi-packet (ISO transport) message but \"Multi Packet\" is not ticked");
            break;
        case PgnFraming::Mixed:
            break;
    }

    // The handled part of a longer message must lie within the message.
    if ((multiPacket || fastPacket) && info->length > 0 && !info->minimumLength) {
        std::optional<std::int32_t> start = parseIntegerText(row.StartByte);
        std::optional<std::int32_t> count = parseIntegerText(row.NByte);
        if (start && count && *start >= 1 && *count >= 1) {
            const std::int64_t lastByte = std::int64_t{*start} + *count - 1;
            if (lastByte > info->length)
                warnings.push_back(subject + " is " + std::to_string(info->length) + " bytes long but \"Start Byte\" " +
                                   row.StartByte + " and \"N° Byte\" " + row.NByte + " reach byte " +
                                   std::to_string(lastByte));
        }
    }
    return warnings;
}

std::vector<RowFramingWarning> receiveTableFramingWarnings(const std::vector<ReceiveFrameRow>& rows,
                                                           const PgnCatalogue& catalogue) {
    std::vector<RowFramingWarning> warnings;
    const std::size_t length = ReceiveFramesLength(rows);
    for (std::size_t index = 0; index < length; ++index)
        for (const std::string& warning : receiveFramingWarnings(rows[index], catalogue))
            warnings.push_back({index + 1, "row " + std::to_string(index + 1) + ": " + warning});
    return warnings;
}

}  // namespace telvanor
