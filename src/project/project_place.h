#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace telvanor {

// Where something in a project lies, in the terms of its files.
struct ProjectPlace {
    std::string file = {};       // the project file's own name, "RCobDef.xml"; empty for the project as a whole
    std::size_t row = 0;         // the file's row, from 1; 0 for the whole file or an element of pargen.xml
    std::string attribute = {};  // the row's attribute or pargen.xml's element; empty for the whole file
    // A register map row's frame: the frame number its NrPdo names, 0 when it names none.
    std::size_t frame = 0;

    bool operator==(const ProjectPlace&) const = default;
};

// The same place in the words of the windows, where the user mends it.
struct WindowPlace {
    std::string window;  // the main window's step: "Receive NMEA", "Define NMEA (receive)"
    std::string row;     // "row 1" of a frame table, "frame 2" of a register map; empty for none
    std::string column;  // the column header or the control's name; empty for the whole file
};

WindowPlace windowPlace(const ProjectPlace& place);

// The place in the file's terms: "RCobDef.xml row 1, ID_DEV", "pargen.xml, Par_Ser".
std::string fileWords(const ProjectPlace& place);

// A problem at a place, told first in the windows' words, then in the file's:
// "Receive NMEA, row 1, Source Address is empty (RCobDef.xml row 1, ID_DEV)". `problem` goes
// after the column as a predicate ("is empty"); for a whole file it follows the window after a
// colon ("Receive NMEA: RCobDef.xml is a folder, not a regular file (RCobDef.xml)").
std::string placedMessage(const ProjectPlace& place, std::string_view problem);

}  // namespace telvanor
