#pragma once

#include "editors/pargen/comm_params.h"
#include "project/workspace.h"
#include "widgets/project_window.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;

namespace telvanor {

// "SET COMMUNICATION": the communication parameters of the current project (pargen.xml).
// Every showing reads the file afresh; OK validates, rewrites the file and closes; Cancel
// and Escape close without saving, asking first when a value was changed. The controls keep
// their values between showings. The groups stand in one column; on a screen too short for
// them, in two columns, or they scroll above OK and Cancel.
class TFpargen : public ProjectWindow {
    Q_OBJECT
public:
    TFpargen(WorkspaceState& workspace, MessageBoxes& messages, QWidget* parent = nullptr);

    // Lays the groups out for a client area of at most `room`: one column when it is tall
    // enough, else two columns when they fit its width; what is still too tall scrolls. The
    // window takes the size that needs. Every showing does this for the room on its screen.
    void fitInto(QSize room);

protected:
    void FormShow() override;
    bool hasChanges() const override;
    void placeOnScreen() override;

private:
    void BitBtn1Click();

    void buildControls();
    void arrangeGroups(bool twoColumns);
    void showParams(const CommParams& params);
    CommParams typedParams() const;

    QGroupBox* GroupBox1;
    QComboBox* CB_BR_CAN;
    QRadioButton* RB_CAN_A;
    QRadioButton* RB_CAN_B;
    QLineEdit* E_TO_Data;
    QLineEdit* E_TO_MR;
    QCheckBox* CB_PtoP;
    QCheckBox* CB_En_W_J1939;
    QCheckBox* CB_Send_Every;
    QLineEdit* E_SE_ms;
    QCheckBox* CB_EnRemReq;
    QLineEdit* E_Pri_Des;
    QLineEdit* E_PGN1;
    QLineEdit* E_PGN2;
    QLineEdit* E_SA;
    QGroupBox* GroupBox4;
    QRadioButton* RB_RS232;
    QRadioButton* RB_RS485;
    QComboBox* CB_BR_RTU;
    QComboBox* CB_PAR_RTU;
    QLineEdit* E_ID_RTU;
    QLineEdit* E_TIME_RTU;
    QGroupBox* GroupBox9;
    QRadioButton* RB_HWType_A1;
    QRadioButton* RB_HWType_B2;
    QPushButton* bitbtn1;
    QPushButton* bitbtn2;
    QScrollArea* groups_;
    QGridLayout* groupLayout_;
    QHBoxLayout* buttons_;
    // The values as shown, to tell whether the user changed them.
    CommParams shownParams_;
};

}  // namespace telvanor
