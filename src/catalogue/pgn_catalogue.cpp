#include "catalogue/pgn_catalogue.h"

#include <algorithm>
#include <charconv>

namespace telvanor {

// The committed catalogue file, embedded by the build.
extern const unsigned char kPgnCatalogueBytes[];
extern const std::size_t kPgnCatalogueSize;

namespace {

std::vector<std::string_view> splitTabs(std::string_view line) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (;;) {
        std::size_t tab = line.find('\t', start);
        parts.push_back(line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
        if (tab == std::string_view::npos) return parts;
        start = tab + 1;
    }
}

template <typename Number>
std::optional<Number> number(std::string_view text) {
    Number value{};
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::optional<PgnFraming> framingOf(std::string_view text) {
    if (text == "Single") return PgnFraming::Single;
    if (text == "Fast") return PgnFraming::FastPacket;
    if (text == "ISO") return PgnFraming::IsoTransport;
    if (text == "Mixed") return PgnFraming::Mixed;
    return std::nullopt;
}

std::string scale(const PgnField& field) {
    std::string text = field.resolution == "1" ? std::string() : field.resolution;
    if (!field.unit.empty()) text += (text.empty() ? "" : " ") + field.unit;
    return text;
}

// Which part of a field a byte is: "low byte", "high byte", "byte 2 of 4".
std::string partOf(const PgnField& field, std::uint32_t byteStart) {
    std::uint32_t bytes = (field.bitLength + 7) / 8;
    std::uint32_t index = (byteStart - std::min(byteStart, field.bitOffset)) / 8;
    if (bytes <= 1 || field.bitOffset % 8 != 0) return "";
    if (index == 0) return "low byte";
    if (index + 1 == bytes) return "high byte";
    return "byte " + std::to_string(index + 1) + " of " + std::to_string(bytes);
}

}  // namespace

std::string PgnInfo::displayName() const {
    return variants > 1 ? name + " (" + std::to_string(variants) + " variants)" : name;
}

std::string PgnInfo::framingText() const {
    switch (framing) {
        case PgnFraming::Single:
            return "single frame";
        case PgnFraming::FastPacket:
            return "fast packet";
        case PgnFraming::IsoTransport:
            return "multi-packet (ISO transport)";
        case PgnFraming::Mixed:
            return "single frame or multi-packet";
    }
    return "";
}

std::string PgnInfo::summary() const {
    std::string text = std::to_string(pgn) + " " + displayName();
    if (priority) text += ", priority " + std::to_string(*priority);
    text += ", " + framingText();
    if (length > 0) text += ", " + std::string(minimumLength ? "at least " : "") + std::to_string(length) + " bytes";
    return text;
}

PgnCatalogue PgnCatalogue::parse(std::string_view text) {
    PgnCatalogue catalogue;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        std::vector<std::string_view> parts = splitTabs(line);
        if (parts[0] == "PGN" && parts.size() == 8) {
            auto pgn = number<std::uint32_t>(parts[1]);
            auto framing = framingOf(parts[3]);
            if (!pgn || !framing) continue;
            PgnInfo info;
            info.pgn = *pgn;
            if (auto priority = number<int>(parts[2])) info.priority = *priority;
            info.framing = *framing;
            info.length = number<std::uint32_t>(parts[4]).value_or(0);
            info.minimumLength = parts[5] == "1";
            info.variants = number<int>(parts[6]).value_or(1);
            info.name = parts[7];
            catalogue.entries_.push_back(std::move(info));
        } else if (parts[0] == "FIELD" && parts.size() == 6 && !catalogue.entries_.empty()) {
            auto offset = number<std::uint32_t>(parts[1]);
            auto length = number<std::uint32_t>(parts[2]);
            if (!offset || !length) continue;
            catalogue.entries_.back().fields.push_back(
                {*offset, *length, std::string(parts[3]), std::string(parts[4]), std::string(parts[5])});
        }
    }
    std::stable_sort(catalogue.entries_.begin(), catalogue.entries_.end(),
                     [](const PgnInfo& a, const PgnInfo& b) { return a.pgn < b.pgn; });
    return catalogue;
}

const PgnCatalogue& PgnCatalogue::builtIn() {
    static const PgnCatalogue catalogue =
        parse(std::string_view(reinterpret_cast<const char*>(kPgnCatalogueBytes), kPgnCatalogueSize));
    return catalogue;
}

const PgnInfo* PgnCatalogue::find(std::uint32_t pgn) const {
    std::uint32_t pduFormat = pgn >> 8 & 0xFF;
    if (pduFormat < 240) pgn &= ~0xFFu;
    auto found = std::lower_bound(entries_.begin(), entries_.end(), pgn,
                                  [](const PgnInfo& info, std::uint32_t key) { return info.pgn < key; });
    return found != entries_.end() && found->pgn == pgn ? &*found : nullptr;
}

std::uint32_t fullPgn(std::uint32_t dataPage, std::uint32_t pgn) { return (dataPage & 0x3) << 16 | (pgn & 0xFFFF); }

std::string describeDataByte(const PgnInfo& info, std::uint32_t position) {
    if (position == 0) return "";
    std::uint32_t byteStart = (position - 1) * 8;
    std::uint32_t byteEnd = byteStart + 8;
    std::vector<const PgnField*> inByte;
    for (const PgnField& field : info.fields)
        if (field.bitOffset < byteEnd && field.bitOffset + field.bitLength > byteStart) inByte.push_back(&field);
    if (inByte.empty()) return "";
    if (inByte.size() == 1) {
        const PgnField& field = *inByte.front();
        std::string text = field.name;
        if (std::string part = partOf(field, byteStart); !part.empty()) text += ", " + part;
        if (field.bitLength < 8) {
            std::uint32_t first = field.bitOffset - byteStart;
            text += ", bits " + std::to_string(first) + "-" + std::to_string(first + field.bitLength - 1);
        }
        if (std::string unit = scale(field); !unit.empty()) text += ", " + unit;
        return text;
    }
    // Several bit fields share the byte.
    std::string text;
    for (const PgnField* field : inByte) {
        std::uint32_t first = std::max(field->bitOffset, byteStart) - byteStart;
        std::uint32_t last = std::min(field->bitOffset + field->bitLength, byteEnd) - byteStart - 1;
        if (!text.empty()) text += "; ";
        text += field->name + " (bits " + std::to_string(first) + "-" + std::to_string(last) + ")";
    }
    return text;
}

}  // namespace telvanor
