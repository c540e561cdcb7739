#include "project/xml_document.h"

#include <algorithm>
#include <sstream>

#include "project/atomic_file.h"

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
    pugi::xml_parse_result result = document_.load_buffer(text.data(), text.size(), kParseOptions);
    if (result) return std::nullopt;
    document_.reset();
    return std::string(result.description()) + " at " + positionOf(text, result.offset);
}

std::optional<std::string> XmlDocument::load(const std::filesystem::path& file) {
    std::string content;
    try {
        content = readWholeFile(file, kMaxXmlFileBytes);
    } catch (const FileError& error) {
        document_.reset();
        return error.what();
    }
    return parse(content);
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

void XmlDocument::save(const std::filesystem::path& file) const { writeFileAtomically(file, toText()); }

}  // namespace telvanor
