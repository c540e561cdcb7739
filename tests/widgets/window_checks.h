#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace telvanor::testing {

// What every window owes its users: each control that takes the focus has an accessible
// name or a caption, no shown label or button is squeezed below the size its text needs,
// and the default button is the one named.
inline void expectUsableByKeyboard(QDialog& window, const char* defaultButton) {
    window.show();
    QApplication::processEvents();
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(&window)) continue;
        const QString name = widget->objectName();
        if (widget->focusPolicy() != Qt::NoFocus) {
            auto* button = qobject_cast<QAbstractButton*>(widget);
            bool named = !widget->accessibleName().isEmpty() || (button && !button->text().isEmpty());
            EXPECT_TRUE(named) << name.toStdString() << " has no accessible name";
        }
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            QSize needed = label->minimumSizeHint();
            EXPECT_GE(label->width(), needed.width()) << name.toStdString() << " is cut off";
            EXPECT_GE(label->height(), needed.height()) << name.toStdString() << " is cut off";
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            // A button may be narrower than the style's minimum, never narrower than its caption.
            const QFontMetrics metrics = button->fontMetrics();
            EXPECT_GE(button->width(), metrics.horizontalAdvance(button->text()) + 8)
                << name.toStdString() << " is cut off";
            EXPECT_GE(button->height(), metrics.height()) << name.toStdString() << " is cut off";
        }
    }
    auto* button = window.findChild<QPushButton*>(defaultButton);
    ASSERT_NE(button, nullptr) << defaultButton;
    EXPECT_TRUE(button->isDefault()) << defaultButton;
}

// A web address is one Tab stop, from `before` to it and on to `after`; it shows when it has
// the focus; Return and keypad Enter activate it (the caller sees what they open) and leave
// the window open.
inline void expectWebAddressByKeyboard(QWidget& window, const char* before, const char* address, const char* after) {
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    auto* link = window.findChild<QWidget*>(address);
    ASSERT_NE(link, nullptr) << address;
    const QImage unfocused = link->grab().toImage();
    window.findChild<QWidget*>(before)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), link) << "Tab from " << before;
    EXPECT_NE(link->grab().toImage(), unfocused) << address << " does not show its focus";
    QTest::keyClick(link, Qt::Key_Return);
    QTest::keyClick(link, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_TRUE(window.isVisible());
    QTest::keyClick(link, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), after) << "Tab from " << address;
}

// Escape closes the window without accepting it.
inline void expectEscapeCloses(QDialog& window) {
    window.show();
    QApplication::processEvents();
    window.setResult(-1);
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Rejected);
}

}  // namespace telvanor::testing
