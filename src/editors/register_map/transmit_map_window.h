#pragma once

#include "editors/register_map/register_map_window.h"

class QComboBox;

namespace telvanor {

class OpenExcelDialog;

// "Transmit NMEA2000 Frame Info": which Modbus register feeds which bytes of which transmitted
// frame (TInfoCob.xml, over the frames of TCobDef.xml), with the "Write NMEA2000 Frame" flag,
// which can be changed only when the communication parameters enable writing NMEA on request.
// Export writes the map to TInfoCob.csv in the project folder; Import replaces it by the
// records of a workbook's TInfoCob worksheet, picked in the main window's workbook dialog.
// Neither touches TInfoCob.xml: OK writes it, Cancel still abandons an import.
class TFInfoTpdoMB : public RegisterMapWindow {
    Q_OBJECT
public:
    TFInfoTpdoMB(WorkspaceState& workspace, MessageBoxes& messages, OpenExcelDialog& openExcel,
                 QWidget* parent = nullptr);

protected:
    int writeChoice() const override;
    void showWriteChoice(std::string_view writeText) override;
    void beforeShow() override;

private:
    void Button1Click();
    void BitBtn4Click();

    OpenExcelDialog& OpenExcel;
    QComboBox* CB_Send_J1939;
};

}  // namespace telvanor
