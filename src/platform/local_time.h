#pragma once

#include <ctime>

namespace telvanor::platform {

// The calendar time of `seconds` in the computer's time zone.
std::tm localTime(std::time_t seconds);

}  // namespace telvanor::platform
