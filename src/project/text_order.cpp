#include "project/text_order.h"

#include <algorithm>
#include <cstdint>

#include "project/integer_text.h"

namespace telvanor {

std::vector<std::size_t> AscendingTextOrder(const std::vector<std::string_view>& texts) {
    std::vector<std::int32_t> values;
    values.reserve(texts.size());
    for (std::string_view text : texts) values.push_back(integerText(text));
    std::vector<std::size_t> order(texts.size());
    for (std::size_t position = 0; position < order.size(); ++position) order[position] = position;
    // Positions are unique, so the order is total and needs no stable sort.
    std::sort(order.begin(), order.end(), [&values](std::size_t a, std::size_t b) {
        if (values[a] != values[b]) return values[a] < values[b];
        return a > b;
    });
    return order;
}

}  // namespace telvanor
