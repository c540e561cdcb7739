#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace telvanor {

// What a load could not take of a file, so that the window says so when it shows what it
// read, and OK asks before it writes less than the file held.

// A run of a file's rows that the load left out, and why.
struct DroppedRows {
    std::size_t first = 0;  // rows of the file, counted from 1
    std::size_t last = 0;
    std::string reason;  // "attribute PosComp is missing", "not read after row 6"

    bool operator==(const DroppedRows&) const = default;
};

struct LoadLoss {
    std::string file;            // the file's name, "RInfoCob.xml"
    std::string items = "rows";  // what its rows are to the user: "rows", "mappings", "entries"
    std::string unit = "row";    // how one of them is named with its number: "row 3", "element 20"
    std::size_t fileItems = 0;   // how many rows the file holds
    std::vector<DroppedRows> dropped;
    // A row the load kept with only the cells read before a failure in it, and the failure.
    std::optional<std::size_t> partialRow;
    std::string partialReason;
    // The whole file could not be read (not well-formed, not UTF-8, not a regular file): why.
    std::optional<std::string> unreadable;

    bool any() const { return unreadable.has_value() || partialRow.has_value() || !dropped.empty(); }
    std::size_t droppedCount() const;
    // Leaves out `first` to `last`, joining them to the run before when it ends just there with
    // the same reason.
    void drop(std::size_t first, std::size_t last, std::string reason);
    // A failure in row `row` (from 1) of `count` rows that ended the load: the row is kept in
    // part or left out, and the rows after it are not read.
    void stopAt(std::size_t row, std::size_t count, std::string reason, bool rowKept);

    bool operator==(const LoadLoss&) const = default;
};

// What the window adds at show after its own message: which rows were left out and why, and
// that OK asks before it saves less. Empty when nothing was lost.
std::string lossNotice(const LoadLoss& loss);

// What OK asks before it saves less than the file held, for instance "RInfoCob.xml: 5 of its
// 10 mappings could not be read. Saving now keeps 5 and removes 5 (the old file is kept in
// backup/).", with the rows and reasons after it. Empty when nothing was lost.
std::string lossQuestion(const LoadLoss& loss);

// What a table editor says of a file longer than its grid, at show: "TCobDef.xml holds 260
// rows; rows 251 to 260 are not shown and are written back unchanged".
std::string unseenRowsNotice(const std::string& file, std::size_t fileRows, std::size_t shownRows);

// What a table editor asks when OK fails in a row it does not show: keep the unseen rows
// (nothing is saved) or drop them.
std::string unseenFailureQuestion(const std::string& file, std::size_t fileRows, std::size_t shownRows);

// What OK says of rows that an empty cell of the end column cuts off the table: the row
// `endRow` (as labelled) has an empty `column`, and it and the rows to `lastRow` hold texts
// that are not saved.
std::string tableEndText(const std::string& column, const std::string& endRow, const std::string& lastRow);

// The texts one after another, an empty line between them.
std::string joinParagraphs(const std::vector<std::string>& paragraphs);

// The answers of the questions that guard a save, and their buttons.
inline constexpr const char* kSaveAnswer = "Save";
inline constexpr const char* kBackAnswer = "Back";
inline constexpr const char* kKeepAnswer = "Keep";
inline constexpr const char* kDropAnswer = "Drop";

}  // namespace telvanor
