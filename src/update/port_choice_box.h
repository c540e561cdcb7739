#pragma once

#include <filesystem>

#include <QString>

#include "update/serial_port_list.h"

class QComboBox;
class QWidget;

namespace telvanor {

// The drop-down list of serial ports of the windows that open one (portChoices): "COM1" to
// "COM10", then the ports the system reports under their stable names, each with its
// description in a column beside its name, the absent ones greyed. A port that is not
// listed can be typed; the box shows the name alone, which is what is opened.
QComboBox* makePortChoiceBox(const char* name, const QString& accessibleName, QWidget* parent);

// Lists the ports anew; the choice, or the port typed, stays as it was.
void fillPortChoiceBox(QComboBox* box, const PortLister& listSystemPorts, const std::filesystem::path& stableFolder);

// Chooses the port `name` in the list, or types it when the list does not have it.
void choosePortIn(QComboBox* box, const QString& name);

}  // namespace telvanor
