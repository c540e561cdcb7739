#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "project/table_file.h"

namespace telvanor {

// The strings file of the string selection window: an XML document whose root element holds
// one child element per text, in index order. The window lists up to 1000 of them.
inline constexpr int kStringCount = 1000;

// What one showing of the window found: the texts by index, or the message to show.
struct StringsFileLoad {
    using Outcome = TableFileOutcome;
    Outcome outcome = Outcome::NoFile;
    std::vector<std::string> texts;
    std::optional<std::string> message;
};

// Reads the texts of the file at `path` (found in any letter case). No file (or an empty
// path) and a file that is not well formed or has no root element each give their message.
StringsFileLoad LoadStringsFile(const std::filesystem::path& path);

// The two values the window keeps between showings: the file it lists and the index the user
// selected last (recorded at once, so Cancel keeps it as well).
struct StringSelection {
    std::filesystem::path stringsFilePath;
    int selectedIndex = 0;
};

// The label text that shows the selected index: "Sel str: " and the index.
std::string selectedStringCaption(int index);

}  // namespace telvanor
