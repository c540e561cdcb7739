#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <string>

#include "project/worksheet.h"

namespace fs = std::filesystem;

// The worksheet reader (FreeXL underneath) on any bytes: every worksheet of a workbook that
// opens can be read, and anything else is a WorkbookError.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const fs::path file = (fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path()) /
                                 ("telvanor-fuzz-" + std::to_string(::getpid()) + ".xls");
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    try {
        for (const std::string& name : telvanor::worksheetNames(file)) (void)telvanor::readWorksheet(file, name);
    } catch (const telvanor::WorkbookError&) {
    }
    return 0;
}
