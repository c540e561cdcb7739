#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <pugixml.hpp>

namespace telvanor {

// No editor writes a file anywhere near this size (a full register map is about 4 MB);
// a larger file is refused instead of read into memory.
inline constexpr std::size_t kMaxXmlFileBytes = 32u * 1024 * 1024;

// An element of an XmlDocument; valid while its document lives.
class XmlElement {
public:
    explicit XmlElement(pugi::xml_node node) : node_(node) {}

    std::string name() const { return node_.name(); }

    // Child elements in document order; comments, text and whitespace are not children.
    std::vector<XmlElement> children() const;
    std::size_t childCount() const;

    // The first child element with that name.
    std::optional<XmlElement> child(std::string_view name) const;

    // An attribute's text, or nothing when the attribute is absent (an empty value is "").
    std::optional<std::string> attribute(std::string_view name) const;

    // The element's text, or nothing when it holds no text at all.
    std::optional<std::string> text() const;

    XmlElement appendChild(std::string_view name);
    // A new attribute goes after those already set.
    void setAttribute(std::string_view name, std::string_view value);
    void setText(std::string_view value);

private:
    pugi::xml_node node_;
};

// The document operations every project file is read and written through. Files are written
// as one line of UTF-8 without declaration; readers accept declarations, indentation and CRLF.
class XmlDocument {
public:
    XmlDocument() = default;
    // Elements point into the document, so it stays where it was made.
    XmlDocument(const XmlDocument&) = delete;
    XmlDocument& operator=(const XmlDocument&) = delete;

    // Replaces the content by the parsed text. Gives the parser's message with its line and
    // column when the text is not well-formed XML, and the line and column of the first bad
    // byte when the text is not UTF-8 and declares no encoding the parser converts (UTF-16,
    // UTF-32 and ISO-8859-1 are converted), so that no text is shown or saved garbled.
    std::optional<std::string> parse(std::string_view text);

    // As parse, from a file: "not a well-formed XML file: " and the parser's message, the
    // encoding failure, or why the file cannot be read (not a regular file, too large).
    std::optional<std::string> load(const std::filesystem::path& file);

    // The root element, whatever its name.
    std::optional<XmlElement> documentElement() const;

    // A top-level element found by its name.
    std::optional<XmlElement> topLevelElement(std::string_view name) const;

    // Discards the content and starts a new document with this root element.
    XmlElement createRoot(std::string_view name);

    std::string toText() const;

    // Saves the document as a project file: the old file's bytes go to the backup folder,
    // then the file is replaced atomically. Throws FileError.
    void save(const std::filesystem::path& file) const;

private:
    pugi::xml_document document_;
};

}  // namespace telvanor
