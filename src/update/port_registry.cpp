#include "update/port_registry.h"

#include "update/com_port_names.h"

namespace telvanor {

PortRegistry& PortRegistry::program() {
    static PortRegistry registry;
    return registry;
}

void PortRegistry::hold(const std::string& device, const std::string& user) { users_[portIdentity(device)] = user; }

void PortRegistry::release(const std::string& device, const std::string& user) {
    auto found = users_.find(portIdentity(device));
    if (found != users_.end() && found->second == user) users_.erase(found);
}

std::optional<std::string> PortRegistry::userOf(const std::string& device) const {
    auto found = users_.find(portIdentity(device));
    if (found == users_.end()) return std::nullopt;
    return found->second;
}

}  // namespace telvanor
