#pragma once

#include <filesystem>
#include <memory>

#include "app/main_window.h"

namespace telvanor {

class MessageBoxes;
class TFpdoMB;
class TFTpdo2MB;

// Every window of the program, each created once, in the fixed order with the main window
// first (its creation restores the workspace before any other window exists). The other
// windows are children of the main window and live as long as it does.
class ApplicationWindows {
public:
    ApplicationWindows(const std::filesystem::path& workspaceDir, MessageBoxes& messages);

    TFTelvanoreFirmWare& main() { return *FTelvanoreFirmWare; }

private:
    std::unique_ptr<TFTelvanoreFirmWare> FTelvanoreFirmWare;
    TFpdoMB* FpdoMB = nullptr;
    TFTpdo2MB* FTpdo2MB = nullptr;
};

}  // namespace telvanor
