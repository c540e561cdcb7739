#include "project/file_lookup.h"

#include <string>
#include <system_error>

#include "platform/path_text.h"
#include "project/equal_no_case.h"
#include "project/file_kind.h"

namespace telvanor {

namespace fs = std::filesystem;

namespace {

bool isRegularFile(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

bool isFolder(const fs::path& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

// Looks for `name` in `folder` in any letter case among the entries that `rank` counts (it gives
// nothing for the others): the exact spelling wins, then the lowest rank, then the first name in
// order. The names come from the folder's listing, never from asking for `name` itself: where
// the system finds an entry under any spelling (Windows, a FAT stick), that would give back the
// asked spelling, so messages would name a file that is not there under that name and a save
// would rename the engineer's file. Only a folder that may be entered but not listed is asked
// for the exact spelling.
template <typename Rank>
std::optional<fs::path> lookUpNoCase(const fs::path& folder, std::string_view name, Rank rank) {
    std::optional<fs::path> found;
    int foundRank = 0;
    std::error_code error;
    fs::directory_iterator it(folder, error);
    const bool listed = !error;
    for (fs::directory_iterator end; !error && it != end; it.increment(error)) {
        const fs::path& candidate = it->path();
        std::string candidateName = platform::utf8FromPath(candidate.filename());
        if (!equalNoCase(candidateName, name)) continue;
        std::optional<int> candidateRank = rank(candidate);
        if (!candidateRank) continue;
        if (candidateName == name) return candidate;
        if (!found || *candidateRank < foundRank ||
            (*candidateRank == foundRank && candidate.filename() < found->filename())) {
            found = candidate;
            foundRank = *candidateRank;
        }
    }
    if (found || listed) return found;
    fs::path exact = folder / platform::pathFromUtf8(name);
    if (rank(exact)) return exact;
    return std::nullopt;
}

}  // namespace

std::optional<fs::path> findFolderNoCase(const fs::path& folder, std::string_view name) {
    return lookUpNoCase(folder, name,
                        [](const fs::path& entry) { return isFolder(entry) ? std::optional(0) : std::nullopt; });
}

std::optional<fs::path> findFileNoCase(const fs::path& folder, std::string_view name) {
    // Any entry counts (a folder or a FIFO under the name is for the caller to refuse); a regular
    // file comes first.
    return lookUpNoCase(folder, name, [](const fs::path& entry) -> std::optional<int> {
        if (!entryExists(entry)) return std::nullopt;
        return isRegularFile(entry) ? 0 : 1;
    });
}

fs::path writeTargetNoCase(const fs::path& folder, std::string_view name) {
    if (auto existing = findFileNoCase(folder, name)) return *existing;
    return folder / platform::pathFromUtf8(name);
}

std::optional<fs::path> findFileNoCase(const fs::path& file) {
    return findFileNoCase(file.parent_path(), platform::utf8FromPath(file.filename()));
}

fs::path writeTargetNoCase(const fs::path& file) {
    return writeTargetNoCase(file.parent_path(), platform::utf8FromPath(file.filename()));
}

}  // namespace telvanor
