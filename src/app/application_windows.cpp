#include "app/application_windows.h"

namespace telvanor {

ApplicationWindows::ApplicationWindows(const std::filesystem::path& workspaceDir, MessageBoxes& messages)
    : FTelvanoreFirmWare(std::make_unique<TFTelvanoreFirmWare>(workspaceDir, messages)) {}

}  // namespace telvanor
