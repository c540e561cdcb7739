#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "overview/register_overview.h"

namespace telvanor {

// The rows the table shows, as indexes into RegisterOverview::rows.
using OverviewOrder = std::vector<std::size_t>;

// All rows in the order of `column`: registers, frames, PGNs and byte positions by their
// values (rows without a number after the others, before them when descending), the other
// columns by their texts. Rows that compare equal keep the overview's order either way.
OverviewOrder sortedRows(const RegisterOverview& overview, OverviewColumn column, bool ascending);

// The rows of `order` that a filter text keeps: those with a cell holding it, in any letter
// case, and those whose register or full PGN is its value when it is an integer text ("0x1A"
// keeps register 26). An empty filter keeps every row.
OverviewOrder filteredRows(const RegisterOverview& overview, const OverviewOrder& order, std::string_view filter);

// The rows as tab-separated lines for the clipboard, one line per row, every column; a tab
// or line break inside a cell becomes a blank.
std::string tabSeparatedRows(const RegisterOverview& overview, const OverviewOrder& rows);

// The rows as a spreadsheet file and as a page, written by the report's writers. `filter`
// is named in the heading when the table shows only some rows.
std::string overviewCsv(const RegisterOverview& overview, const OverviewOrder& rows, std::string_view filter,
                        char separator = ',');
std::string overviewHtml(const RegisterOverview& overview, const OverviewOrder& rows, std::string_view filter);

}  // namespace telvanor
