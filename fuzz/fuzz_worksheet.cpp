#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <string>

#include "workbook/workbook_reading.h"

namespace fs = std::filesystem;

// The workbook reading (FreeXL, libzip and pugixml underneath, and the CSV reader) on any bytes,
// in this process, so that a crash or a sanitizer report inside a library is a finding: every
// worksheet of a workbook that opens can be read, and anything else is a WorkbookError.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const fs::path file = (fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path()) /
                                 ("telvanor-fuzz-" + std::to_string(::getpid()) + ".xls");
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    try {
        for (const std::string& name : telvanor::readWorkbookContent(file, std::nullopt).sheetNames)
            (void)telvanor::readWorkbookContent(file, name);
    } catch (const telvanor::WorkbookError&) {
    }
    return 0;
}
