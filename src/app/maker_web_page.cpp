#include "app/maker_web_page.h"

#include <QDesktopServices>
#include <QUrl>

#include "widgets/qt_text.h"

namespace telvanor {

void openMakerPage(std::string_view productCode) {
    QDesktopServices::openUrl(QUrl(toQt(makerPageAddress(productCode))));
}

}  // namespace telvanor
