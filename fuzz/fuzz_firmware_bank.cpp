#include <unistd.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "update/firmware_file.h"

namespace fs = std::filesystem;
using namespace telvanor;

// The bank step on any master file: it completes or gives its message, never leaves its
// intermediate records file behind, and never changes its input.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const fs::path folder = [] {
        fs::path base = fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
        fs::path made = base / ("telvanor-fuzz-firmware-" + std::to_string(::getpid()));
        fs::create_directories(made / "MASTER");
        fs::create_directories(made / "bin");
        std::ofstream(made / "bin" / "bank1.bin", std::ios::binary) << std::string(100, '\x5A');
        return made;
    }();
    std::string master(reinterpret_cast<const char*>(data), size);
    fs::path input = folder / "MASTER" / "SX40905.sx";
    std::ofstream(input, std::ios::binary | std::ios::trunc) << master;
    fs::path output = folder / "out.sx";
    fs::remove(output);

    FirmwareFiles files;
    files.masterDir = folder / "MASTER";
    files.sourceName = "SX40905.sx";
    files.binDir = folder / "bin";
    files.outputDir = folder;
    files.outputName = "New_SX40905.sx";
    NoFirmwareProgress progress;
    FirmwareOutcome outcome = RunBankStep(kFirmwareBanks[0], input, output, files, progress);
    if (fs::exists(folder / "bin" / std::string(kBankRecordsFile))) std::abort();
    std::ifstream check(input, std::ios::binary);
    std::string after((std::istreambuf_iterator<char>(check)), std::istreambuf_iterator<char>());
    if (after != master) std::abort();
    if (outcome.completed && !fs::exists(output)) std::abort();
    return 0;
}
