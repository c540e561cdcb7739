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

}  // namespace

std::optional<fs::path> findFolderNoCase(const fs::path& folder, std::string_view name) {
    // From the folder's listing, as findFileNoCase does, so that the name is spelled as it stands.
    std::optional<fs::path> found;
    std::error_code error;
    fs::directory_iterator it(folder, error);
    const bool listed = !error;
    for (fs::directory_iterator end; !error && it != end; it.increment(error)) {
        const fs::path& candidate = it->path();
        std::string candidateName = platform::utf8FromPath(candidate.filename());
        if (!equalNoCase(candidateName, name) || !isFolder(candidate)) continue;
        if (candidateName == name) return candidate;
        if (!found || candidate.filename() < found->filename()) found = candidate;
    }
    if (found || listed) return found;
    // A folder that may be entered but not listed still gives the exact spelling.
    fs::path exact = folder / platform::pathFromUtf8(name);
    if (isFolder(exact)) return exact;
    return std::nullopt;
}

std::optional<fs::path> findFileNoCase(const fs::path& folder, std::string_view name) {
    // The names come from the folder's listing, never from asking for `name` itself: where the
    // system finds a file under any spelling (Windows, a FAT stick), that would give back the
    // asked spelling, so messages would name a file that is not there under that name and a
    // save would rename the engineer's file.
    // Among other spellings a regular file comes first, then the first name in order.
    std::optional<fs::path> found;
    bool foundRegular = false;
    std::error_code error;
    fs::directory_iterator it(folder, error);
    const bool listed = !error;
    for (fs::directory_iterator end; !error && it != end; it.increment(error)) {
        const fs::path& candidate = it->path();
        std::string candidateName = platform::utf8FromPath(candidate.filename());
        if (candidateName == name) return candidate;
        if (!equalNoCase(candidateName, name)) continue;
        bool regular = isRegularFile(candidate);
        bool better = !found || (regular != foundRegular ? regular : candidate.filename() < found->filename());
        if (better) {
            found = candidate;
            foundRegular = regular;
        }
    }
    // Only a folder that may be entered but not listed is asked for the exact spelling: elsewhere
    // the system could answer for a spelling the listing did not match.
    if (found || listed) return found;
    fs::path exact = folder / platform::pathFromUtf8(name);
    if (entryExists(exact)) return exact;
    return std::nullopt;
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
