#include "project/file_backup.h"

#include <algorithm>
#include <ctime>
#include <string>
#include <tuple>
#include <vector>

#include "platform/file_system.h"
#include "platform/local_time.h"
#include "platform/path_text.h"
#include "project/atomic_file.h"
#include "project/equal_no_case.h"
#include "project/file_kind.h"

namespace telvanor {

namespace fs = std::filesystem;

namespace {

// A project file larger than this is not a project file that a window wrote.
constexpr std::size_t kMaxBackedUpBytes = 256u * 1024 * 1024;

// "20260115-093012": the local time of `now`.
std::string stampOf(std::chrono::system_clock::time_point now) {
    std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm local = platform::localTime(seconds);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return text;
}

// A backup of one file, ordered by its stamp and then its suffix ("-2" comes after none).
struct BackupName {
    std::string stamp;
    unsigned long suffix = 1;
    fs::path path;
};

bool allDigits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// The stamp and suffix of a backup of `fileName`: NAME.YYYYMMDD-HHMMSS or NAME.YYYYMMDD-HHMMSS-N.
std::optional<BackupName> backupNameOf(const fs::path& path, const std::string& fileName) {
    std::string name = platform::utf8FromPath(path.filename());
    if (name.size() < fileName.size() + 16 || name[fileName.size()] != '.' ||
        !equalNoCase(std::string_view(name).substr(0, fileName.size()), fileName))
        return std::nullopt;
    std::string_view rest = std::string_view(name).substr(fileName.size() + 1);
    if (!allDigits(rest.substr(0, 8)) || rest[8] != '-' || !allDigits(rest.substr(9, 6))) return std::nullopt;
    BackupName backup{std::string(rest.substr(0, 15)), 1, path};
    if (rest.size() > 15) {
        if (rest[15] != '-' || !allDigits(rest.substr(16)) || rest.size() > 24) return std::nullopt;
        backup.suffix = std::stoul(std::string(rest.substr(16)));
    }
    return backup;
}

void removeOldBackups(const fs::path& folder, const std::string& fileName) {
    std::vector<BackupName> backups;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code ignored;
        if (!it->is_regular_file(ignored) || it->is_symlink(ignored)) continue;
        if (std::optional<BackupName> backup = backupNameOf(it->path(), fileName)) backups.push_back(*backup);
    }
    if (backups.size() <= kBackupsKept) return;
    std::sort(backups.begin(), backups.end(), [](const BackupName& a, const BackupName& b) {
        return std::tie(a.stamp, a.suffix) > std::tie(b.stamp, b.suffix);
    });
    for (std::size_t index = kBackupsKept; index < backups.size(); ++index) fs::remove(backups[index].path, error);
}

}  // namespace

std::optional<fs::path> backUpFile(const fs::path& file, std::string_view replacement,
                                   std::chrono::system_clock::time_point now) {
    if (!entryExists(file)) return std::nullopt;
    if (std::optional<std::string> reason = irregularFileReason(file))
        throw FileError("Cannot back up " + platform::utf8FromPath(file) + ": " + *reason);
    platform::FileContent old = platform::readRegularFile(file, kMaxBackedUpBytes);
    if (old.irregular) throw FileError("Cannot back up " + platform::utf8FromPath(file) + ": it is not a regular file");
    if (old.tooLargeSize > 0)
        throw FileError("Cannot back up " + platform::utf8FromPath(file) + ": the file is " +
                        byteSizeText(old.tooLargeSize) + ", larger than the limit of " +
                        byteSizeText(kMaxBackedUpBytes));
    if (old.error) throw FileError(fileFailureText("back up", file, old.error));
    if (old.bytes == replacement) return std::nullopt;

    const fs::path folder = (file.has_parent_path() ? file.parent_path() : fs::path(".")) / std::string(kBackupFolder);
    auto failure = [&file, &folder](std::error_code error) {
        return FileError("Cannot back up " + platform::utf8FromPath(file) + " into " + platform::utf8FromPath(folder) +
                         ": " + error.message() + ". The file was not saved and is as it was.");
    };
    std::error_code error;
    fs::create_directory(folder, error);
    if (error) throw failure(error);

    const std::string fileName = platform::utf8FromPath(file.filename());
    const std::string base = fileName + "." + stampOf(now);
    fs::path backup;
    error = std::make_error_code(std::errc::file_exists);
    for (int suffix = 1; error == std::errc::file_exists; ++suffix) {
        if (suffix > 10000) throw failure(error);
        backup = folder / platform::pathFromUtf8(suffix == 1 ? base : base + "-" + std::to_string(suffix));
        error = platform::writeNewFile(backup, old.bytes, file);
    }
    if (error) {
        std::error_code ignored;
        if (error != std::errc::file_exists) fs::remove(backup, ignored);
        throw failure(error);
    }
    removeOldBackups(folder, fileName);
    return backup;
}

void saveProjectFile(const fs::path& file, std::string_view bytes) {
    if (std::optional<std::string> reason = irregularFileReason(file))
        throw FileError("Cannot write " + platform::utf8FromPath(file) + ": " + *reason);
    backUpFile(file, bytes);
    writeFileAtomically(file, bytes);
}

}  // namespace telvanor
