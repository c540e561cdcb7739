#include "register_map_project.h"

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "project/xml_document.h"

namespace telvanor::bench {

namespace {

constexpr int kRegisters = 65536;

void writeFrames(const std::filesystem::path& folder, std::size_t frames) {
    std::filesystem::create_directories(folder);
    XmlDocument table;
    XmlElement root = table.createRoot("COBID");
    for (std::size_t i = 0; i < frames; ++i) {
        bool multi = i % 10 == 7;
        XmlElement row = root.appendChild("row");
        row.setAttribute("DataPage", "1");
        row.setAttribute("PGN", "0x" + std::to_string(0xF000 + i));
        row.setAttribute("ID_DEV", std::to_string(i % 200));
        row.setAttribute("MultiFrame", multi ? "Y" : "N");
        row.setAttribute("FastPacket", "N");
        row.setAttribute("StartByte", multi ? "1" : "");
        row.setAttribute("NByte", multi ? "16" : "");
        row.setAttribute("Delete", "N");
        row.setAttribute("Mnemonic", "Frame " + std::to_string(i + 1));
    }
    table.save(folder / "RCobDef.xml");
}

void writeMap(const std::filesystem::path& folder, std::size_t frames, bool oneFrame) {
    std::vector<int> registers(kRegisters);
    std::iota(registers.begin(), registers.end(), 0);
    std::shuffle(registers.begin(), registers.end(), std::mt19937(1));
    XmlDocument map;
    XmlElement root = map.createRoot("RInfoCob");
    for (int i = 0; i < kRegisters; ++i) {
        XmlElement row = root.appendChild("row");
        // Some registers written in hexadecimal, as users type them.
        int index = registers[static_cast<std::size_t>(i)];
        char hex[16];
        std::snprintf(hex, sizeof hex, "0x%X", index);
        row.setAttribute("Index", i % 5 == 0 ? std::string(hex) : std::to_string(index));
        row.setAttribute("NrPdo", std::to_string(oneFrame ? 1 : static_cast<std::size_t>(i) % frames + 1));
        row.setAttribute("PosComp", std::to_string(2 * 65536 + 1));
    }
    map.save(folder / "RInfoCob.xml");
}

}  // namespace

void writeFullRegisterMap(const std::filesystem::path& folder, std::size_t frames) {
    writeFrames(folder, frames);
    writeMap(folder, frames, false);
}

void writeRegisterMapOnOneFrame(const std::filesystem::path& folder, std::size_t frames) {
    writeFrames(folder, frames);
    writeMap(folder, frames, true);
}

}  // namespace telvanor::bench
