#pragma once

#include "editors/register_map/register_map_window.h"

class QComboBox;
class QFrame;
class QStackedWidget;

namespace telvanor {

// "Receive NMEA2000 Frame Info": which Modbus register takes which bytes of which received
// frame (RInfoCob.xml, over the frames of RCobDef.xml). For a multi-frame message the panels
// with the lists Byte1 to ByteN cover the B1 to B8 groups. Export and Import exchange the map
// with RInfoCob.csv, RInfoCob.xlsx or a workbook's RInfoCob worksheet.
class TFInfopdoMB : public RegisterMapWindow {
    Q_OBJECT
public:
    TFInfopdoMB(WorkspaceState& workspace, MessageBoxes& messages, OpenExcelDialog& openExcel,
                QWidget* parent = nullptr);

protected:
    BytePair chosenBytes() const override;
    void setUpByteSelectors(const TClPdo& frame) override;
    void showMappingBytes(const TClPdo& frame, std::string_view posComp) override;
    void showPastedBytes(std::string_view posComp) override;
    void beforeShow() override;

private:
    QFrame* bytePanel(const char* name, const char* listName, const QString& halfName, QComboBox*& list);
    bool panelsShown() const;
    void showPanels(bool shown);
    void selectListBytes(BytePair bytes);

    QStackedWidget* highStack_;
    QStackedWidget* lowStack_;
    QFrame* Panel1;
    QFrame* Panel2;
    QComboBox* CB_HB;
    QComboBox* CB_LB;
};

}  // namespace telvanor
