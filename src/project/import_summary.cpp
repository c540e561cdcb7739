#include "project/import_summary.h"

namespace telvanor {

namespace {

constexpr std::size_t kRowsListed = 10;

std::string counted(std::size_t count, std::string_view plural) {
    std::string noun(plural);
    if (count == 1) {
        if (noun.ends_with("ies"))
            noun.replace(noun.size() - 3, 3, "y");
        else if (noun.ends_with('s'))
            noun.pop_back();
    }
    return std::to_string(count) + " " + noun;
}

// "3 rows skipped (row 14: frame 9 does not exist; ...; and 5 more)"
std::string noteList(const std::vector<RowNote>& notes, std::string_view plural, std::string_view what) {
    std::string text = "; " + counted(notes.size(), plural) + " " + std::string(what) + " (";
    for (std::size_t i = 0; i < notes.size() && i < kRowsListed; ++i)
        text += (i ? "; row " : "row ") + std::to_string(notes[i].row) + ": " + notes[i].text;
    if (notes.size() > kRowsListed) text += "; and " + std::to_string(notes.size() - kRowsListed) + " more";
    return text + ")";
}

std::string nothingImported(const ImportSummary& summary) {
    return summary.table + ": nothing imported, " + std::string(summary.kept) + " is unchanged: ";
}

}  // namespace

ImportSummary unreadSummary(const ImportSheet& read, std::string table, std::string_view items, std::string_view kept) {
    ImportSummary summary;
    summary.table = std::move(table);
    summary.items = items;
    summary.kept = kept;
    summary.end = read.end;
    summary.problem = read.problem;
    return summary;
}

std::string importMessage(const ImportSummary& summary) {
    if (!summary.changedTable()) return nothingImported(summary) + summary.problem;
    std::string text = summary.table + ": " + counted(summary.imported, summary.items) + " imported";
    if (!summary.skipped.empty()) text += noteList(summary.skipped, "rows", "skipped");
    if (!summary.readAs.empty()) text += noteList(summary.readAs, "values", "read otherwise");
    return text;
}

std::string emptyImportMessage(const ImportSummary& summary, std::string_view file) {
    std::string text = nothingImported(summary) + std::string(file) + " holds no " + std::string(summary.items);
    if (summary.titleRow != 0) text += "; row " + std::to_string(summary.titleRow) + " is read as the title row";
    if (!summary.skipped.empty()) text += noteList(summary.skipped, "rows", "skipped");
    return text;
}

}  // namespace telvanor
