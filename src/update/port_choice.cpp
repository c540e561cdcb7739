#include "update/port_choice.h"

#include <algorithm>

#include <QAbstractItemView>
#include <QComboBox>
#include <QPainter>
#include <QStyledItemDelegate>

#include "widgets/dialog_parts.h"

namespace telvanor {

namespace {

constexpr int kDescriptionRole = Qt::UserRole + 1;

// The drop-down list shows each port's description in a column beside its name.
class PortItemDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        QString description = index.data(kDescriptionRole).toString();
        if (description.isEmpty()) return;
        QRect area = option.rect.adjusted(textStart(option, index), 0, 0, 0);
        painter->save();
        painter->setFont(option.font);
        painter->setPen(
            option.palette.color(option.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
        painter->drawText(area, Qt::AlignLeft | Qt::AlignVCenter, description);
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        QString description = index.data(kDescriptionRole).toString();
        if (!description.isEmpty())
            size.setWidth(textStart(option, index) + option.fontMetrics.horizontalAdvance(description) + kGap);
        return size;
    }

private:
    static constexpr int kGap = 24;

    // Where the descriptions begin: past the widest name of the list.
    static int textStart(const QStyleOptionViewItem& option, const QModelIndex& index) {
        int widest = 0;
        const QAbstractItemModel* model = index.model();
        for (int row = 0; row < model->rowCount(index.parent()); ++row)
            widest = std::max(widest, option.fontMetrics.horizontalAdvance(
                                          model->index(row, index.column(), index.parent()).data().toString()));
        return widest + 2 * kGap;
    }
};

}  // namespace

QComboBox* makePortChoice(const char* name, const QString& accessibleName, QWidget* parent) {
    auto* box = named(new QComboBox(parent), name);
    box->setEditable(false);
    box->setAccessibleName(accessibleName);
    box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    box->setMinimumContentsLength(12);
    box->setItemDelegate(new PortItemDelegate(box));
    return box;
}

void fillPortChoice(QComboBox* box, const PortLister& listSystemPorts) {
    QString chosen = box->currentText();
    box->clear();
    auto add = [box](const ListedPort& port) {
        if (box->findText(port.name, Qt::MatchExactly) >= 0) return;  // Windows reports COM names too
        box->addItem(port.name);
        int row = box->count() - 1;
        box->setItemData(row, port.description, kDescriptionRole);
        box->setItemData(row, port.description, Qt::ToolTipRole);
        box->setItemData(row, port.description.isEmpty() ? port.name : port.name + " " + port.description,
                         Qt::AccessibleTextRole);
    };
    for (const ListedPort& port : fixedPorts()) add(port);
    if (listSystemPorts)
        for (const ListedPort& port : listSystemPorts()) add(port);
    if (!chosen.isEmpty() && box->findText(chosen, Qt::MatchExactly) < 0) add({chosen, QString()});
    if (!chosen.isEmpty()) box->setCurrentIndex(box->findText(chosen, Qt::MatchExactly));
    box->view()->setMinimumWidth(box->view()->sizeHintForColumn(0) + 2 * box->view()->frameWidth() + 24);
}

}  // namespace telvanor
