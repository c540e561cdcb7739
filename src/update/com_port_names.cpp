#include "update/com_port_names.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <system_error>

#include "platform/path_text.h"

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

std::optional<int> comPortNumber(std::string_view name) {
    if (!name.starts_with(kComPrefix)) return std::nullopt;
    std::string_view digits = name.substr(kComPrefix.size());
    if (digits.empty() || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    int number = 0;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc() || number < 1) return std::nullopt;
    return number;
}

std::string serialDeviceOf(std::string_view portName) {
#ifdef _WIN32
    return std::string(portName);
#else
    std::optional<int> number = comPortNumber(portName);
    return number ? "/dev/ttyS" + std::to_string(*number - 1) : std::string(portName);
#endif
}

std::string portIdentity(std::string_view device) {
    std::filesystem::path path = platform::pathFromUtf8(device);
    if (!path.is_absolute()) return std::string(device);
    std::error_code error;
    std::filesystem::path canonical = std::filesystem::weakly_canonical(path, error);
    return error ? std::string(device) : platform::utf8FromPath(canonical);
}

}  // namespace telvanor
