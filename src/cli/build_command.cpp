#include <cerrno>
#include <exception>
#include <system_error>

#include "cli/cli.h"
#include "cli/cli_commands.h"
#include "cli/command_output.h"
#include "image/config_image.h"
#include "platform/path_text.h"
#include "project/atomic_file.h"
#include "project/file_lookup.h"
#include "project/workspace.h"

namespace telvanor {

namespace fs = std::filesystem;

namespace {

std::string plural(std::size_t count, const char* singular, const char* pluralForm) {
    return std::to_string(count) + " " + (count == 1 ? singular : pluralForm);
}

// Where the image goes unless the command line says: bank.bin in the project's bin folder, found
// in any letter case. The folder may be missing (empty folders get lost in zips and mail); it
// is made only once the image is built.
struct ImageTarget {
    fs::path file;
    bool folderMissing = false;
};

ImageTarget defaultImageTarget(const fs::path& projectDir) {
    fs::path file = configImagePath(projectDir);
    std::error_code error;
    return {file, !fs::is_directory(file.parent_path(), error)};
}

void makeFolder(const fs::path& folder) {
    std::error_code error;
    if (!fs::create_directory(folder, error) || error)
        throw FileError(fileFailureText("create the folder", folder, error ? error.value() : EEXIST));
}

}  // namespace

int buildCommand(const fs::path& projectDir, const std::optional<fs::path>& output, std::ostream& out,
                 std::ostream& err) {
    std::error_code error;
    if (!fs::is_directory(projectDir, error)) {
        err << "telvanor-cli: " << platform::utf8FromPath(projectDir) << " is not a project folder\n";
        return kExitFailure;
    }
    ImageTarget target = output ? ImageTarget{*output} : defaultImageTarget(projectDir);
    if (refusedAsProjectFile(projectDir, target.file, true, err)) return kExitFailure;
    try {
        ConfigImage image = BuildConfigImage(projectDir);
        if (target.folderMissing) makeFolder(target.file.parent_path());
        writeCommandOutput(
            target.file, std::string_view(reinterpret_cast<const char*>(image.bytes.data()), image.bytes.size()), out);
        // With the image on standard output, the summary goes with the messages.
        bool toOutput = target.file == "-";
        std::ostream& summary = toOutput ? err : out;
        summary << (toOutput ? std::string("standard output") : platform::utf8FromPath(target.file))
                << (target.folderMissing ? " (bin folder made now)" : "") << ": " << image.bytes.size() << " bytes, "
                << plural(image.receiveFrames, "receive frame", "receive frames") << ", "
                << plural(image.transmitFrames, "transmit frame", "transmit frames") << ", "
                << plural(image.receiveMappings, "receive mapping", "receive mappings") << ", "
                << plural(image.transmitMappings, "transmit mapping", "transmit mappings") << "\n";
        // Values the image keeps only the low bits of: written as ever, but never unsaid.
        for (const ImageWarning& warning : image.warnings)
            err << "warning: " << warning.place.file << ": " << warning.message() << "\n";
        return kExitSuccess;
    } catch (const std::exception& failure) {
        err << "telvanor-cli: " << failure.what() << "\n";
        return kExitFailure;
    }
}

}  // namespace telvanor
