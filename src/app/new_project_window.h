#pragma once

#include <filesystem>
#include <string>

#include "project/workspace.h"
#include "widgets/project_window.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace telvanor {

// "New project": asks for a name and creates the project folder beneath the destination
// folder, which the main window sets before every showing. The window closes only through
// OK (once the project exists) or Cancel; Escape is Cancel, any other close is refused until
// one of the two has allowed it.
class TFsaveproj : public ProjectWindow {
    Q_OBJECT
public:
    TFsaveproj(WorkspaceState& workspace, MessageBoxes& messages, QWidget* parent = nullptr);

    void setDestination(const std::filesystem::path& folder) { destination_ = folder; }
    const std::filesystem::path& destination() const { return destination_; }

    // Escape and Cancel.
    void reject() override;

protected:
    void FormShow() override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BitBtn1Click();
    void BitBtn2Click();

    std::filesystem::path destination_;
    std::string projectName_;
    bool closePermission_ = false;

    QLabel* Label1_;
    QLineEdit* Edit1_;
    QPushButton* bitbtn1_;
    QPushButton* bitbtn2_;
};

}  // namespace telvanor
