#include <exception>

#include "cli/cli.h"
#include "cli/cli_commands.h"
#include "cli/command_output.h"
#include "image/config_image.h"
#include "platform/path_text.h"

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
    fs::path target = output ? *output : configImagePath(projectDir);
    if (refusedAsProjectFile(projectDir, target, true, err)) return kExitFailure;
    try {
        ConfigImage image = BuildConfigImage(projectDir);
        writeCommandOutput(
            target, std::string_view(reinterpret_cast<const char*>(image.bytes.data()), image.bytes.size()), out);
        // With the image on standard output, the summary goes with the messages.
        std::ostream& summary = target == "-" ? err : out;
        summary << (target == "-" ? std::string("standard output") : platform::utf8FromPath(target)) << ": "
                << image.bytes.size() << " bytes, " << plural(image.receiveFrames, "receive frame", "receive frames")
                << ", " << plural(image.transmitFrames, "transmit frame", "transmit frames") << ", "
                << plural(image.receiveMappings, "receive mapping", "receive mappings") << ", "
                << plural(image.transmitMappings, "transmit mapping", "transmit mappings") << "\n";
        return kExitSuccess;
    } catch (const std::exception& failure) {
        err << "telvanor-cli: " << failure.what() << "\n";
        return kExitFailure;
    }
}

}  // namespace telvanor
