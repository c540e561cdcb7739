#pragma once

#include "widgets/dialog_parts.h"

class QHBoxLayout;
class QPushButton;
class QWidget;

namespace telvanor {

// The bottom bar of the editors that exchange their table with spreadsheets: "Export"
// (`button1`) and "Import" (`bitbtn4`) on the left, "OK" (`bitbtn1`, the default button) and
// "Cancel" (`bitbtn2`) on the right. The buttons are children of `window`; the caller puts
// `layout` into its own and connects the buttons.
struct ExchangeButtonBar {
    QPushButton* exportButton;
    QPushButton* importButton;
    QPushButton* ok;
    QPushButton* cancel;
    QHBoxLayout* layout;
};
ExchangeButtonBar makeExchangeButtonBar(QWidget* window);

}  // namespace telvanor
