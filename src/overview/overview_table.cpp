#include "overview/overview_table.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <limits>
#include <numeric>

#include "project/integer_text.h"
#include "report/report_tables.h"
#include "report/report_writers.h"

namespace telvanor {

namespace {

// What a row is sorted by: a number, then a text. The keys are gathered in one pass, so that
// the sort itself runs over a small array rather than over the rows.
struct SortKey {
    std::int64_t number = 0;
    const std::string* text = nullptr;
};

// Rows without a number sort after all numbers.
constexpr std::int64_t kNoNumber = std::numeric_limits<std::int64_t>::max();

template <typename Value>
std::int64_t numberOf(const std::optional<Value>& value) {
    return value ? static_cast<std::int64_t>(*value) : kNoNumber;
}

SortKey sortKey(const OverviewRow& row, OverviewColumn column) {
    switch (column) {
        case OverviewColumn::Direction:
            return {static_cast<std::int64_t>(row.kind)};
        case OverviewColumn::Register:
        case OverviewColumn::Hex:
        case OverviewColumn::TypedAs:
            return {numberOf(row.registerValue)};
        case OverviewColumn::Frame:
            return {static_cast<std::int64_t>(row.frameNumber)};
        case OverviewColumn::Pgn:
            return {numberOf(row.fullPgn), &row.cell(column)};
        case OverviewColumn::HighByte:
            return {numberOf(row.highByte)};
        case OverviewColumn::LowByte:
            return {numberOf(row.lowByte)};
        default:
            return {0, &row.cell(column)};
    }
}

int compareKeys(const SortKey& a, const SortKey& b) {
    if (a.number != b.number) return a.number < b.number ? -1 : 1;
    // Mappings of one frame share its texts: nothing to compare.
    if (a.text == b.text) return 0;
    return a.text->compare(*b.text);
}

bool holdsIgnoringCase(std::string_view text, std::string_view lowerPart) {
    auto found = std::search(text.begin(), text.end(), lowerPart.begin(), lowerPart.end(),
                             [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
    return found != text.end();
}

ReportTable overviewReportTable(const RegisterOverview& overview, const OverviewOrder& rows) {
    ReportTable table{"Register overview of project " + overview.projectName, {}, {}, "No mapping to show."};
    for (std::size_t column = 0; column < kOverviewColumns; ++column)
        table.columns.push_back(overviewColumnTitle(static_cast<OverviewColumn>(column)));
    table.rows.reserve(rows.size());
    for (std::size_t row : rows) {
        std::vector<std::string>& cells = table.rows.emplace_back();
        cells.reserve(kOverviewColumns);
        for (std::size_t column = 0; column < kOverviewColumns; ++column)
            cells.push_back(overview.rows[row].cell(static_cast<OverviewColumn>(column)));
    }
    return table;
}

// What the exports say above the table: which rows, the findings, what could not be read.
std::vector<std::string> exportLines(const RegisterOverview& overview, const OverviewOrder& rows,
                                     std::string_view filter) {
    std::string shown = std::to_string(rows.size()) + " of " + std::to_string(overview.rows.size()) + " mappings";
    if (!filter.empty()) shown += ", those holding \"" + std::string(filter) + "\"";
    std::vector<std::string> lines = {shown, findingsSummary(overview)};
    for (const std::string& problem : overview.problems) lines.push_back("Cannot read " + problem);
    return lines;
}

}  // namespace

OverviewOrder sortedRows(const RegisterOverview& overview, OverviewColumn column, bool ascending) {
    std::vector<SortKey> keys;
    keys.reserve(overview.rows.size());
    for (const OverviewRow& row : overview.rows) keys.push_back(sortKey(row, column));
    OverviewOrder order(overview.rows.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        int compared = compareKeys(keys[a], keys[b]);
        return ascending ? compared < 0 : compared > 0;
    });
    return order;
}

OverviewOrder filteredRows(const RegisterOverview& overview, const OverviewOrder& order, std::string_view filter) {
    if (filter.empty()) return order;
    std::string lower(filter);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    std::optional<std::int32_t> value = parseIntegerText(filter);
    OverviewOrder kept;
    for (std::size_t index : order) {
        const OverviewRow& row = overview.rows[index];
        bool keep =
            value && (row.registerValue == value || (*value >= 0 && row.fullPgn == static_cast<std::uint32_t>(*value)));
        for (std::size_t column = 0; !keep && column < kOverviewColumns; ++column)
            keep = holdsIgnoringCase(row.cell(static_cast<OverviewColumn>(column)), lower);
        if (keep) kept.push_back(index);
    }
    return kept;
}

std::string tabSeparatedRows(const RegisterOverview& overview, const OverviewOrder& rows) {
    std::string text;
    for (std::size_t row : rows) {
        for (std::size_t column = 0; column < kOverviewColumns; ++column) {
            if (column > 0) text += '\t';
            for (char c : overview.rows[row].cell(static_cast<OverviewColumn>(column)))
                text += c == '\t' || c == '\n' || c == '\r' ? ' ' : c;
        }
        text += '\n';
    }
    return text;
}

std::string overviewCsv(const RegisterOverview& overview, const OverviewOrder& rows, std::string_view filter,
                        char separator) {
    ReportTable table = overviewReportTable(overview, rows);
    std::vector<std::string> lines = exportLines(overview, rows, filter);
    lines.insert(lines.begin(), table.title);
    return csvTable(lines, table, separator);
}

std::string overviewHtml(const RegisterOverview& overview, const OverviewOrder& rows, std::string_view filter) {
    return htmlTablePage(exportLines(overview, rows, filter), overviewReportTable(overview, rows));
}

}  // namespace telvanor
