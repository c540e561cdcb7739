#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "project/formats/frame_table_format.h"
#include "project/table_file.h"
#include "project/xml_document.h"

namespace telvanor {

// The frame table files RCobDef.xml and TCobDef.xml, named in project/formats: a root
// element COBID with one child element per frame, whose attributes hold the row's texts
// exactly as typed. A row's position, counted from 1, is its frame number.

// The frame table windows show this many rows.
inline constexpr std::size_t kFrameTableGridRows = 250;

// The name the frame table windows know the load's outcome by.
using FrameTableOutcome = TableFileOutcome;

// What loading a frame table file gives. After a failure, `rows` holds the rows read before
// it, the failing row last with the cells read up to the failure (the others empty).
template <typename Row>
struct FrameTableLoad {
    FrameTableOutcome outcome = FrameTableOutcome::NoFile;
    std::vector<Row> rows;
    std::string failure;  // only when the outcome is Failed
    LoadLoss loss;        // the rows the load left out, for the window to say and OK to ask
    // The row (from 1) and the required attribute it lacked, when that stopped the load.
    std::size_t failedRow = 0;
    std::string failedAttribute;
};

// Why a table would be refused, and where: the message the window shows, the file's row
// (from 1; 0 for the whole file) and the attribute at fault.
struct TableRefusal {
    std::string message;
    std::size_t row = 0;
    std::string attribute;

    bool operator==(const TableRefusal&) const = default;
};

// What a check of one row finds at fault: the attribute and the check's text.
struct RowFault {
    std::string_view attribute;
    std::string_view text;
};

// What the frame table window would make of a project's file at OK, for `telvanor-cli check`.
struct FrameTableCheck {
    bool present = false;                 // the file exists, so it was checked
    bool loadFailed = false;              // the refusal is the load's: the window cannot read the file whole
    std::optional<TableRefusal> refusal;  // the load failure, or the window's validation message
    std::vector<std::string> warnings;    // what would not stop OK but changes what it writes
};

// "Error in row " + the row number + the failing check's text, without a space between.
std::string rowError(std::size_t rowNumber, std::string_view checkText);

// A cell's text read by the integer text rule, where a text that is not integer text, the
// empty text included, counts as -1.
std::int32_t cellNumber(std::string_view text);

inline bool inRange(std::int32_t value, std::int32_t low, std::int32_t high) { return value >= low && value <= high; }

// Whether a text is blank: empty, or nothing but spaces and control characters.
bool isBlank(std::string_view text);

namespace frame_table_detail {

void saveTable(const std::filesystem::path& path, const XmlDocument& document);
// The warning for the file rows `first` to `last` (from 1) that OK would not write.
std::string droppedRows(std::size_t first, std::size_t last, std::string_view endColumn);

}  // namespace frame_table_detail

// Reads the frame table file at `path` (found in any letter case). An absent optional
// attribute leaves its field empty; an absent required one ends the load there.
template <typename Row, std::size_t N>
FrameTableLoad<Row> loadFrameTable(const std::filesystem::path& path, const std::array<RowField<Row>, N>& fields) {
    TableFile table = openTableFile(path, frame_table_xml::kRoot);
    FrameTableLoad<Row> load;
    readTableRows(table, fields, load.rows);
    load.outcome = table.outcome;
    load.failure = table.failure;
    load.loss = std::move(table.loss);
    load.failedRow = table.failedRow;
    load.failedAttribute = table.failedAttribute;
    return load;
}

// How many rows the table has: it ends at the first row whose `endField` is empty.
template <typename Row>
std::size_t frameTableLength(const std::vector<Row>& rows, std::string Row::*endField) {
    std::size_t length = 0;
    while (length < rows.size() && !(rows[length].*endField).empty()) ++length;
    return length;
}

// Writes the first `length` rows, every attribute in the order of `fields`, over the file at
// `path` (replacing it in whatever letter case it is spelled). Throws FileError.
template <typename Row, std::size_t N>
void saveFrameTable(const std::filesystem::path& path, const std::vector<Row>& rows, std::size_t length,
                    const std::array<RowField<Row>, N>& fields) {
    XmlDocument document;
    XmlElement root = document.createRoot(frame_table_xml::kRoot);
    for (std::size_t index = 0; index < length && index < rows.size(); ++index) {
        XmlElement element = root.appendChild(kRowElement);
        writeRowFields(element, fields, rows[index]);
    }
    frame_table_detail::saveTable(path, document);
}

// The first of the table's first `length` rows that `checkRow` (giving an optional RowFault)
// refuses: "Error in row N" and the check's text, with the row and the attribute at fault.
template <typename Row, typename CheckRow>
std::optional<TableRefusal> firstRowRefusal(const std::vector<Row>& rows, std::size_t length, CheckRow checkRow) {
    for (std::size_t index = 0; index < length && index < rows.size(); ++index)
        if (std::optional<RowFault> fault = checkRow(rows[index]))
            return TableRefusal{rowError(index + 1, fault->text), index + 1, std::string(fault->attribute)};
    return std::nullopt;
}

// The check of one loaded table: the load failure, or the window's validation of the rows it
// would collect (`refusalOf`, giving an optional TableRefusal), with warnings for rows that OK
// would drop or that the window does not show.
template <typename Row, typename RefusalOf>
FrameTableCheck checkFrameTable(const FrameTableLoad<Row>& loaded, std::string_view endColumn,
                                std::string Row::*endField, RefusalOf refusalOf) {
    FrameTableCheck check;
    if (loaded.outcome == FrameTableOutcome::NoFile) return check;
    check.present = true;
    if (loaded.outcome == FrameTableOutcome::Failed) {
        check.loadFailed = true;
        check.refusal = TableRefusal{loaded.failure, loaded.failedRow, loaded.failedAttribute};
        return check;
    }
    std::size_t length = frameTableLength(loaded.rows, endField);
    if (length < loaded.rows.size())
        check.warnings.push_back(frame_table_detail::droppedRows(length + 1, loaded.rows.size(), endColumn));
    else if (loaded.rows.size() > kFrameTableGridRows)
        check.warnings.push_back(std::to_string(loaded.rows.size()) + " rows: the window shows the first " +
                                 std::to_string(kFrameTableGridRows) + " and keeps the others unseen");
    check.refusal = refusalOf(loaded.rows);
    return check;
}

}  // namespace telvanor
