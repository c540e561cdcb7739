#pragma once

#include <array>

#include "project/workspace.h"
#include "update/firmware_file.h"
#include "widgets/project_window.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace telvanor {

// "Generate Firmware": splices the project's bin/bank1.bin and bin/bank2.bin into the master
// firmware file MASTER/SX40905.sx, giving New_SX40905.sx in the project folder, and starts
// FlashWrite.exe on the chosen port. Nothing in the program opens it yet.
class TFModifyFileSx : public ProjectWindow {
    Q_OBJECT
public:
    TFModifyFileSx(WorkspaceState& workspace, MessageBoxes& messages, QWidget* parent = nullptr);

protected:
    void FormShow() override;
    void placeOnScreen() override;

private:
    void LbButton2Click();
    void mergeBanks(const FirmwareFiles& files);
    void flash(const FirmwareFiles& files);
    void startFlashWrite(const FlashStart& start);

    // The files of the current project, set on show.
    FirmwareFiles files_;
    QComboBox* cbport_ = nullptr;
    QPushButton* LbButton2_ = nullptr;
    QProgressBar* Avanzamento_ = nullptr;
    std::array<QCheckBox*, kBankCount> Cbbank_{};
    QLineEdit* NewFileSx_ = nullptr;
};

}  // namespace telvanor
