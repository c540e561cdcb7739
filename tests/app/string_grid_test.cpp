#include "app/string_grid.h"

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

// A grid with one column of each kind in a dialog with a default button.
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
        dialog.resize(500, 300);
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        grid->setFocus();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }

    // Sends keys to whatever has the focus, as typing does.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
    void type(const QString& text) {
        for (QChar c : text) QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
    }
    void clickCell(int row, int column, QPoint offset = {}) {
        QRect cell = grid->visualRect(grid->model()->index(row - 1, column - 1));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center() + offset);
    }

    QDialog dialog;
    StringGrid* grid;
    QPushButton* ok;
};

TEST_F(StringGridTest, AddressesCellsAsASpreadsheetWithNumberedRows) {
    EXPECT_EQ(grid->rowCount(), 5);
    EXPECT_EQ(grid->columnCount(), 5);
    EXPECT_EQ(grid->cell(1, 0), "1");
    EXPECT_EQ(grid->cell(5, 0), "5");
    EXPECT_EQ(grid->model()->headerData(3, Qt::Horizontal).toString(), "More");
    grid->setCell(2, 4, "x");
    grid->setCell(2, 0, "ignored");
    grid->setCell(6, 1, "outside");
    EXPECT_EQ(grid->cell(2, 4), "x");
    EXPECT_EQ(grid->cell(2, 0), "2");
    EXPECT_EQ(grid->cell(6, 1), "");
    grid->clearCells();
    EXPECT_EQ(grid->cell(2, 4), "");
    EXPECT_EQ(grid->cell(2, 0), "2");

    grid->setRows(3, 0);
    EXPECT_EQ(grid->cell(1, 0), "0");
    EXPECT_EQ(grid->cell(3, 0), "2");
}

TEST_F(StringGridTest, ColumnsStartWideEnoughForTheirHeadersAndCanBeResized) {
    for (int column = 0; column < 4; ++column) {
        EXPECT_GE(grid->columnWidth(column), grid->horizontalHeader()->sectionSizeHint(column)) << column;
        EXPECT_EQ(grid->horizontalHeader()->sectionResizeMode(column), QHeaderView::Interactive) << column;
    }
    EXPECT_GE(grid->naturalWidth(), grid->columnWidth(0) + grid->columnWidth(3));
}

TEST_F(StringGridTest, TypingReplacesATextCellAndEnterMovesDown) {
    grid->setCell(1, 1, "old text");
    grid->setCurrentCell(1, 1);
    type("26");
    EXPECT_NE(qobject_cast<QLineEdit*>(QApplication::focusWidget()), nullptr);
    press(Qt::Key_Return);
    EXPECT_EQ(grid->cell(1, 1), "26");
    EXPECT_EQ(grid->currentRow(), 2);
    EXPECT_EQ(grid->currentColumn(), 1);
    EXPECT_EQ(QApplication::focusWidget(), grid);
    EXPECT_EQ(dialog.result(), 0) << "Enter ending an edit must not press the default button";
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(StringGridTest, F2EditsTheTextInPlaceAndEscapeAbandonsTheEdit) {
    grid->setCell(1, 1, "abc");
    grid->setCurrentCell(1, 1);
    press(Qt::Key_F2);
    press(Qt::Key_End);
    type("d");
    press(Qt::Key_Tab);
    EXPECT_EQ(grid->cell(1, 1), "abcd");
    EXPECT_EQ(grid->currentColumn(), 2);

    grid->setCurrentCell(1, 4);
    type("zzz");
    press(Qt::Key_Escape);
    EXPECT_EQ(grid->cell(1, 4), "");
    EXPECT_TRUE(dialog.isVisible()) << "Escape ending an edit must not close the dialog";
    press(Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible()) << "outside an edit Escape reaches the dialog";
}

TEST_F(StringGridTest, ArrowsAndTabMoveBetweenCells) {
    grid->setCurrentCell(1, 1);
    press(Qt::Key_Right);
    press(Qt::Key_Down);
    EXPECT_EQ(grid->currentRow(), 2);
    EXPECT_EQ(grid->currentColumn(), 2);
    press(Qt::Key_Tab);
    press(Qt::Key_Tab);
    press(Qt::Key_Tab);  // from the last column to the first of the next row
    EXPECT_EQ(grid->currentRow(), 3);
    EXPECT_EQ(grid->currentColumn(), 1);
    press(Qt::Key_Backtab);
    EXPECT_EQ(grid->currentRow(), 2);
    EXPECT_EQ(grid->currentColumn(), 4);
}

TEST_F(StringGridTest, CtrlTabLeavesTheGridAndEnterThenReachesTheDefaultButton) {
    grid->setCurrentCell(1, 1);
    press(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(QApplication::focusWidget(), ok);
    grid->setFocus();
    press(Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(StringGridTest, DeleteEmptiesTheSelectedCells) {
    for (int column = 1; column <= 4; ++column) grid->setCell(2, column, "1");
    grid->setCell(3, 1, "keep");
    grid->setCurrentCell(2, 1);
    press(Qt::Key_End, Qt::ShiftModifier);  // select to the row's end
    press(Qt::Key_Delete);
    for (int column = 1; column <= 4; ++column) EXPECT_EQ(grid->cell(2, column), "") << column;
    EXPECT_EQ(grid->cell(3, 1), "keep");
}

TEST_F(StringGridTest, CopyAndPasteTabSeparatedCellsAsSpreadsheetsDo) {
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

    grid->setCurrentCell(4, 1);
    press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(grid->cell(4, 1), "a");
    EXPECT_EQ(grid->cell(4, 2), "1");
    EXPECT_EQ(grid->cell(5, 3), "Y");

    // What a column could not take from the keyboard is left out; the grid's edge clips.
    grid->setCell(4, 3, "Y");
    QApplication::clipboard()->setText("x\t7\tmaybe\tlast\textra\r\ny\t0\tn\r\nbeyond\r\n");
    grid->setCurrentCell(4, 1);
    press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(grid->cell(4, 1), "x");
    EXPECT_EQ(grid->cell(4, 2), "1");
    EXPECT_EQ(grid->cell(4, 3), "Y");
    EXPECT_EQ(grid->cell(4, 4), "last");
    EXPECT_EQ(grid->cell(5, 2), "0");
    EXPECT_EQ(grid->cell(5, 3), "N");
}

TEST_F(StringGridTest, CheckBoxesStayEmptyUntilTouchedAndToggleBetweenYAndN) {
    grid->setCurrentCell(1, 3);
    press(Qt::Key_Down);
    EXPECT_EQ(grid->cell(1, 3), "") << "passing over a check box leaves it untouched";
    press(Qt::Key_Space);
    EXPECT_EQ(grid->cell(2, 3), "Y");
    press(Qt::Key_Space);
    EXPECT_EQ(grid->cell(2, 3), "N");
    type("y");
    EXPECT_EQ(grid->cell(2, 3), "Y");
    type("q");
    EXPECT_EQ(grid->cell(2, 3), "Y") << "a check box takes no other text";
    press(Qt::Key_Delete);
    EXPECT_EQ(grid->cell(2, 3), "");

    EXPECT_EQ(grid->model()->index(0, 2).data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
    clickCell(3, 3);
    EXPECT_EQ(grid->cell(3, 3), "Y");
    EXPECT_EQ(grid->currentRow(), 3);
    EXPECT_EQ(grid->currentColumn(), 3);
    EXPECT_EQ(grid->model()->index(2, 2).data(Qt::CheckStateRole).toInt(), Qt::Checked);
    clickCell(3, 3);
    EXPECT_EQ(grid->cell(3, 3), "N");
    clickCell(4, 3, QPoint(grid->columnWidth(2) / 2 - 2, 0));  // beside the box: only selects the cell
    EXPECT_EQ(grid->cell(4, 3), "");
    EXPECT_EQ(grid->currentRow(), 4);
}

TEST_F(StringGridTest, PickListsTakeOnlyTheirChoices) {
    grid->setCurrentCell(1, 2);
    type("1");
    EXPECT_EQ(grid->cell(1, 2), "1");
    type("7");
    EXPECT_EQ(grid->cell(1, 2), "1");
    type("0");
    EXPECT_EQ(grid->cell(1, 2), "0");
    press(Qt::Key_Delete);
    EXPECT_EQ(grid->cell(1, 2), "");

    // F2 opens the list; a choice made with the keyboard is taken with Enter.
    press(Qt::Key_F2);
    auto* list = qobject_cast<QComboBox*>(QApplication::focusWidget());
    ASSERT_NE(list, nullptr);
    list->hidePopup();
    EXPECT_EQ(list->count(), 2);
    list->setCurrentIndex(1);
    press(Qt::Key_Return);
    EXPECT_EQ(grid->cell(1, 2), "1");
    EXPECT_EQ(grid->currentRow(), 2);
}

TEST_F(StringGridTest, AnOpenedListClosedWithoutAChoiceKeepsAnUnlistedText) {
    grid->setCell(1, 2, "2");  // read from a file: shown as it is
    grid->setCurrentCell(1, 2);
    press(Qt::Key_F2);
    auto* list = qobject_cast<QComboBox*>(QApplication::focusWidget());
    ASSERT_NE(list, nullptr);
    list->hidePopup();
    EXPECT_EQ(list->currentIndex(), -1);
    press(Qt::Key_Return);
    EXPECT_EQ(grid->cell(1, 2), "2");
}

}  // namespace
}  // namespace telvanor
