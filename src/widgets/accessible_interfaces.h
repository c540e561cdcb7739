#pragma once

namespace telvanor {

// Gives screen readers what Qt's own accessible interfaces leave out, for every window of
// the program:
// - a combo box is named by its accessible name or its label, its current entry being its
//   value (on Linux Qt names it by the entry, so "9600" is read where "Baud rate" belongs);
// - a top-level window that is no dialog has the frame role (Qt gives it "filler");
// - a web address label is a link that can be pressed;
// - a label gives its text to read, also when it carries a name of its own (such as the PGN
//   catalogue line, whose name alone Qt would give).
// Installed once for the application; later calls do nothing.
void installAccessibleInterfaces();

}  // namespace telvanor
