#pragma once

#include "editors/pargen/comm_params.h"
#include "project/workspace.h"
#include "widgets/project_window.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace telvanor {

// "SET COMMUNICATION": the communication parameters of the current project (pargen.xml).
// Every showing reads the file afresh; OK validates, rewrites the file and closes; Cancel
// and Escape close without saving, asking first when a value was changed. The controls keep
// their values between showings.
class TFpargen : public ProjectWindow {
    Q_OBJECT
public:
    TFpargen(WorkspaceState& workspace, MessageBoxes& messages, QWidget* parent = nullptr);

protected:
    void FormShow() override;
    bool hasChanges() const override;

private:
    void BitBtn1Click();

    void buildControls();
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
    // The values as shown, to tell whether the user changed them.
    CommParams shownParams_;
};

}  // namespace telvanor
