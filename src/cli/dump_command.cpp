#include <exception>

#include "cli/cli.h"
#include "cli/cli_commands.h"
#include "image/image_dump.h"
#include "image/image_format.h"
#include "project/atomic_file.h"

namespace telvanor {

int dumpCommand(const std::filesystem::path& imageFile, std::ostream& out, std::ostream& err) {
    try {
        // Anything larger than the device's limit cannot be an image; refuse it unread.
        std::string content = readWholeFile(imageFile, kMaxImageSize);
        std::vector<std::uint8_t> bytes(content.begin(), content.end());
        out << describeImage(bytes);
        return kExitSuccess;
    } catch (const ImageFormatError& failure) {
        err << "telvanor-cli: " << imageFile.string() << " is not a configuration image: " << failure.what() << "\n";
        return kExitFailure;
    } catch (const std::exception& failure) {
        err << "telvanor-cli: " << failure.what() << "\n";
        return kExitFailure;
    }
}

}  // namespace telvanor
