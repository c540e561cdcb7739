#pragma once

#include <filesystem>

namespace telvanor::bench {

// Writes the largest project the device takes into `folder`: 250 receive frames (every
// tenth fast-packet, every tenth multi-packet), 250 transmit frames, 4,000 receive and
// 4,000 transmit register mappings, and pargen.xml.
void writeMaximalProject(const std::filesystem::path& folder);

}  // namespace telvanor::bench
