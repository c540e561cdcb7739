#pragma once

#include <functional>

#include <QLabel>
#include <QString>

namespace telvanor {

class StringGrid;

// The line under a frame table's grid that says what the PGN catalogue knows of the current
// row's PGN, and what in the row contradicts it. It follows the current cell and every edit;
// the text comes from `describe`, given the current grid row.
class PgnCatalogueLine : public QLabel {
    Q_OBJECT
public:
    using Describe = std::function<QString(int gridRow)>;

    PgnCatalogueLine(StringGrid* grid, Describe describe, QWidget* parent = nullptr);

    void refresh();
    // The line in a pane of fixed height, room for the summary and two warnings: a longer text
    // scrolls in it, so that the grid above keeps its height whatever the line says. Put the
    // pane where the line goes.
    QWidget* inFixedPane();

private:
    StringGrid* grid_;
    Describe describe_;
};

}  // namespace telvanor
