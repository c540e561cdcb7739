#include "app/application_windows.h"

#include "editors/register_map/receive_map_window.h"
#include "editors/register_map/transmit_map_window.h"

namespace telvanor {

ApplicationWindows::ApplicationWindows(const std::filesystem::path& workspaceDir, MessageBoxes& messages)
    : FTelvanoreFirmWare(std::make_unique<TFTelvanoreFirmWare>(workspaceDir, messages)) {
    TFTelvanoreFirmWare* main = FTelvanoreFirmWare.get();
    WorkspaceState& workspace = main->workspace();

    // The fixed order of creation: TFTelvanoreFirmWare, TFsaveproj, TFAbout, TFSELstringhe,
    // TFModifyFileSx, TFpargen, TFSdoMB, TFpdoMB, TFInfopdoMB, TFemcyMB, TFWemcyMB, TFTPdoMB,
    // TFPing, TFTpdo2MB, TFInfoTpdoMB, TFBootSer. A window not built yet keeps its place here.

    // TFpdoMB (receive frame table) comes right before this one.
    auto* FInfopdoMB = new TFInfopdoMB(workspace, messages, main);
    main->setStepWindow("btn_Info_RCOB", FInfopdoMB);

    // TFemcyMB, TFWemcyMB, TFTPdoMB, TFPing, then TFTpdo2MB (transmit frame table) right
    // before this one.
    auto* FInfoTpdoMB = new TFInfoTpdoMB(workspace, messages, main);
    main->setStepWindow("btn_Info_TCOB", FInfoTpdoMB);

    // TFBootSer comes last.
}

}  // namespace telvanor
