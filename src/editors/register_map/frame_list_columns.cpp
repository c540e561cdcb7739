#include "editors/register_map/frame_list_columns.h"

#include <QApplication>
#include <QFontMetrics>
#include <QListWidget>
#include <QPainter>
#include <QRegularExpression>
#include <QStyle>

namespace telvanor {

namespace {

// The average character width of dialog units, as the classic desktop measures it.
constexpr const char* kAverageSample = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

// Room kept between a column's text and the next column.
constexpr int kColumnGap = 4;

// Where an item view draws the text of its lines, from the left of the line.
int lineTextIndent(const QStyle* style, const QWidget* widget) {
    return style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
}

// The columns of a line: a text that would reach into the next column is elided, so that
// every line keeps its texts under the heading. The last column takes what it needs.
struct Columns {
    QStringList texts;
    int width = 0;  // up to the end of the last text
};

Columns layOutColumns(const QString& line, const QFontMetrics& metrics, int tabStop) {
    Columns columns;
    columns.texts = line.split('\t');
    for (qsizetype column = 0; column < columns.texts.size(); ++column) {
        bool last = column + 1 == columns.texts.size();
        QString& text = columns.texts[column];
        if (!last) text = metrics.elidedText(text, Qt::ElideRight, tabStop - kColumnGap);
        columns.width = static_cast<int>(column) * tabStop + metrics.horizontalAdvance(text);
    }
    return columns;
}

// Where a note after the columns begins: the next tab stop.
int noteStart(const Columns& columns, int tabStop) { return (columns.width / tabStop + 1) * tabStop; }

}  // namespace

int dialogUnitsToPixels(const QFontMetrics& metrics, int units) {
    QString sample = kAverageSample;
    int averageWidth = (metrics.horizontalAdvance(sample) / 26 + 1) / 2;
    return units * averageWidth / 4;
}

TabStopDelegate::TabStopDelegate(int tabStopPixels, QObject* parent)
    : QStyledItemDelegate(parent), tabStop_(tabStopPixels) {}

void TabStopDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const QWidget* widget = item.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    QString line = item.text;
    item.text.clear();
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);

    bool selected = item.state & QStyle::State_Selected;
    QPalette::ColorGroup group = item.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
    Columns columns = layOutColumns(line, item.fontMetrics, tabStop_);
    QRect area = item.rect.adjusted(lineTextIndent(style, widget), 0, 0, 0);
    painter->save();
    painter->setFont(item.font);
    painter->setPen(item.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    for (qsizetype column = 0; column < columns.texts.size(); ++column)
        painter->drawText(area.adjusted(static_cast<int>(column) * tabStop_, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                          columns.texts[column]);
    QString note = index.data(kFrameNoteRole).toString();
    if (!note.isEmpty()) {
        if (!selected) painter->setPen(item.palette.color(group, QPalette::PlaceholderText));
        painter->drawText(area.adjusted(noteStart(columns, tabStop_), 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, note);
    }
    painter->restore();
}

QSize TabStopDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    Columns columns = layOutColumns(index.data(Qt::DisplayRole).toString(), option.fontMetrics, tabStop_);
    int width = columns.width;
    QString note = index.data(kFrameNoteRole).toString();
    if (!note.isEmpty()) width = noteStart(columns, tabStop_) + option.fontMetrics.horizontalAdvance(note);
    size.setWidth(width + 2 * lineTextIndent(QApplication::style(), option.widget));
    return size;
}

TabStopHeading::TabStopHeading(const QString& heading, int tabStopPixels, QWidget* parent)
    : QLabel(heading, parent), tabStop_(tabStopPixels) {}

void TabStopHeading::alignWith(const QListWidget* list) {
    indent_ = list->frameWidth() + lineTextIndent(list->style(), list);
    updateGeometry();
    update();
}

QStringList TabStopHeading::words() const {
    static const QRegularExpression blanks("\\s+");
    return text().split(blanks, Qt::SkipEmptyParts);
}

QSize TabStopHeading::sizeHint() const {
    QStringList all = words();
    int width = indent_;
    if (!all.isEmpty())
        width += static_cast<int>(all.size() - 1) * tabStop_ + fontMetrics().horizontalAdvance(all.last());
    return {width, fontMetrics().height()};
}

void TabStopHeading::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(isEnabled() ? QPalette::Normal : QPalette::Disabled, QPalette::WindowText));
    QStringList all = words();
    for (qsizetype column = 0; column < all.size(); ++column) {
        QRect cell(indent_ + static_cast<int>(column) * tabStop_, 0, width(), height());
        painter.drawText(cell, Qt::AlignLeft | Qt::AlignVCenter, all[column]);
    }
}

}  // namespace telvanor
