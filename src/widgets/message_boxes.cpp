#include "widgets/message_boxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPoint>

#include <optional>

#include "widgets/qt_text.h"

namespace telvanor {

namespace {

void show(QMessageBox::Icon icon, const std::string& text, std::optional<QPoint> at = std::nullopt) {
    QMessageBox box(icon, QApplication::applicationName(), toQt(text), QMessageBox::Ok, QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
    if (at) box.move(*at);  // a moved box is not centred over its parent
    box.exec();
}

}  // namespace

void QtMessageBoxes::plain(const std::string& text) { show(QMessageBox::NoIcon, text); }
void QtMessageBoxes::error(const std::string& text) { show(QMessageBox::Critical, text); }
void QtMessageBoxes::information(const std::string& text) { show(QMessageBox::Information, text); }
bool QtMessageBoxes::confirm(const std::string& text) {
    QMessageBox box(QMessageBox::Question, QApplication::applicationName(), toQt(text),
                    QMessageBox::Yes | QMessageBox::No, QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void QtMessageBoxes::errorAt(const std::string& text, int x, int y) { show(QMessageBox::Critical, text, QPoint(x, y)); }

}  // namespace telvanor
