#pragma once

#include <QList>
#include <QString>

class QDialog;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QWidget;

namespace telvanor {

// Gives the control its name, so that tests and the window's own code find it.
template <typename Widget>
Widget* named(Widget* widget, const char* name) {
    widget->setObjectName(name);
    return widget;
}

// A label of its own name.
QLabel* namedLabel(const char* name, const QString& text, QWidget* parent);

// A label naming the control beside it: a click on it, or its mnemonic, moves to that control.
QLabel* buddyLabel(const QString& text, QWidget* buddy, QWidget* parent);

// Puts a control into a grid with its label before it (at `column`, the control at the next).
void addLabelled(QGridLayout* grid, int row, int column, const QString& text, QWidget* control);

// An edit with its name and the name a screen reader says for it (its label's text).
QLineEdit* namedEdit(const char* name, const QString& accessibleName, QWidget* parent);

// The buttons side by side from the left.
QHBoxLayout* buttonRow(const QList<QPushButton*>& buttons);

// Lays the window out as its pages above its button bar, and fixes its size to what they need.
void stackPagesAboveBar(QDialog* window, QWidget* pages, QLayout* bar);

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
