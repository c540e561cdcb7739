#include "app/application_windows.h"

#include "app/new_project_window.h"
#include "editors/pargen/pargen_window.h"
#include "update/boot_serial_window.h"

namespace telvanor {

ApplicationWindows::ApplicationWindows(const std::filesystem::path& workspaceDir, MessageBoxes& messages)
    : FTelvanoreFirmWare(std::make_unique<TFTelvanoreFirmWare>(workspaceDir, messages)) {
    TFTelvanoreFirmWare* main = FTelvanoreFirmWare.get();
    WorkspaceState& workspace = main->workspace();

    auto* Fsaveproj = new TFsaveproj(workspace, messages, main);
    main->setNewProjectWindow(Fsaveproj);

    auto* Fpargen = new TFpargen(workspace, messages, main);
    main->setStepWindow("btn_Prm_Gen", Fpargen);
    // The serial update window comes last; Update Device shows it after writing the image.
    auto* FBootSer = new TFBootSer(workspace, messages, main);
    main->setUpdateWindow(FBootSer);
}

}  // namespace telvanor
