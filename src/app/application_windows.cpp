#include "app/application_windows.h"

#include "app/about_window.h"
#include "app/ping_window.h"
#include "app/select_string_window.h"
#include "update/modify_file_sx_window.h"

namespace telvanor {

ApplicationWindows::ApplicationWindows(const std::filesystem::path& workspaceDir, MessageBoxes& messages)
    : FTelvanoreFirmWare(std::make_unique<TFTelvanoreFirmWare>(workspaceDir, messages)) {
    TFTelvanoreFirmWare& mainWindow = *FTelvanoreFirmWare;
    WorkspaceState& workspace = mainWindow.workspace();

    FAbout = new TFAbout(&mainWindow);
    mainWindow.setAboutWindow(FAbout);
    FSELstringhe = new TFSELstringhe(messages, &mainWindow);
    FModifyFileSx = new TFModifyFileSx(workspace, messages, &mainWindow);
    FPing = new TFPing(&mainWindow);
}

}  // namespace telvanor
