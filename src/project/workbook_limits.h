#pragma once

#include <chrono>
#include <cstddef>

namespace telvanor {

// The limits of the workbook reader process. A real workbook of a project stays far below
// each: a full register map is 65,536 rows of four cells, the widest table 52 columns, and
// reading one takes well under a second. A file that reaches a limit is refused with a message
// that names the limit.
inline constexpr std::chrono::seconds kReaderTimeLimit{20};
inline constexpr std::size_t kReaderMemoryMegabytes = 512;
inline constexpr std::size_t kMaxWorkbookFileMegabytes = 100;
// The size of a worksheet's XML once unpacked from an .xlsx file.
inline constexpr std::size_t kMaxUnpackedSheetMegabytes = 256;
// Cells that hold something; empty cells do not count, however far apart the used ones are.
inline constexpr std::size_t kMaxSheetCells = 4'000'000;
inline constexpr std::size_t kMaxAnswerMegabytes = 256;

inline constexpr std::size_t kMegabyte = 1024 * 1024;

}  // namespace telvanor
