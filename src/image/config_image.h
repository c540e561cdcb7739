#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "project/project_place.h"

namespace telvanor {

// A value that its field in the image cannot hold whole. The field keeps the value's low bits, as
// the device has always been given them, so the build goes on; the warning tells what the
// device gets instead.
struct ImageWarning {
    ProjectPlace place;
    std::string problem;  // a predicate, as placedMessage takes it: "is 300, which does not fit ..."

    std::string message() const { return placedMessage(place, problem); }
};

// The compiled project, as the device loads it from bin/bank.bin.
struct ConfigImage {
    std::vector<std::uint8_t> bytes;
    std::size_t receiveFrames = 0;
    std::size_t transmitFrames = 0;
    std::size_t receiveMappings = 0;
    std::size_t transmitMappings = 0;
    // Whether the image holds the parameters section: only when the project has pargen.xml.
    bool hasParameters = false;
    std::vector<ImageWarning> warnings;
};

// A project that cannot be compiled. what() says what is wrong in the words of the window
// where the user mends it, then names the file, the row and the attribute or element:
// "Receive NMEA, row 1, Source Address is empty (RCobDef.xml row 1, ID_DEV)".
class ImageBuildError : public std::runtime_error {
public:
    ImageBuildError(ProjectPlace place, const std::string& problem)
        : std::runtime_error(placedMessage(place, problem)), place_(std::move(place)) {}

    const ProjectPlace& place() const { return place_; }

private:
    ProjectPlace place_;
};

// Compiles the five project files of `projectDir` (RCobDef.xml, TCobDef.xml, RInfoCob.xml,
// TInfoCob.xml, pargen.xml; any letter case). A missing file leaves its section empty.
// Throws ImageBuildError.
ConfigImage BuildConfigImage(const std::filesystem::path& projectDir);

// Writes the image to projectDir/bin/bank.bin, replacing it atomically; throws FileError
// (for instance when there is no bin folder).
void WriteConfigImage(const ConfigImage& image, const std::filesystem::path& projectDir);

// Writes the image to any file, atomically; throws FileError.
void writeConfigImageFile(const ConfigImage& image, const std::filesystem::path& file);

// Where WriteConfigImage puts the image.
std::filesystem::path configImagePath(const std::filesystem::path& projectDir);

}  // namespace telvanor
