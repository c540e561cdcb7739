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
};

}  // namespace telvanor
