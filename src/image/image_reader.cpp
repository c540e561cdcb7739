#include "image/image_reader.h"

#include <string>

#include "image/printf_text.h"

namespace telvanor {

namespace {

std::string nameOf(std::size_t section) { return std::string(kSectionNames[section]); }

std::size_t recordCount(const ImageLayout& layout, ImageSection section) {
    std::size_t index = sectionIndex(section);
    std::size_t length = layout.offsets[index + 1] - layout.offsets[index];
    if (length % recordSize(section) != 0)
        throw ImageFormatError(
            printfText("The %s section is %zu bytes long, which is not a whole number of %zu-byte records",
                       nameOf(index).c_str(), length, recordSize(section)));
    return length / recordSize(section);
}

void checkCount(const char* what, std::uint32_t stored, std::size_t records) {
    if (stored != records)
        throw ImageFormatError(
            printfText("The parameters count %u %s, but the section holds %zu", stored, what, records));
}

}  // namespace

ImageLayout readImageLayout(const std::vector<std::uint8_t>& image) {
    if (image.size() < kHeaderSize)
        throw ImageFormatError(
            printfText("The file is %zu bytes long, shorter than the %zu-byte header", image.size(), kHeaderSize));
    ImageLayout layout;
    for (std::size_t i = 0; i < kSectionCount; ++i)
        layout.offsets[i] = loadField(image, 0, headerSlot(static_cast<ImageSection>(i)));
    if (layout.offsets[0] != kHeaderSize)
        throw ImageFormatError(
            printfText("The receive frames offset is %u; it must be %zu", layout.offsets[0], kHeaderSize));
    for (std::size_t i = 0; i < kSectionCount; ++i) {
        if (layout.offsets[i] > image.size())
            throw ImageFormatError(printfText("The %s offset %u lies beyond the end of the file (%zu bytes)",
                                              nameOf(i).c_str(), layout.offsets[i], image.size()));
        if (i > 0 && layout.offsets[i] < layout.offsets[i - 1])
            throw ImageFormatError(printfText("The %s offset %u comes before the %s offset %u", nameOf(i).c_str(),
                                              layout.offsets[i], nameOf(i - 1).c_str(), layout.offsets[i - 1]));
    }
    layout.receiveFrames = recordCount(layout, ImageSection::ReceiveFrames);
    layout.transmitFrames = recordCount(layout, ImageSection::TransmitFrames);
    layout.receiveMappings = recordCount(layout, ImageSection::ReceiveMap);
    layout.transmitMappings = recordCount(layout, ImageSection::TransmitMap);

    std::uint32_t parametersAt = layout.offsets[sectionIndex(ImageSection::Parameters)];
    std::uint32_t deletedAt = layout.offsets[sectionIndex(ImageSection::DeletedSet)];
    std::uint32_t identifiersAt = layout.offsets[sectionIndex(ImageSection::Identifiers)];
    std::size_t parametersLength = deletedAt - parametersAt;
    if (parametersLength != 0 && parametersLength != ParametersRecord::size)
        throw ImageFormatError(printfText("The parameters section is %zu bytes long; it must be %zu or empty",
                                          parametersLength, ParametersRecord::size));
    layout.hasParameters = parametersLength == ParametersRecord::size;
    if (identifiersAt - deletedAt != kDeletedSetSize)
        throw ImageFormatError(
            printfText("The deleted set is %u bytes long; it must be %zu", identifiersAt - deletedAt, kDeletedSetSize));
    std::size_t expectedLength = identifiersAt + IdentifierRecord::size * layout.receiveFrames;
    if (image.size() != expectedLength)
        throw ImageFormatError(printfText("The file is %zu bytes long; with %zu receive frames it must be %zu",
                                          image.size(), layout.receiveFrames, expectedLength));
    if (layout.hasParameters) {
        checkCount("receive frames", loadField(image, parametersAt, ParametersRecord::receiveFrames),
                   layout.receiveFrames);
        checkCount("transmit frames", loadField(image, parametersAt, ParametersRecord::transmitFrames),
                   layout.transmitFrames);
        checkCount("receive register mappings", loadField(image, parametersAt, ParametersRecord::receiveMappings),
                   layout.receiveMappings);
        checkCount("transmit register mappings", loadField(image, parametersAt, ParametersRecord::transmitMappings),
                   layout.transmitMappings);
    }
    return layout;
}

ImageReader::ImageReader(std::vector<std::uint8_t> bytes)
    : bytes_(std::move(bytes)), layout_(readImageLayout(bytes_)) {}

std::size_t ImageReader::count(ImageSection section) const {
    switch (section) {
        case ImageSection::ReceiveFrames:
        case ImageSection::Identifiers:
            return layout_.receiveFrames;
        case ImageSection::TransmitFrames:
            return layout_.transmitFrames;
        case ImageSection::ReceiveMap:
            return layout_.receiveMappings;
        case ImageSection::TransmitMap:
            return layout_.transmitMappings;
        case ImageSection::Parameters:
            return layout_.hasParameters ? 1 : 0;
        case ImageSection::DeletedSet:
            break;
    }
    return 1;
}

bool ImageReader::deleted(std::size_t row) const {
    if (row >= kDeletedSetSize * 8) return false;
    return (bytes_[offset(ImageSection::DeletedSet) + row / 8] >> (row % 8) & 1) != 0;
}

std::vector<std::size_t> ImageReader::framesAt(std::uint32_t dataPosition) const {
    std::vector<std::size_t> frames;
    for (std::size_t i = 0; i < count(ImageSection::ReceiveFrames); ++i)
        if (record(ImageSection::ReceiveFrames, i)[ReceiveFrameRecord::dataPosition] == dataPosition)
            frames.push_back(i + 1);
    return frames;
}

}  // namespace telvanor
