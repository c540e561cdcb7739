#pragma once

#include "editors/register_map/register_map_window.h"

class QComboBox;

namespace telvanor {

// "Transmit NMEA2000 Frame Info": which Modbus register feeds which bytes of which transmitted
// frame (TInfoCob.xml, over the frames of TCobDef.xml), with the "Write NMEA2000 Frame" flag,
// which can be changed only when the communication parameters enable writing NMEA on request.
// Export and Import exchange the map, its Write flags included, with TInfoCob.csv,
// TInfoCob.xlsx or a workbook's TInfoCob worksheet.
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
    QComboBox* CB_Send_J1939;
};

}  // namespace telvanor
