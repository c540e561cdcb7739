#include "app/select_string_window.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

#include "widgets/error_boundary.h"
#include "widgets/message_boxes.h"
#include "widgets/qt_text.h"

namespace telvanor {

namespace {

constexpr int kIndexColumn = 0;
constexpr int kStringColumn = 1;

QTableWidgetItem* readOnlyItem(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

}  // namespace

TFSELstringhe::TFSELstringhe(MessageBoxes& messages, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), messages_(messages) {
    setObjectName("FSELstringhe");
    setWindowTitle("Select String");

    // The heading row is the grid's header; rows 0 to 999 hold the indexes 0 to 999.
    sg_ = new QTableWidget(kStringCount, 2, this);
    sg_->setObjectName("sg");
    sg_->setAccessibleName("Strings");
    sg_->setHorizontalHeaderLabels({"Index", "String"});
    sg_->verticalHeader()->hide();
    sg_->verticalHeader()->setDefaultSectionSize(sg_->fontMetrics().height() + 8);
    sg_->setSelectionMode(QAbstractItemView::SingleSelection);
    sg_->setSelectionBehavior(QAbstractItemView::SelectRows);
    sg_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sg_->setTabKeyNavigation(false);
    sg_->setWordWrap(false);
    for (int row = 0; row < kStringCount; ++row) {
        sg_->setItem(row, kIndexColumn, readOnlyItem(QString::number(row)));
        sg_->setItem(row, kStringColumn, readOnlyItem(QString()));
    }
    // The index column fits its widest text and heading; the texts take the rest of the width.
    const int margins = 2 * sg_->style()->pixelMetric(QStyle::PM_HeaderMargin) + 12;
    const int indexWidth =
        std::max({40, sg_->fontMetrics().horizontalAdvance(QString::number(kStringCount - 1)) + margins,
                  sg_->horizontalHeader()->fontMetrics().horizontalAdvance("Index") + margins});
    sg_->horizontalHeader()->resizeSection(kIndexColumn, indexWidth);
    sg_->horizontalHeader()->setSectionResizeMode(kIndexColumn, QHeaderView::Fixed);
    sg_->horizontalHeader()->setSectionResizeMode(kStringColumn, QHeaderView::Stretch);

    auto* bitbtn1 = new QPushButton("OK", this);
    bitbtn1->setObjectName("bitbtn1");
    bitbtn1->setDefault(true);
    auto* bitbtn2 = new QPushButton("Cancel", this);
    bitbtn2->setObjectName("bitbtn2");
    bitbtn2->setAutoDefault(false);
    Label1_ = new QLabel("Sel str:", this);
    Label1_->setObjectName("Label1");
    // Room for the longest caption, "Sel str: 999", so it never jumps or gets cut off.
    Label1_->setMinimumWidth(Label1_->fontMetrics().horizontalAdvance(toQt(selectedStringCaption(kStringCount - 1))) +
                             4);

    auto* strip = new QHBoxLayout;
    strip->addWidget(Label1_);
    strip->addStretch(1);
    strip->addWidget(bitbtn1);
    strip->addWidget(bitbtn2);

    auto* outer = new QVBoxLayout(this);
    outer->addWidget(sg_, 1);
    outer->addLayout(strip);

    connectGuarded(sg_, &QTableWidget::currentCellChanged, messages_, this,
                   [this] { sgSelectCell(sg_->currentRow()); });
    connect(bitbtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(bitbtn2, &QPushButton::clicked, this, &QDialog::reject);
    setTabOrder(sg_, bitbtn1);
    setTabOrder(bitbtn1, bitbtn2);

    setFixedSize(QSize(indexWidth + 300, 420).expandedTo(sizeHint()));
}

void TFSELstringhe::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // A restore from the task bar keeps the list and the selection as they are.
    if (!event->spontaneous()) FormShow();
}

void TFSELstringhe::FormShow() {
    // Texts of an earlier showing would pass for texts of this file: the list starts empty.
    for (int row = 0; row < kStringCount; ++row) {
        sg_->item(row, kStringColumn)->setText(QString());
        sg_->item(row, kStringColumn)->setToolTip(QString());
    }
    StringsFileLoad load = LoadStringsFile(selection_.stringsFilePath);
    if (load.message) messages_.plain(*load.message);
    for (std::size_t index = 0; index < load.texts.size(); ++index) {
        QTableWidgetItem* item = sg_->item(static_cast<int>(index), kStringColumn);
        item->setText(toQt(load.texts[index]));
        // A text wider than its column is still readable in full.
        item->setToolTip(item->text());
    }
    int row = std::clamp(selection_.selectedIndex, 0, kStringCount - 1);
    sg_->setCurrentCell(row, kStringColumn);
    sg_->scrollToItem(sg_->item(row, kStringColumn));
    sgSelectCell(row);
    sg_->setFocus();
}

void TFSELstringhe::sgSelectCell(int row) {
    if (row < 0) return;
    selection_.selectedIndex = row;
    Label1_->setText(toQt(selectedStringCaption(row)));
}

}  // namespace telvanor
