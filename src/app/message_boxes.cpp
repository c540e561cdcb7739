#include "app/message_boxes.h"

#include <QApplication>
#include <QMessageBox>

#include "app/qt_text.h"

namespace telvanor {

namespace {

void show(QMessageBox::Icon icon, const std::string& text) {
    QMessageBox box(icon, QApplication::applicationName(), toQt(text), QMessageBox::Ok, QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
    box.exec();
}

}  // namespace

void QtMessageBoxes::plain(const std::string& text) { show(QMessageBox::NoIcon, text); }
void QtMessageBoxes::error(const std::string& text) { show(QMessageBox::Critical, text); }
void QtMessageBoxes::information(const std::string& text) { show(QMessageBox::Information, text); }

}  // namespace telvanor
