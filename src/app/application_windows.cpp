#include "app/application_windows.h"

#include "editors/receive_frames/receive_frames_window.h"
#include "editors/transmit_frames/transmit_frames_window.h"

namespace telvanor {

ApplicationWindows::ApplicationWindows(const std::filesystem::path& workspaceDir, MessageBoxes& messages)
    : FTelvanoreFirmWare(std::make_unique<TFTelvanoreFirmWare>(workspaceDir, messages)) {
    TFTelvanoreFirmWare* main = FTelvanoreFirmWare.get();
    WorkspaceState& workspace = main->workspace();

    FpdoMB = new TFpdoMB(workspace, messages, main);
    main->setStepWindow("btn_RCOB", FpdoMB);

    FTpdo2MB = new TFTpdo2MB(workspace, messages, main);
    main->setStepWindow("btn_TCOB", FTpdo2MB);
}

}  // namespace telvanor
