#pragma once

#include <QString>

#include "update/serial_port_list.h"

class QComboBox;
class QWidget;

namespace telvanor {

// The drop-down list of serial ports of the windows that open one: "COM1" to "COM10", then
// the ports the system reports, each with its description in a column beside its name. The
// closed box shows the name alone, which is what is opened.
QComboBox* makePortChoice(const char* name, const QString& accessibleName, QWidget* parent);

// Lists the ports anew; the choice stays as it was, even a port the system no longer reports.
void fillPortChoice(QComboBox* box, const PortLister& listSystemPorts);

}  // namespace telvanor
