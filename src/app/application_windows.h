#pragma once

#include <filesystem>
#include <memory>

#include "app/main_window.h"

namespace telvanor {

class MessageBoxes;
class TFAbout;
class TFModifyFileSx;
class TFPing;
class TFSELstringhe;

// Every window of the program, each created once, in the fixed order with the main window
// first (its creation restores the workspace before any other window exists). The other
// windows are children of the main window and live as long as it does.
class ApplicationWindows {
public:
    ApplicationWindows(const std::filesystem::path& workspaceDir, MessageBoxes& messages);

    TFTelvanoreFirmWare& main() { return *FTelvanoreFirmWare; }
    TFAbout& about() { return *FAbout; }
    TFSELstringhe& selectString() { return *FSELstringhe; }
    TFModifyFileSx& modifyFileSx() { return *FModifyFileSx; }
    TFPing& ping() { return *FPing; }

private:
    std::unique_ptr<TFTelvanoreFirmWare> FTelvanoreFirmWare;
    TFAbout* FAbout = nullptr;
    TFSELstringhe* FSELstringhe = nullptr;
    TFModifyFileSx* FModifyFileSx = nullptr;
    TFPing* FPing = nullptr;
};

}  // namespace telvanor
