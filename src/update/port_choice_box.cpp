#include "update/port_choice_box.h"

#include <algorithm>

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QPainter>
#include <QSignalBlocker>
#include <QStyledItemDelegate>

#include "widgets/dialog_parts.h"
#include "widgets/qt_text.h"

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

QComboBox* makePortChoiceBox(const char* name, const QString& accessibleName, QWidget* parent) {
    auto* box = named(new QComboBox(parent), name);
    // A port that is not listed, such as a pseudo-terminal, can be typed.
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setAccessibleName(accessibleName);
    box->lineEdit()->setAccessibleName(accessibleName);
    box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    box->setMinimumContentsLength(12);
    box->setItemDelegate(new PortItemDelegate(box));
    return box;
}

void fillPortChoiceBox(QComboBox* box, const PortLister& listSystemPorts, const std::filesystem::path& stableFolder) {
    QString chosen = box->currentText();
    QSignalBlocker quiet(box);
    box->clear();
    std::vector<SystemPort> system = listSystemPorts ? listSystemPorts() : std::vector<SystemPort>{};
    for (const PortChoice& port : portChoices(system, stableFolder)) {
        QString name = toQt(port.name);
        QString description = toQt(port.description);
        box->addItem(name);
        int row = box->count() - 1;
        box->setItemData(row, description, kDescriptionRole);
        box->setItemData(row, description, Qt::ToolTipRole);
        box->setItemData(row, description.isEmpty() ? name : name + " " + description, Qt::AccessibleTextRole);
        if (!port.present)
            box->setItemData(row, box->palette().color(QPalette::Disabled, QPalette::Text), Qt::ForegroundRole);
    }
    // The choice stays as it was, even when the system no longer reports that port.
    if (!chosen.isEmpty()) choosePortIn(box, chosen);
    box->view()->setMinimumWidth(box->view()->sizeHintForColumn(0) + 2 * box->view()->frameWidth() + 24);
}

void choosePortIn(QComboBox* box, const QString& name) {
    int row = box->findText(name, Qt::MatchExactly);
    if (row >= 0)
        box->setCurrentIndex(row);
    else
        box->setEditText(name);
}

}  // namespace telvanor
