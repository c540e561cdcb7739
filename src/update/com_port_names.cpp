#include "update/com_port_names.h"

#include <algorithm>
#include <charconv>

namespace telvanor {

namespace {

constexpr int kFixedPortCount = 10;
constexpr std::string_view kComPrefix = "COM";

}  // namespace

std::vector<std::string> fixedComPortNames() {
    std::vector<std::string> names;
    for (int n = 1; n <= kFixedPortCount; ++n) names.push_back(std::string(kComPrefix) + std::to_string(n));
    return names;
}

std::string serialDeviceOf(std::string_view portName) {
#ifdef _WIN32
    return std::string(portName);
#else
    if (!portName.starts_with(kComPrefix)) return std::string(portName);
    std::string_view digits = portName.substr(kComPrefix.size());
    if (digits.empty() || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::string(portName);
    int number = 0;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc() || number < 1) return std::string(portName);
    return "/dev/ttyS" + std::to_string(number - 1);
#endif
}

}  // namespace telvanor
