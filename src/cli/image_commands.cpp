#include <exception>
#include <iterator>

#include "cli/cli.h"
#include "cli/cli_commands.h"
#include "image/image_diff.h"
#include "image/image_dump.h"
#include "image/image_format.h"
#include "platform/path_text.h"
#include "project/atomic_file.h"

namespace telvanor {

namespace fs = std::filesystem;

namespace {

// An image file, or standard input for "-". Anything larger than the device's limit cannot be
// an image and is refused unread. Throws FileError or ImageFormatError.
ImageReader readImage(const fs::path& file, std::istream& in) {
    std::string content;
    if (file == "-") {
        content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        if (content.size() > kMaxImageSize)
            throw FileError("Cannot read standard input: more than " + std::to_string(kMaxImageSize) +
                            " bytes, the largest image there is");
    } else {
        content = readWholeFile(file, kMaxImageSize);
    }
    try {
        return ImageReader(std::vector<std::uint8_t>(content.begin(), content.end()));
    } catch (const ImageFormatError& failure) {
        std::string name = file == "-" ? std::string("standard input") : platform::utf8FromPath(file);
        throw ImageFormatError(name + " is not a configuration image: " + failure.what());
    }
}

}  // namespace

int dumpCommand(const fs::path& imageFile, DumpFormat format, std::istream& in, std::ostream& out, std::ostream& err) {
    try {
        ImageReader image = readImage(imageFile, in);
        out << (format == DumpFormat::Json ? imageJson(image) : describeImage(image));
        return kExitSuccess;
    } catch (const std::exception& failure) {
        err << "telvanor-cli: " << failure.what() << "\n";
        return kExitFailure;
    }
}

int diffCommand(const fs::path& before, const fs::path& after, std::istream& in, std::ostream& out, std::ostream& err) {
    if (before == "-" && after == "-") {
        err << "telvanor-cli: diff reads standard input for one image only\n";
        return kExitDiffTrouble;
    }
    try {
        std::vector<std::string> differences = diffImages(readImage(before, in), readImage(after, in));
        for (const std::string& line : differences) out << line << "\n";
        return differences.empty() ? kExitSuccess : kExitFailure;
    } catch (const std::exception& failure) {
        err << "telvanor-cli: " << failure.what() << "\n";
        return kExitDiffTrouble;
    }
}

}  // namespace telvanor
