#include "dormant/emcy_word/emcy_word_icons.h"

#include <QPainter>

namespace telvanor {

namespace {

constexpr int kSize = 16;

// A word: a card with three lines of bits on it; selected, the card is lit.
QPixmap wordImage(bool selected) {
    QPixmap image(kSize, kSize);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setPen(QColor(0x1f, 0x3a, 0x7a));
    painter.setBrush(selected ? QColor(0xff, 0xd8, 0x4a) : QColor(0x9c, 0xb8, 0xe8));
    painter.drawRect(1, 2, kSize - 3, kSize - 5);
    for (int line = 0; line < 3; ++line) painter.drawLine(4, 5 + 3 * line, kSize - 5, 5 + 3 * line);
    return image;
}

// A bit: a round lamp, dark when idle, green when selected.
QPixmap bitImage(bool selected) {
    QPixmap image(kSize, kSize);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QColor(0x30, 0x30, 0x30));
    painter.setBrush(selected ? QColor(0x3c, 0xc8, 0x50) : QColor(0x90, 0x90, 0x90));
    painter.drawEllipse(QRectF(3.5, 3.5, kSize - 7, kSize - 7));
    return image;
}

}  // namespace

std::array<QPixmap, 4> emcyWordImages() { return {wordImage(false), wordImage(true), bitImage(false), bitImage(true)}; }

}  // namespace telvanor
