#include "widgets/exchange_button_bar.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace telvanor {

QPushButton* plainButton(const char* name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

ExchangeButtonBar makeExchangeButtonBar(QWidget* window) {
    ExchangeButtonBar bar{plainButton("button1", "Export", window), plainButton("bitbtn4", "Import", window),
                          new QPushButton("OK", window), plainButton("bitbtn2", "Cancel", window), new QHBoxLayout};
    bar.ok->setObjectName("bitbtn1");
    bar.ok->setDefault(true);
    bar.layout->addWidget(bar.exportButton);
    bar.layout->addWidget(bar.importButton);
    bar.layout->addStretch(1);
    bar.layout->addWidget(bar.ok);
    bar.layout->addWidget(bar.cancel);
    return bar;
}

}  // namespace telvanor
