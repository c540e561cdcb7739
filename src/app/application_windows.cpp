#include "app/application_windows.h"

#include "app/about_window.h"
#include "app/new_project_window.h"
#include "app/ping_window.h"
#include "app/select_string_window.h"
#include "dormant/emcy_translation/emcy_translation_window.h"
#include "dormant/emcy_word/emcy_word_window.h"
#include "dormant/sdo/sdo_window.h"
#include "dormant/transmit_pdo/transmit_pdo_window.h"
#include "editors/pargen/pargen_window.h"
#include "editors/receive_frames/receive_frames_window.h"
#include "editors/register_map/receive_map_window.h"
#include "editors/register_map/transmit_map_window.h"
#include "editors/transmit_frames/transmit_frames_window.h"
#include "monitor/monitor_window.h"
#include "overview/register_overview_window.h"
#include "update/boot_serial_window.h"
#include "update/modify_file_sx_window.h"

namespace telvanor {

// The fixed order: TFTelvanoreFirmWare, TFsaveproj, TFAbout, TFSELstringhe, TFModifyFileSx,
// TFpargen, TFSdoMB, TFpdoMB, TFInfopdoMB, TFemcyMB, TFWemcyMB, TFTPdoMB, TFPing, TFTpdo2MB,
// TFInfoTpdoMB, TFBootSer; then the windows the program has gained since: the register overview
// and the monitor.
ApplicationWindows::ApplicationWindows(const std::filesystem::path& workspaceDir, MessageBoxes& messages)
    : FTelvanoreFirmWare(std::make_unique<TFTelvanoreFirmWare>(workspaceDir, messages)) {
    TFTelvanoreFirmWare* main = FTelvanoreFirmWare.get();
    WorkspaceState& workspace = main->workspace();

    auto* Fsaveproj = new TFsaveproj(workspace, messages, main);
    main->setNewProjectWindow(Fsaveproj);

    FAbout = new TFAbout(main);
    main->setAboutWindow(FAbout);

    FSELstringhe = new TFSELstringhe(messages, main);
    FModifyFileSx = new TFModifyFileSx(workspace, messages, main);

    auto* Fpargen = new TFpargen(workspace, messages, main);
    main->setStepWindow("btn_Prm_Gen", Fpargen);

    // The dormant editors (SDO, EMCY, transmit PDO) exist, but no step of the main window
    // shows them.
    new TFSdoMB(workspace, messages, main->openExcel(), main);

    auto* FpdoMB = new TFpdoMB(workspace, messages, main);
    main->setStepWindow("btn_RCOB", FpdoMB);

    auto* FInfopdoMB = new TFInfopdoMB(workspace, messages, main->openExcel(), main);
    main->setStepWindow("btn_Info_RCOB", FInfopdoMB);

    new TFemcyMB(workspace, messages, main->openExcel(), main);
    new TFWemcyMB(workspace, messages, main->openExcel(), main);
    new TFTPdoMB(workspace, messages, main);

    FPing = new TFPing(main);

    auto* FTpdo2MB = new TFTpdo2MB(workspace, messages, main);
    main->setStepWindow("btn_TCOB", FTpdo2MB);

    auto* FInfoTpdoMB = new TFInfoTpdoMB(workspace, messages, main->openExcel(), main);
    main->setStepWindow("btn_Info_TCOB", FInfoTpdoMB);

    // Update Device shows the serial update window after writing the image.
    auto* FBootSer = new TFBootSer(workspace, messages, main);
    main->setUpdateWindow(FBootSer);

    // The register overview, from the main window and from both register map windows, opens
    // those windows on the mapping of a row.
    auto* overview = new RegisterOverviewWindow(workspace, messages, main);
    overview->setMapWindows(FInfopdoMB, FInfoTpdoMB);
    main->setStepWindow("btn_Reg_Overview", overview);
    for (RegisterMapWindow* mapWindow :
         {static_cast<RegisterMapWindow*>(FInfopdoMB), static_cast<RegisterMapWindow*>(FInfoTpdoMB)})
        mapWindow->setOverviewOpener([overview](RegisterMapWindow& from) { overview->openFrom(from); });

    // The monitor reads the gateway's registers.
    main->setStepWindow("btn_Monitor", new MonitorWindow(workspace, messages, main));
}

}  // namespace telvanor
