#pragma once

#include <string>
#include <string_view>

namespace telvanor {

// Every table file holds its rows as child elements of its root, which its writer names
// "row"; readers take the rows by position, whatever their element names.
inline constexpr std::string_view kRowElement = "row";

// One attribute of a table row and the member of the row's struct that holds its text.
template <typename Row>
struct RowField {
    std::string_view name;
    std::string Row::*text;
    // Whether a row without the attribute stops the load; an absent optional one leaves its
    // member empty.
    bool required = true;
    // Where the user types it: the header of its column in the table's window; empty for the
    // tables no reachable window edits.
    std::string_view column = {};
};

// The column header of an attribute among `fields`, or nothing when none is known.
template <typename Fields>
constexpr std::string_view columnOf(const Fields& fields, std::string_view attribute) {
    for (const auto& field : fields)
        if (field.name == attribute) return field.column;
    return {};
}

}  // namespace telvanor
