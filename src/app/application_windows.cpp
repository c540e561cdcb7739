#include "app/application_windows.h"

#include "update/boot_serial_window.h"

namespace telvanor {

ApplicationWindows::ApplicationWindows(const std::filesystem::path& workspaceDir, MessageBoxes& messages)
    : FTelvanoreFirmWare(std::make_unique<TFTelvanoreFirmWare>(workspaceDir, messages)) {
    // The serial update window comes last; Update Device shows it after writing the image.
    FBootSer = new TFBootSer(main().workspace(), messages, &main());
    main().setUpdateWindow(FBootSer);
}

}  // namespace telvanor
