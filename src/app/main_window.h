#pragma once

#include <filesystem>
#include <functional>
#include <map>

#include <QString>
#include <QWidget>

#include "project/workspace.h"
#include "widgets/open_excel.h"

class QDialog;
class QPushButton;

namespace telvanor {

class MessageBoxes;
class TFBootSer;
class WebAddressLabel;
class TFsaveproj;
struct UpdateSummary;

// The main window: the five steps of a project, from creating it to updating the device.
// It owns the workspace state that every other window reads.
class TFTelvanoreFirmWare : public QWidget {
    Q_OBJECT
public:
    // The folder chooser of Open project, replaceable for tests.
    using FolderChooser =
        std::function<bool(const QString& caption, const std::filesystem::path& root, std::filesystem::path& folder)>;
    // Shows Update Device's summary and gives whether the user goes on; replaceable for tests.
    using UpdateConfirmation = std::function<bool(const UpdateSummary& summary)>;

    TFTelvanoreFirmWare(const std::filesystem::path& workspaceDir, MessageBoxes& messages, QWidget* parent = nullptr);

    WorkspaceState& workspace() { return workspace_; }
    // The workbook dialog of the worksheet imports, starting in the project folder.
    OpenExcelDialog& openExcel() { return OpenExcel; }

    // Opens a project folder named on the command line as Open project would; a folder outside
    // PROJECTS is refused with a message, and the current project stays.
    void openProjectFolder(const std::filesystem::path& folder);

    // The window a step button opens, by the button's name ("btn_Prm_Gen", "btn_RCOB", ...).
    void setStepWindow(const QString& buttonName, QDialog* window);
    // The window shown after Update Device has written the image.
    void setUpdateWindow(TFBootSer* window) { updateWindow_ = window; }
    void setAboutWindow(QDialog* window) { aboutWindow_ = window; }
    void setNewProjectWindow(TFsaveproj* window) { newProjectWindow_ = window; }
    void setFolderChooser(FolderChooser chooser) { chooseFolder_ = std::move(chooser); }
    void setUpdateConfirmation(UpdateConfirmation confirm) { confirmUpdate_ = std::move(confirm); }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate(const std::filesystem::path& workspaceDir);
    void NewaClick();
    void OpenaClick();
    void btn_str_lng1aClick(QPushButton* button);
    void CreateBinaClick();
    void aboutClick();
    void Label6Click();
    void FormClose();

    void setProjectTitle();
    void projectOpened();
    QPushButton* makeButton(const char* name, const QString& caption);
    void buildLayout();

    WorkspaceState workspace_;
    MessageBoxes& messages_;
    FolderChooser chooseFolder_;
    UpdateConfirmation confirmUpdate_;
    std::map<QString, QDialog*> stepWindows_;
    TFBootSer* updateWindow_ = nullptr;
    QDialog* aboutWindow_ = nullptr;
    TFsaveproj* newProjectWindow_ = nullptr;
    WebAddressLabel* Label6_ = nullptr;
    OpenExcelDialog OpenExcel;
};

}  // namespace telvanor
