#include <unistd.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "fuzz_input.h"
#include "image/config_image.h"
#include "image/image_dump.h"

namespace fs = std::filesystem;

namespace {

fs::path projectFolder() {
    static const fs::path folder = [] {
        fs::path base = fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
        fs::path made = base / ("telvanor-fuzz-image-" + std::to_string(::getpid()));
        fs::create_directories(made);
        return made;
    }();
    return folder;
}

}  // namespace

// BuildConfigImage on a project folder whose five files come from the fuzzer (separated by
// kFileSeparator, in the order RCobDef, TCobDef, RInfoCob, TInfoCob, pargen). Any build either
// fails with its message or gives an image whose header the image reader accepts.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const char* names[] = {"RCobDef.xml", "TCobDef.xml", "RInfoCob.xml", "TInfoCob.xml", "pargen.xml"};
    std::vector<std::string> files = telvanor::fuzz::splitFiles(data, size, 5);
    fs::path folder = projectFolder();
    for (std::size_t i = 0; i < 5; ++i) {
        fs::path file = folder / names[i];
        if (files[i].empty()) {
            fs::remove(file);
            continue;
        }
        std::ofstream(file, std::ios::binary | std::ios::trunc) << files[i];
    }
    try {
        telvanor::ConfigImage image = telvanor::BuildConfigImage(folder);
        if (image.bytes.size() > 65535) std::abort();
        telvanor::ImageLayout layout = telvanor::readImageLayout(image.bytes);
        if (layout.receiveFrames != image.receiveFrames || layout.transmitMappings != image.transmitMappings)
            std::abort();
        (void)telvanor::describeImage(image.bytes);
    } catch (const telvanor::ImageBuildError&) {
    }
    return 0;
}
