#pragma once

#include <unistd.h>

namespace telvanor::platform {

// Closes a file descriptor however the caller leaves.
struct Descriptor {
    int fd = -1;
    ~Descriptor() {
        if (fd >= 0) ::close(fd);
    }
};

}  // namespace telvanor::platform
