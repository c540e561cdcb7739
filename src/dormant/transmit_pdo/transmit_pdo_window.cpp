#include "dormant/transmit_pdo/transmit_pdo_window.h"

#include <algorithm>

#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShowEvent>
#include <QVBoxLayout>

#include "project/workspace.h"
#include "widgets/error_boundary.h"
#include "widgets/message_boxes.h"
#include "widgets/qt_text.h"
#include "widgets/string_grid.h"

namespace telvanor {

namespace {

constexpr const char* kTitle = "Transmit PDO";

// Grid columns: 0 is the row label, then the row's three texts.
enum Column { COB_ID = 1, Dimension, SMA };

std::vector<StringGrid::Column> columns() {
    return {
        {"COB-ID", StringGrid::ColumnKind::Text, {}, 10},
        {"Dimension", StringGrid::ColumnKind::Text, {}, 10},
        {"Start Modbus Address", StringGrid::ColumnKind::Text, {}, 12},
    };
}

QFrame* panel(const char* name, QWidget* parent) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(name);
    frame->setFrameShape(QFrame::StyledPanel);
    return frame;
}

}  // namespace

TFTPdoMB::TFTPdoMB(WorkspaceState& workspace, MessageBoxes& messages, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      workspace_(workspace),
      messages_(messages) {
    setObjectName("FTPdoMB");
    setWindowTitle(kTitle);

    QFrame* top = panel("Panel1", this);
    auto* caption = new QLabel(kTitle, top);
    caption->setObjectName("Label1");
    QFont bold = caption->font();
    bold.setBold(true);
    caption->setFont(bold);
    auto* topLayout = new QHBoxLayout(top);
    topLayout->addWidget(caption);
    topLayout->addStretch(1);

    sgA = new StringGrid(this);
    sgA->setObjectName("sgA");
    sgA->setAccessibleName("sgA");
    sgA->setAccessibleDescription("Transmitted PDOs, one row per frame");
    sgA->setColumns("N", columns());
    sgA->setRows(static_cast<int>(kTransmitPdoGridRows), 0);

    QFrame* bottom = panel("Panel2", this);
    bitbtn1 = new QPushButton("OK", bottom);
    bitbtn1->setObjectName("bitbtn1");
    bitbtn1->setDefault(true);
    LbButton1 = new QPushButton("Cancel", bottom);
    LbButton1->setObjectName("LbButton1");
    LbButton1->setAutoDefault(false);
    for (QPushButton* button : {bitbtn1, LbButton1}) button->setMinimumWidth(90);
    auto* bottomLayout = new QHBoxLayout(bottom);
    bottomLayout->addStretch(1);
    bottomLayout->addWidget(bitbtn1);
    bottomLayout->addWidget(LbButton1);
    connect(bitbtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connect(LbButton1, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(top);
    layout->addWidget(sgA, 1);
    layout->addWidget(bottom);
    setTabOrder(sgA, bitbtn1);
    setTabOrder(bitbtn1, LbButton1);

    // Every column and every row in view.
    int gridWidth = sgA->naturalWidth() + sgA->verticalScrollBar()->sizeHint().width() + 4;
    int gridHeight = sgA->horizontalHeader()->sizeHint().height() +
                     static_cast<int>(kTransmitPdoGridRows) * sgA->verticalHeader()->defaultSectionSize() +
                     2 * sgA->frameWidth() + 2;
    sgA->setMinimumSize(gridWidth, gridHeight);
    adjustSize();
    if (QScreen* display = screen()) move(display->availableGeometry().center() - rect().center());
}

void TFTPdoMB::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TFTPdoMB::FormShow() {
    sgA->clearCells();
    unseenRows_.clear();
    runGuarded(messages_, [&] {
        TransmitPdoLoad load = LoadTransmitPdo(workspace_.ProjectDir / std::string(kTransmitPdoFile));
        for (std::size_t index = 0; index < load.rows.size(); ++index) {
            if (index < kTransmitPdoGridRows)
                putRow(static_cast<int>(index) + 1, load.rows[index]);
            else
                unseenRows_.push_back(load.rows[index]);
        }
        // A file read only in part is reported, so that OK does not drop its other rows unseen.
        if (load.message) messages_.plain(*load.message);
    });
    sgA->setCurrentCell(1, COB_ID);
    bitbtn1->setFocus();
}

void TFTPdoMB::putRow(int gridRow, const TransmitPdoRow& row) {
    sgA->setCell(gridRow, COB_ID, toQt(row.COB_ID));
    sgA->setCell(gridRow, Dimension, toQt(row.Dimension));
    sgA->setCell(gridRow, SMA, toQt(row.SMA));
}

std::vector<TransmitPdoRow> TFTPdoMB::collectRows() const {
    std::vector<TransmitPdoRow> rows;
    for (int gridRow = 1; gridRow <= sgA->rowCount(); ++gridRow) {
        auto text = [&](int column) { return fromQt(sgA->cell(gridRow, column)); };
        rows.push_back({text(COB_ID), text(Dimension), text(SMA)});
    }
    rows.insert(rows.end(), unseenRows_.begin(), unseenRows_.end());
    return rows;
}

void TFTPdoMB::BitBtn1Click() {
    runGuarded(messages_, [&] {
        std::vector<TransmitPdoRow> rows = collectRows();
        std::vector<std::string> failures = ValidateTransmitPdo(rows);
        for (const std::string& failure : failures) messages_.plain(failure);
        if (!failures.empty()) return;
        // A file that cannot be written keeps the window open with the rows as typed.
        if (std::optional<std::string> failure =
                SaveTransmitPdo(workspace_.ProjectDir / std::string(kTransmitPdoFile), rows)) {
            messages_.error(*failure);
            return;
        }
        accept();
    });
}

}  // namespace telvanor
