#include "update/port_choices.h"

#include <algorithm>
#include <map>
#include <system_error>

#include "platform/path_text.h"
#include "update/com_port_names.h"

namespace telvanor {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kAbsent = "absent";

// Each device's stable link, by the device's identity.
std::map<std::string, std::string> stableNames(const fs::path& folder) {
    std::vector<fs::path> links;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) links.push_back(entry.path());
    std::sort(links.begin(), links.end());
    std::map<std::string, std::string> names;
    for (const fs::path& link : links)
        names.emplace(portIdentity(platform::utf8FromPath(link)), platform::utf8FromPath(link));
    return names;
}

std::string joined(const std::vector<std::string>& parts) {
    std::string text;
    for (const std::string& part : parts) {
        if (part.empty()) continue;
        if (!text.empty()) text += ", ";
        text += part;
    }
    return text;
}

}  // namespace

std::vector<PortChoice> portChoices(const std::vector<SystemPort>& system, const fs::path& stableFolder) {
    std::map<std::string, const SystemPort*> reported;
    for (const SystemPort& port : system) reported.emplace(portIdentity(port.device), &port);

    std::vector<PortChoice> choices;
    for (const std::string& name : fixedComPortNames()) {
        std::string device = serialDeviceOf(name);
        auto found = reported.find(portIdentity(device));
        std::string shownDevice = device == name ? std::string() : device;
        if (found == reported.end()) {
            choices.push_back({name, joined({shownDevice, std::string(kAbsent)}), false});
            continue;
        }
        choices.push_back({name, joined({shownDevice, found->second->description}), true});
        reported.erase(found);  // the device is offered under its COM name only
    }

    std::map<std::string, std::string> stable = stableNames(stableFolder);
    for (const SystemPort& port : system) {
        auto found = reported.find(portIdentity(port.device));
        if (found == reported.end()) continue;  // offered already
        reported.erase(found);
        auto link = stable.find(portIdentity(port.device));
        std::string name = link == stable.end() ? port.device : link->second;
        std::string serial = port.serialNumber.empty() ? std::string() : "serial number " + port.serialNumber;
        std::string device = name == port.device ? std::string() : port.device;
        choices.push_back({name, joined({port.description, serial, device}), true});
    }
    return choices;
}

std::optional<std::string> portNameProblem(std::string_view name) {
    if (comPortNumber(name)) return std::nullopt;
#ifndef _WIN32
    if (name.starts_with('/')) return std::nullopt;
    constexpr std::string_view kTypeInstead = "type a COM name such as COM3 or a device path such as /dev/ttyUSB0";
#else
    constexpr std::string_view kTypeInstead = "type a COM name such as COM3";
#endif
    if (name.empty()) return "No port chosen: pick one from the list, or " + std::string(kTypeInstead);
    return "'" + std::string(name) + "' is not a port: pick one from the list, or " + std::string(kTypeInstead);
}

}  // namespace telvanor
