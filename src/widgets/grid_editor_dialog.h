#pragma once

#include <QDialog>
#include <QString>

class QHBoxLayout;
class QPushButton;
class QShowEvent;
class QTabWidget;

namespace telvanor {

class StringGrid;

// An editor window whose table is one StringGrid, the grid `sgA` on a single tab page, with
// `bitbtn1` "OK" (the default button) and `bitbtn2` "Cancel" (Escape) below it. The window
// can be maximised and the grid follows its size. Each show runs FormShow; OK runs
// BitBtn1Click, which closes the window with accept() when it is done.
class GridEditorDialog : public QDialog {
    Q_OBJECT
public:
    GridEditorDialog(const QString& pageCaption, QWidget* parent);

    StringGrid* grid() const { return sgA_; }

protected:
    virtual void FormShow() = 0;
    virtual void BitBtn1Click() = 0;

    QPushButton* okButton() const { return bitbtn1_; }
    // Puts a button at the left end of the bottom bar, after those put there before; Tab
    // reaches it after them and before OK. The button does not take Enter from OK.
    void addBarButton(QPushButton* button);
    // Puts `widget` on the tab page under the grid, after the grid in the tab order. Call it
    // before fitToGrid, and before addBarButton.
    void addBelowGrid(QWidget* widget);
    // Once the grid has its columns and rows: the window's size shows every column and
    // `visibleRows` rows, and it is centred on the screen.
    void fitToGrid(int visibleRows);

    void showEvent(QShowEvent* event) override;

private:
    // Makes `stop` the last stop before OK, after those appended before it.
    void appendTabStop(QWidget* stop);

    QTabWidget* pages_;
    QWidget* page_;
    QWidget* lastBeforeOk_;  // the last stop in the tab order before OK
    StringGrid* sgA_;
    QPushButton* bitbtn1_;
    QPushButton* bitbtn2_;
    QHBoxLayout* buttons_;
    int barButtons_ = 0;
};

}  // namespace telvanor
