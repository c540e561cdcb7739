#include "widgets/string_grid.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace telvanor {
namespace {

using Kind = StringGrid::ColumnKind;

// A grid with one column of each kind in a dialog with a default button, typed into as a
// user does: every key goes to the widget that has the focus.
class StringGridTest : public ::testing::Test {
protected:
    StringGridTest() {
        grid = new StringGrid(&dialog);
        grid->setColumns("N", {{"Text", Kind::Text, {}, 8},
                               {"Pick", Kind::PickList, {"0", "1"}, 6},
                               {"Tick", Kind::CheckBox, {}, 6},
                               {"More", Kind::Text, {}, 8}});
        grid->setRows(5);
        ok = new QPushButton("OK", &dialog);
        ok->setDefault(true);
        QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
        auto* layout = new QVBoxLayout(&dialog);
        layout->addWidget(grid);
        layout->addWidget(ok);
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        grid->setFocus();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }

    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
    void type(const char* text) {
        for (const char* c = text; *c; ++c) QTest::keyClick(QApplication::focusWidget(), *c);
    }
    void clickCell(int row, int column, QPoint offset = {}) {
        QRect cell = grid->visualRect(grid->model()->index(row - 1, column - 1));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center() + offset);
    }
    void expectCurrent(int row, int column) {
        EXPECT_EQ(grid->currentRow(), row);
        EXPECT_EQ(grid->currentColumn(), column);
    }

    QDialog dialog;
    StringGrid* grid;
    QPushButton* ok;
};

TEST_F(StringGridTest, AddressesCellsAsASpreadsheetWithLabelledRowsAndWideEnoughColumns) {
    EXPECT_EQ(grid->columnCount(), 5);
    EXPECT_EQ(grid->cell(5, 0), "5");
    grid->setCell(2, 4, "x");
    grid->setCell(2, 0, "ignored");
    grid->setCell(6, 1, "outside");
    EXPECT_EQ(grid->cell(2, 4), "x");
    EXPECT_EQ(grid->cell(2, 0), "2");
    grid->clearCells();
    EXPECT_EQ(grid->cell(2, 4), "");
    grid->setRows(3, 0);
    EXPECT_EQ(grid->cell(1, 0), "0");
    for (int column = 0; column < 4; ++column) {
        EXPECT_GE(grid->columnWidth(column), grid->horizontalHeader()->sectionSizeHint(column)) << column;
        EXPECT_EQ(grid->horizontalHeader()->sectionResizeMode(column), QHeaderView::Interactive) << column;
    }
}

TEST_F(StringGridTest, TypingReplacesATextCellEnterMovesDownAndEscapeAbandons) {
    grid->setCell(1, 1, "old text");
    grid->setCurrentCell(1, 1);
    type("26");
    EXPECT_NE(qobject_cast<QLineEdit*>(QApplication::focusWidget()), nullptr);
    press(Qt::Key_Return);
    EXPECT_EQ(grid->cell(1, 1), "26");
    expectCurrent(2, 1);
    EXPECT_TRUE(dialog.isVisible()) << "Enter ending an edit must not press the default button";

    press(Qt::Key_Up);
    press(Qt::Key_F2);  // F2 edits the text in place; Tab ends the edit and moves right
    press(Qt::Key_End);
    type("7");
    press(Qt::Key_Tab);
    EXPECT_EQ(grid->cell(1, 1), "267");
    expectCurrent(1, 2);

    grid->setCurrentCell(1, 4);
    type("zzz");
    press(Qt::Key_Escape);
    EXPECT_EQ(grid->cell(1, 4), "");
    EXPECT_TRUE(dialog.isVisible()) << "Escape ending an edit must not close the dialog";
    press(Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(StringGridTest, ArrowsAndTabMoveCtrlTabLeavesAndEnterReachesTheDefaultButton) {
    grid->setCurrentCell(1, 1);
    press(Qt::Key_Right);
    press(Qt::Key_Down);
    expectCurrent(2, 2);
    for (int i = 0; i < 3; ++i) press(Qt::Key_Tab);  // past the last column to the next row
    expectCurrent(3, 1);
    press(Qt::Key_Backtab);
    expectCurrent(2, 4);
    press(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(QApplication::focusWidget(), ok);
    grid->setFocus();
    press(Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(StringGridTest, DeleteEmptiesTheSelectionAndCellsCopyAndPasteAsTabSeparatedLines) {
    grid->setCell(1, 1, "a");
    grid->setCell(1, 2, "1");
    grid->setCell(2, 1, "b");
    grid->setCell(2, 3, "Y");
    grid->setCurrentCell(1, 1);
    press(Qt::Key_Down, Qt::ShiftModifier);
    press(Qt::Key_Right, Qt::ShiftModifier);
    press(Qt::Key_Right, Qt::ShiftModifier);
    press(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "a\t1\t\nb\t\tY\n");
    press(Qt::Key_Delete);
    EXPECT_EQ(grid->cell(1, 1) + grid->cell(1, 2) + grid->cell(2, 3), "");

    // What a column could not take from the keyboard is left out, and so is what lies beyond
    // the grid's edge; both are told.
    grid->setCell(4, 2, "1");
    grid->setCell(5, 3, "Y");
    QStringList refusals;
    QObject::connect(grid, &StringGrid::cellsNotPasted, [&](const QString& refused) { refusals << refused; });
    QApplication::clipboard()->setText("x\t7\tmaybe\tlast\textra\r\ny\t0\tn\r\nbeyond\r\n");
    grid->setCurrentCell(4, 1);
    press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(refusals, QStringList{"4 cells not pasted: row 4, Pick: \"7\" is not 0 or 1; row 4, Tick: \"maybe\" is "
                                    "not Y or N; 2 beyond the grid's last row or column"});
    EXPECT_EQ(grid->cell(4, 1), "x");
    EXPECT_EQ(grid->cell(4, 2), "1");
    EXPECT_EQ(grid->cell(4, 4), "last");
    EXPECT_EQ(grid->cell(5, 2), "0");
    EXPECT_EQ(grid->cell(5, 3), "N");
}

TEST_F(StringGridTest, CheckBoxesStayEmptyUntilTouchedAndToggleBetweenYAndN) {
    grid->setCurrentCell(1, 3);
    press(Qt::Key_Down);
    EXPECT_EQ(grid->cell(1, 3), "");
    press(Qt::Key_Space);
    EXPECT_EQ(grid->cell(2, 3), "Y");
    press(Qt::Key_Space);
    EXPECT_EQ(grid->cell(2, 3), "N");
    type("yq");  // Y and N set it; other text is refused
    EXPECT_EQ(grid->cell(2, 3), "Y");
    EXPECT_EQ(grid->model()->index(1, 2).data(Qt::CheckStateRole).toInt(), Qt::Checked);

    clickCell(3, 3);
    EXPECT_EQ(grid->cell(3, 3), "Y");
    expectCurrent(3, 3);
    clickCell(3, 3);
    EXPECT_EQ(grid->cell(3, 3), "N");
    clickCell(4, 3, QPoint(grid->columnWidth(2) / 2 - 2, 0));  // beside the box: only selects the cell
    EXPECT_EQ(grid->cell(4, 3), "");
    expectCurrent(4, 3);
}

TEST_F(StringGridTest, PickListsTakeOnlyTheirChoices) {
    grid->setCurrentCell(1, 2);
    type("17");
    EXPECT_EQ(grid->cell(1, 2), "1");
    press(Qt::Key_F2);  // opens the list; Enter takes the choice and moves down
    auto* list = qobject_cast<QComboBox*>(QApplication::focusWidget());
    ASSERT_NE(list, nullptr);
    list->hidePopup();
    list->setCurrentIndex(0);
    press(Qt::Key_Return);
    EXPECT_EQ(grid->cell(1, 2), "0");
    expectCurrent(2, 2);

    // An unlisted text read from a file survives a list closed without a choice.
    grid->setCell(2, 2, "2");
    press(Qt::Key_F2);
    list = qobject_cast<QComboBox*>(QApplication::focusWidget());
    ASSERT_NE(list, nullptr);
    list->hidePopup();
    press(Qt::Key_Return);
    EXPECT_EQ(grid->cell(2, 2), "2");
}

}  // namespace
}  // namespace telvanor
