#include "platform/local_time.h"

namespace telvanor::platform {

std::tm localTime(std::time_t seconds) {
    std::tm local{};
    ::localtime_r(&seconds, &local);
    return local;
}

}  // namespace telvanor::platform
