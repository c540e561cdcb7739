#pragma once

#include <QString>

class QHBoxLayout;
class QPushButton;
class QTabWidget;
class QWidget;

namespace telvanor {

// A push button that never takes Enter from the window's default button.
QPushButton* plainButton(const char* name, const QString& caption, QWidget* parent);

// "OK" (`bitbtn1`, the window's default button, so Return presses it) and "Cancel"
// (`bitbtn2`), children of `window`, right-aligned in `layout`, which the caller puts into its
// own layout and whose left end it may fill.
struct OkCancelButtons {
    QPushButton* ok;
    QPushButton* cancel;
    QHBoxLayout* layout;
};
OkCancelButtons makeOkCancelButtons(QWidget* window);

// A tab widget (`pagesName`) of one page (`pageName`) that holds the window's controls; the
// page's caption names both for screen readers, and the lone tab is no stop on the way
// through the controls. Gives the page.
QWidget* makeSinglePage(QTabWidget* pages, const char* pagesName, const char* pageName, const QString& caption);

}  // namespace telvanor
