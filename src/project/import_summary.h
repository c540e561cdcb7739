#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "project/worksheet.h"

namespace telvanor {

// A row of an imported worksheet and what became of it: why it was skipped, or how a value
// of it was read otherwise than it stands.
struct RowNote {
    std::size_t row = 0;  // the row's number in the sheet
    std::string text;     // "frame 9 does not exist"

    bool operator==(const RowNote&) const = default;
};

// What an import from a worksheet did, told in one message. When `end` is not Complete the
// table is unchanged and `problem` says why.
struct ImportSummary {
    std::string table;       // the worksheet's name: "TInfoCob"
    std::string_view items;  // what a row becomes, in the plural: "mappings"
    std::string_view kept;   // what stays when nothing is imported: "the map"
    ImportEnd end = ImportEnd::Complete;
    std::string problem;
    std::size_t imported = 0;
    std::vector<RowNote> skipped;  // rows that gave nothing, and why
    std::vector<RowNote> readAs;   // values read otherwise than they stand ("Write flag 'yes' read as 0")
    std::size_t titleRow = 0;      // the row passed over as the title row; 0 for none

    bool changedTable() const { return end == ImportEnd::Complete; }
};

// The summary for a worksheet that could not be read (ImportSheet's end and problem).
ImportSummary unreadSummary(const ImportSheet& read, std::string table, std::string_view items, std::string_view kept);

// The message of an import: "TInfoCob: 812 mappings imported; 3 rows skipped (row 14: frame 9
// does not exist; row 15: ...)", or, when nothing changed, "TInfoCob: nothing imported, the
// map is unchanged: " and why. Lists up to ten rows of each kind and counts the rest.
std::string importMessage(const ImportSummary& summary);

// The message of an import that found rows but no item in them (an empty CSV file, a title row
// alone, rows all skipped), which the command line refuses rather than write an empty table:
// "TInfoCob: nothing imported, the map is unchanged: PATH holds no mappings; 2 rows skipped
// (row 1: ...)", or "...; row 1 is read as the title row".
std::string emptyImportMessage(const ImportSummary& summary, std::string_view file);

}  // namespace telvanor
