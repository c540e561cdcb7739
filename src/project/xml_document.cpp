#include "project/xml_document.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "project/atomic_file.h"
#include "project/file_backup.h"

namespace telvanor {

namespace {

constexpr unsigned kParseOptions = pugi::parse_default | pugi::parse_ws_pcdata_single;

// Line and column (both 1-based) of a byte offset.
std::string positionOf(std::string_view text, std::ptrdiff_t offset) {
    auto end = text.begin() + std::clamp<std::ptrdiff_t>(offset, 0, static_cast<std::ptrdiff_t>(text.size()));
    long line = 1 + std::count(text.begin(), end, '\n');
    auto lineStart = std::find(std::make_reverse_iterator(end), text.rend(), '\n').base();
    long column = 1 + (end - lineStart);
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

// The length of the valid UTF-8 sequence at the start of `text`, or 0 when it is not one
// (overlong forms, surrogates and values beyond U+10FFFF included).
std::size_t utf8SequenceLength(std::string_view text) {
    auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    unsigned char lead = byte(0);
    if (lead < 0x80) return 1;
    std::size_t length = lead >= 0xC2 && lead <= 0xDF   ? 2
                         : lead >= 0xE0 && lead <= 0xEF ? 3
                         : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                        : 0;
    if (length == 0 || text.size() < length) return 0;
    for (std::size_t i = 1; i < length; ++i)
        if ((byte(i) & 0xC0) != 0x80) return 0;
    unsigned char second = byte(1);
    if (lead == 0xE0 && second < 0xA0) return 0;  // overlong
    if (lead == 0xED && second > 0x9F) return 0;  // surrogate
    if (lead == 0xF0 && second < 0x90) return 0;  // overlong
    if (lead == 0xF4 && second > 0x8F) return 0;  // beyond U+10FFFF
    return length;
}

// The encoding a document's declaration names, or nothing.
std::optional<std::string> declaredEncoding(std::string_view text) {
    if (!text.starts_with("<?xml")) return std::nullopt;
    std::string_view declaration = text.substr(0, text.find("?>"));
    std::size_t at = declaration.find("encoding");
    if (at == std::string_view::npos) return std::nullopt;
    std::size_t open = declaration.find_first_of("\"'", at);
    if (open == std::string_view::npos) return std::nullopt;
    std::size_t close = declaration.find(declaration[open], open + 1);
    if (close == std::string_view::npos) return std::nullopt;
    return std::string(declaration.substr(open + 1, close - open - 1));
}

// Why a text that the parser takes as UTF-8 is not: the line and column (in characters) of
// its first byte that is not part of a valid UTF-8 sequence. Nothing when it is valid.
std::optional<std::string> utf8Failure(std::string_view text) {
    long line = 1, column = 1;
    for (std::size_t at = 0; at < text.size();) {
        std::size_t length = utf8SequenceLength(text.substr(at));
        if (length == 0) {
            char byte[8];
            std::snprintf(byte, sizeof byte, "0x%02X", static_cast<unsigned char>(text[at]));
            std::string declared = declaredEncoding(text).value_or("");
            return "the file is not UTF-8 text: line " + std::to_string(line) + ", column " + std::to_string(column) +
                   " holds the byte " + byte + ", and the file " +
                   (declared.empty() ? std::string("declares no encoding")
                                     : "declares the encoding " + declared + ", which the program does not convert") +
                   ". Save it as UTF-8 (or declare encoding=\"ISO-8859-1\" for Latin-1 text)";
        }
        if (text[at] == '\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
        at += length;
    }
    return std::nullopt;
}

struct ParseFailure {
    bool encoding = false;  // the bytes are no text the parser can read, as opposed to bad XML
    std::string message;
};

std::optional<ParseFailure> parseInto(pugi::xml_document& document, std::string_view text) {
    pugi::xml_parse_result result = document.load_buffer(text.data(), text.size(), kParseOptions);
    // The parser converts UTF-16, UTF-32 and declared Latin-1; anything else it takes as
    // UTF-8 and would pass bytes that are not UTF-8 through, to be shown and saved garbled.
    if (result.encoding == pugi::encoding_utf8) {
        if (std::optional<std::string> failure = utf8Failure(text)) {
            document.reset();
            return ParseFailure{true, *failure};
        }
    }
    if (result) return std::nullopt;
    document.reset();
    return ParseFailure{false, std::string(result.description()) + " at " + positionOf(text, result.offset)};
}

}  // namespace

std::vector<XmlElement> XmlElement::children() const {
    std::vector<XmlElement> elements;
    for (pugi::xml_node child : node_.children())
        if (child.type() == pugi::node_element) elements.emplace_back(child);
    return elements;
}

std::size_t XmlElement::childCount() const {
    std::size_t count = 0;
    for (pugi::xml_node child : node_.children())
        if (child.type() == pugi::node_element) ++count;
    return count;
}

std::optional<XmlElement> XmlElement::child(std::string_view name) const {
    std::string key(name);
    pugi::xml_node found = node_.child(key.c_str());
    if (!found) return std::nullopt;
    return XmlElement(found);
}

std::optional<std::string> XmlElement::attribute(std::string_view name) const {
    std::string key(name);
    pugi::xml_attribute found = node_.attribute(key.c_str());
    if (!found) return std::nullopt;
    return std::string(found.value());
}

std::optional<std::string> XmlElement::text() const {
    pugi::xml_text content = node_.text();
    if (content.empty()) return std::nullopt;
    return std::string(content.get());
}

XmlElement XmlElement::appendChild(std::string_view name) {
    return XmlElement(node_.append_child(std::string(name).c_str()));
}

void XmlElement::setAttribute(std::string_view name, std::string_view value) {
    node_.append_attribute(std::string(name).c_str()).set_value(std::string(value).c_str());
}

void XmlElement::setText(std::string_view value) { node_.text().set(std::string(value).c_str()); }

std::optional<std::string> XmlDocument::parse(std::string_view text) {
    if (std::optional<ParseFailure> failure = parseInto(document_, text)) return failure->message;
    return std::nullopt;
}

std::optional<std::string> XmlDocument::load(const std::filesystem::path& file) {
    std::string content;
    try {
        content = readWholeFile(file, kMaxXmlFileBytes);
    } catch (const FileError& error) {
        document_.reset();
        return error.what();
    }
    std::optional<ParseFailure> failure = parseInto(document_, content);
    if (!failure) return std::nullopt;
    return failure->encoding ? failure->message : "not a well-formed XML file: " + failure->message;
}

std::optional<XmlElement> XmlDocument::documentElement() const {
    pugi::xml_node root = document_.document_element();
    if (!root) return std::nullopt;
    return XmlElement(root);
}

std::optional<XmlElement> XmlDocument::topLevelElement(std::string_view name) const {
    for (pugi::xml_node node : document_.children())
        if (node.type() == pugi::node_element && name == node.name()) return XmlElement(node);
    return std::nullopt;
}

XmlElement XmlDocument::createRoot(std::string_view name) {
    document_.reset();
    return XmlElement(document_.append_child(std::string(name).c_str()));
}

std::string XmlDocument::toText() const {
    std::ostringstream out;
    document_.save(out, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
    return out.str();
}

void XmlDocument::save(const std::filesystem::path& file) const { saveProjectFile(file, toText()); }

}  // namespace telvanor
