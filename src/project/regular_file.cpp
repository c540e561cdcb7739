#include "project/regular_file.h"

#include <system_error>

#include "platform/path_text.h"
#include "project/equal_no_case.h"
#include "project/file_lookup.h"

namespace telvanor {

namespace fs = std::filesystem;

std::optional<std::string> irregularFileKind(const fs::path& path) {
    std::error_code error;
    fs::file_status entry = fs::symlink_status(path, error);
    if (error || !fs::exists(entry)) return std::nullopt;
    fs::file_status target = fs::status(path, error);
    if (fs::is_symlink(entry) && !fs::exists(target)) return "a symbolic link to nothing";
    switch (target.type()) {
        case fs::file_type::regular:
            return std::nullopt;
        case fs::file_type::directory:
            return "a folder";
        case fs::file_type::fifo:
            return "a FIFO";
        case fs::file_type::socket:
            return "a socket";
        case fs::file_type::block:
        case fs::file_type::character:
            return "a device";
        default:
            return "not a regular file";
    }
}

std::string notRegularFileText(std::string_view name, const IrregularFile& file) {
    return std::string(name) + " is " + file.kind + ", not a regular file";
}

std::optional<IrregularFile> findIrregularFileNoCase(const fs::path& folder, std::string_view name) {
    if (findFileNoCase(folder, name)) return std::nullopt;
    std::optional<IrregularFile> found;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const fs::path& candidate = it->path();
        if (!equalNoCase(platform::utf8FromPath(candidate.filename()), name)) continue;
        std::optional<std::string> kind = irregularFileKind(candidate);
        if (kind && (!found || candidate.filename() < found->path.filename())) found = IrregularFile{candidate, *kind};
    }
    return found;
}

}  // namespace telvanor
