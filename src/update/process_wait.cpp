#include "update/process_wait.h"

namespace telvanor {

WaitEnd WaitForProcessEnd(const WaitServices& services, std::chrono::milliseconds timeout) {
    while (services.stillRunning()) {
        if (services.elapsed() >= timeout) return WaitEnd::TimedOut;
        services.pause();
    }
    return WaitEnd::Ended;
}

}  // namespace telvanor
