#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "catalogue/pgn_catalogue.h"
#include "editors/receive_frames/receive_frames.h"

namespace telvanor {

// Where a receive frame's flags or byte range contradict what the PGN catalogue says of its
// PGN: "PGN 129029 (GNSS Position Data) is a fast-packet message but "Fast packet" is not
// ticked". These are warnings only: the catalogue is community data and the table's own
// checks decide what OK accepts. A PGN the catalogue does not know gives none.
std::vector<std::string> receiveFramingWarnings(const ReceiveFrameRow& row,
                                                const PgnCatalogue& catalogue = PgnCatalogue::builtIn());

// A warning of one row of the table: its row (from 1) and its text, prefixed with "row N: ".
struct RowFramingWarning {
    std::size_t row;
    std::string text;
};

// The warnings of every row of the table, up to its first empty Data Page.
std::vector<RowFramingWarning> receiveTableFramingWarnings(const std::vector<ReceiveFrameRow>& rows,
                                                           const PgnCatalogue& catalogue = PgnCatalogue::builtIn());

}  // namespace telvanor
