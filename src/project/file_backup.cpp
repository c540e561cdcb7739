#include "project/file_backup.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <string>
#include <tuple>
#include <vector>

#include "project/atomic_file.h"
#include "project/equal_no_case.h"
#include "project/file_kind.h"

namespace telvanor {

namespace fs = std::filesystem;

namespace {

// Closes a descriptor when it goes out of scope.
struct Descriptor {
    int fd = -1;
    ~Descriptor() {
        if (fd >= 0) ::close(fd);
    }
};

// "20260115-093012": the local time of `now`.
std::string stampOf(std::chrono::system_clock::time_point now) {
    std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    ::localtime_r(&seconds, &local);
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
    std::string name = path.filename().string();
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

// Reads `count` bytes at the descriptor's position; false at an error or a short file.
bool readExactly(int fd, char* buffer, std::size_t count) {
    while (count > 0) {
        ssize_t got = ::read(fd, buffer, count);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        buffer += got;
        count -= static_cast<std::size_t>(got);
    }
    return true;
}

bool holdsExactly(int fd, std::uintmax_t size, std::string_view bytes) {
    if (size != bytes.size()) return false;
    std::string content(bytes.size(), '\0');
    return readExactly(fd, content.data(), content.size()) && content == bytes;
}

}  // namespace

std::optional<fs::path> backUpFile(const fs::path& file, std::string_view replacement,
                                   std::chrono::system_clock::time_point now) {
    if (!entryExists(file)) return std::nullopt;
    if (std::optional<std::string> reason = irregularFileReason(file))
        throw FileError("Cannot back up " + file.string() + ": " + *reason);
    Descriptor source{::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK)};
    struct stat status {};
    if (source.fd < 0 || ::fstat(source.fd, &status) != 0) throw FileError(fileFailureText("back up", file, errno));
    if (holdsExactly(source.fd, static_cast<std::uintmax_t>(status.st_size), replacement)) return std::nullopt;

    const fs::path folder = (file.has_parent_path() ? file.parent_path() : fs::path(".")) / std::string(kBackupFolder);
    auto failure = [&file, &folder](int error) {
        return FileError("Cannot back up " + file.string() + " into " + folder.string() + ": " + std::strerror(error) +
                         ". The file was not saved and is as it was.");
    };
    if (::mkdir(folder.c_str(), 0755) != 0 && errno != EEXIST) throw failure(errno);

    const std::string fileName = file.filename().string();
    const std::string base = fileName + "." + stampOf(now);
    fs::path backup;
    Descriptor target;
    for (int suffix = 1; target.fd < 0; ++suffix) {
        backup = folder / (suffix == 1 ? base : base + "-" + std::to_string(suffix));
        target.fd = ::open(backup.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, status.st_mode & 0666);
        if (target.fd < 0 && (errno != EEXIST || suffix >= 10000)) throw failure(errno);
    }

    int error = 0;
    if (::lseek(source.fd, 0, SEEK_SET) != 0) error = errno;
    char buffer[65536];
    while (error == 0) {
        ssize_t got = ::read(source.fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) error = errno;
        if (got <= 0) break;
        error = writeAll(target.fd, std::string_view(buffer, static_cast<std::size_t>(got)));
    }
    if (error == 0 && ::fsync(target.fd) != 0) error = errno;
    if (::close(target.fd) != 0 && error == 0) error = errno;
    target.fd = -1;
    if (error != 0) {
        ::unlink(backup.c_str());
        throw failure(error);
    }
    removeOldBackups(folder, fileName);
    return backup;
}

void saveProjectFile(const fs::path& file, std::string_view bytes) {
    if (std::optional<std::string> reason = irregularFileReason(file))
        throw FileError("Cannot write " + file.string() + ": " + *reason);
    backUpFile(file, bytes);
    writeFileAtomically(file, bytes);
}

}  // namespace telvanor
