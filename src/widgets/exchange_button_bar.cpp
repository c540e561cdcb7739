#include "widgets/exchange_button_bar.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace telvanor {

ExchangeButtonBar makeExchangeButtonBar(QWidget* window) {
    OkCancelButtons okCancel = makeOkCancelButtons(window);
    ExchangeButtonBar bar{plainButton("button1", "Export", window), plainButton("bitbtn4", "Import", window),
                          okCancel.ok, okCancel.cancel, okCancel.layout};
    bar.layout->insertWidget(0, bar.exportButton);
    bar.layout->insertWidget(1, bar.importButton);
    return bar;
}

}  // namespace telvanor
