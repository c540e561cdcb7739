#include <cstdlib>
#include <string>

#include "project/xml_document.h"

namespace {

void walk(const telvanor::XmlElement& element, int depth) {
    (void)element.text();
    (void)element.attribute("Index");
    for (const telvanor::XmlElement& child : element.children())
        if (depth < 64) walk(child, depth + 1);
}

}  // namespace

// The document reader on any bytes: a parsed document can be walked, written and read back
// to the same text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    telvanor::XmlDocument document;
    if (document.parse(std::string_view(reinterpret_cast<const char*>(data), size))) return 0;
    if (auto root = document.documentElement()) walk(*root, 0);
    std::string written = document.toText();
    telvanor::XmlDocument again;
    if (again.parse(written)) std::abort();
    if (again.toText() != written) std::abort();
    return 0;
}
