#include <exception>
#include <system_error>

#include "cli/cli.h"
#include "cli/cli_commands.h"
#include "cli/command_output.h"
#include "image/config_image.h"
#include "platform/path_text.h"
#include "project/workspace.h"

namespace telvanor {

namespace fs = std::filesystem;

namespace {

std::string plural(std::size_t count, const char* singular, const char* pluralForm) {
    return std::to_string(count) + " " + (count == 1 ? singular : pluralForm);
}

}  // namespace

int buildCommand(const fs::path& projectDir, const std::optional<fs::path>& output, std::ostream& out,
                 std::ostream& err) {
    std::error_code error;
    if (!fs::is_directory(projectDir, error)) {
        err << "telvanor-cli: " << platform::utf8FromPath(projectDir) << " is not a project folder\n";
        return kExitFailure;
    }
    // Without -o, bank.bin in the project's bin folder, found in any letter case; a missing folder
    // is made once the image is built.
    const fs::path target = output ? *output : configImagePath(projectDir);
    if (refusedAsProjectFile(projectDir, target, true, err)) return kExitFailure;
    try {
        ConfigImage image = BuildConfigImage(projectDir);
        const bool binFolderMade = !output && makeProjectBinFolder(projectDir);
        writeCommandOutput(
            target, std::string_view(reinterpret_cast<const char*>(image.bytes.data()), image.bytes.size()), out);
        // With the image on standard output, the summary goes with the messages.
        bool toOutput = target == "-";
        std::ostream& summary = toOutput ? err : out;
        summary << (toOutput ? std::string("standard output") : platform::utf8FromPath(target))
                << (binFolderMade ? " (bin folder made now)" : "") << ": " << image.bytes.size() << " bytes, "
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
