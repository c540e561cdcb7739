#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "image/image_format.h"

namespace telvanor {

// An image whose header does not hold together. what() says which part is wrong.
class ImageFormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The sections of an image as its header gives them, checked against the file.
struct ImageLayout {
    std::array<std::uint32_t, kSectionCount> offsets{};
    std::size_t receiveFrames = 0;
    std::size_t transmitFrames = 0;
    std::size_t receiveMappings = 0;
    std::size_t transmitMappings = 0;
    bool hasParameters = false;
};

// Checks the header: offsets in order and inside the file, each section a whole number of
// records, the parameters' counts matching the sections, the length matching the identifier
// table. Throws ImageFormatError.
ImageLayout readImageLayout(const std::vector<std::uint8_t>& image);

// One record of an image, read by field: record[ReceiveFrameRecord::pgn].
class ImageRecord {
public:
    ImageRecord(const std::vector<std::uint8_t>& bytes, std::size_t at) : bytes_(bytes), at_(at) {}
    std::uint32_t operator[](ImageField field) const { return loadField(bytes_, at_, field); }

private:
    const std::vector<std::uint8_t>& bytes_;
    std::size_t at_;
};

// A checked image, read field by field through the image format's records.
class ImageReader {
public:
    // Throws ImageFormatError.
    explicit ImageReader(std::vector<std::uint8_t> bytes);

    const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    const ImageLayout& layout() const { return layout_; }
    std::uint32_t offset(ImageSection section) const { return layout_.offsets[sectionIndex(section)]; }

    // How many records the section holds; the parameters are one record or none.
    std::size_t count(ImageSection section) const;

    // The `index`-th record (from 0) of a section.
    ImageRecord record(ImageSection section, std::size_t index) const {
        return ImageRecord(bytes_, offset(section) + index * recordSize(section));
    }

    // Whether the deleted set marks receive frame row `row` (from 0, up to 255).
    bool deleted(std::size_t row) const;

    // The numbers (from 1) of the receive frames whose data begins at `dataPosition`, as a
    // receive mapping names its frame; frames of no data can share one.
    std::vector<std::size_t> framesAt(std::uint32_t dataPosition) const;

private:
    std::vector<std::uint8_t> bytes_;
    ImageLayout layout_;
};

}  // namespace telvanor
