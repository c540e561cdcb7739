#pragma once

#include <QDialog>

#include "project/strings_file.h"

class QLabel;
class QTableWidget;

namespace telvanor {

class MessageBoxes;

// "Select String": lists the texts of a strings file beside their indexes 0 to 999 and records
// the index of the row the user selects. Nothing in the program opens it yet.
class TFSELstringhe : public QDialog {
    Q_OBJECT
public:
    explicit TFSELstringhe(MessageBoxes& messages, QWidget* parent = nullptr);

    // The strings file to list and the index selected last; both kept between showings.
    StringSelection& selection() { return selection_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void sgSelectCell(int row);

    MessageBoxes& messages_;
    StringSelection selection_;
    QTableWidget* sg_ = nullptr;
    QLabel* Label1_ = nullptr;
};

}  // namespace telvanor
