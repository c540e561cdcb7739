#pragma once

#include <string>
#include <string_view>

namespace telvanor {

// The maker's web site. Only the host is ours to choose; the page path and query are fixed.
inline constexpr std::string_view kMakerHost = "https://www.quenzar-telvanor.example";

// The product page for a product code, such as "TQ40915".
inline std::string makerPageAddress(std::string_view productCode) {
    return std::string(kMakerHost) + "/HOME/default.asp?frompg=" + std::string(productCode);
}

// Asks the desktop to open the page in the default browser; does not wait.
void openMakerPage(std::string_view productCode);

}  // namespace telvanor
