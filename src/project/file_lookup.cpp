#include "project/file_lookup.h"

#include <string>
#include <system_error>

#include "project/equal_no_case.h"

namespace telvanor {

namespace fs = std::filesystem;

namespace {

bool isFile(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

}  // namespace

std::optional<fs::path> findFileNoCase(const fs::path& folder, std::string_view name) {
    fs::path exact = folder / fs::path(std::string(name));
    if (isFile(exact)) return exact;
    std::optional<fs::path> found;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const fs::path& candidate = it->path();
        if (!equalNoCase(candidate.filename().string(), name) || !isFile(candidate)) continue;
        if (!found || candidate.filename() < found->filename()) found = candidate;
    }
    return found;
}

fs::path writeTargetNoCase(const fs::path& folder, std::string_view name) {
    if (auto existing = findFileNoCase(folder, name)) return *existing;
    return folder / fs::path(std::string(name));
}

std::optional<fs::path> findFileNoCase(const fs::path& file) {
    return findFileNoCase(file.parent_path(), file.filename().string());
}

fs::path writeTargetNoCase(const fs::path& file) {
    return writeTargetNoCase(file.parent_path(), file.filename().string());
}

}  // namespace telvanor
