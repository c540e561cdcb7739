#include "widgets/return_presses_button.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace telvanor {
namespace {

// A window holding a default button and one control of each kind Return meets. In a plain
// window (not a dialog) nothing is the default.
struct KeyWindow {
    explicit KeyWindow(bool dialog) : window(dialog ? new QDialog : new QWidget) {
        auto* row = new QHBoxLayout(window.get());
        for (QWidget* control : std::initializer_list<QWidget*>{defaultButton, plainButton, toolButton, checkBox, edit})
            row->addWidget(control);
        plainButton->setObjectName("Import");
        toolButton->setObjectName("tool");
        checkBox->setObjectName("check");
        edit->setObjectName("edit");
        defaultButton->setDefault(dialog);
        plainButton->setAutoDefault(false);  // as the program's buttons beside OK and Cancel
        toolButton->setFocusPolicy(Qt::StrongFocus);
        window->show();
        QApplication::setActiveWindow(window.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    std::unique_ptr<QWidget> window;
    QPushButton* defaultButton = new QPushButton("OK");
    QPushButton* plainButton = new QPushButton("Import");
    QToolButton* toolButton = new QToolButton;
    QCheckBox* checkBox = new QCheckBox("Peer to Peer");
    QLineEdit* edit = new QLineEdit;
};

TEST(ReturnPressesFocusedButton, ReturnAndKeypadEnterPressTheFocusedButtonOnly) {
    installReturnPressesFocusedButton();
    struct Case {
        bool dialog;
        const char* focused;
        const char* pressed;  // the button that Return presses, if any
    };
    const Case cases[] = {
        {false, "Import", "Import"}, {false, "tool", "tool"}, {false, "check", ""},  {false, "edit", ""},
        {true, "Import", "Import"},  {true, "tool", "tool"},  {true, "check", "OK"}, {true, "edit", "OK"},
    };
    for (const Case& example : cases) {
        for (auto [key, modifiers] : {std::pair{Qt::Key_Return, Qt::NoModifier}, {Qt::Key_Enter, Qt::KeypadModifier}}) {
            KeyWindow shown(example.dialog);
            QSignalSpy ok(shown.defaultButton, &QPushButton::clicked);
            QSignalSpy import(shown.plainButton, &QPushButton::clicked);
            QSignalSpy tool(shown.toolButton, &QToolButton::clicked);
            auto* target = shown.window->findChild<QWidget*>(example.focused);
            target->setFocus();
            QTest::keyClick(target, key, modifiers);
            const std::string pressed = example.pressed;
            const std::string where = std::string(example.focused) + (example.dialog ? " in a dialog" : "");
            EXPECT_EQ(import.count(), pressed == "Import" ? 1 : 0) << where << ", key " << key;
            EXPECT_EQ(tool.count(), pressed == "tool" ? 1 : 0) << where << ", key " << key;
            EXPECT_EQ(ok.count(), pressed == "OK" ? 1 : 0) << where << ", key " << key;
            EXPECT_FALSE(shown.checkBox->isChecked()) << where;
        }
    }
}

// Return with Ctrl, Alt or Shift is left to whatever the window does with it.
TEST(ReturnPressesFocusedButton, ModifiedReturnIsNotAPress) {
    installReturnPressesFocusedButton();
    KeyWindow shown(false);
    QSignalSpy import(shown.plainButton, &QPushButton::clicked);
    shown.plainButton->setFocus();
    for (Qt::KeyboardModifier modifier : {Qt::ControlModifier, Qt::AltModifier, Qt::ShiftModifier})
        QTest::keyClick(shown.plainButton, Qt::Key_Return, modifier);
    EXPECT_EQ(import.count(), 0);
}

}  // namespace
}  // namespace telvanor
