#pragma once

#include <cstddef>
#include <filesystem>

namespace telvanor::bench {

// Writes RCobDef.xml with `frames` receive frames (every tenth a multi-frame message of 16
// bytes) and RInfoCob.xml mapping each register 0 to 65535 once, in shuffled order, spread
// over the frames.
void writeFullRegisterMap(const std::filesystem::path& folder, std::size_t frames);

// The same frames with all 65,536 mappings on the first frame.
void writeRegisterMapOnOneFrame(const std::filesystem::path& folder, std::size_t frames);

}  // namespace telvanor::bench
