#pragma once

#include <array>
#include <optional>

#include <QIcon>
#include <QPixmap>

#include "dormant/emcy_word/emcy_word.h"
#include "project/workspace.h"
#include "widgets/list_editor_window.h"

class QGroupBox;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace telvanor {

class MessageBoxes;
class OpenExcelDialog;

// "EWMCY": the EMCY word table of the current project (emcyword.xml) as a tree of one node per
// word with its sixteen bit nodes; the selected node's texts in the edits. Every showing reads
// the file afresh. OK writes the file ordered by index and closes; Cancel and Escape close
// without writing, asking first when the table was changed. Export writes emcyword.csv; Import replaces the table by
// the "emcyword" worksheet of a workbook. Created at start-up like every window; nothing in the program opens it yet.
class TFWemcyMB : public ListEditorWindow {
    Q_OBJECT
public:
    TFWemcyMB(WorkspaceState& workspace, MessageBoxes& messages, OpenExcelDialog& openExcel, QWidget* parent = nullptr);

    const EmcyWordTable& table() const { return table_; }

protected:
    void FormShow() override;
    void NewAClick() override;
    void ModifyAClick() override;
    void DeleteAClick() override;
    void BitBtn1Click() override;
    void Button1Click() override;
    void BitBtn4Click() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool hasChanges() const override { return table_.words != shownWords_; }

private:
    void FormCreate();
    void TWCanAChange();
    void IDEmcyExit();

    void buildControls();
    void clearTable();
    void addWordNode(int number);
    // The selected node's number, counting every node from 0 in display order.
    std::optional<std::size_t> selectedNode() const;

    OpenExcelDialog& OpenExcel;
    EmcyWordTable table_;
    std::vector<TClWEmcy> shownWords_;  // as shown, to tell whether the user changed them
    // The image list: word node, selected word node, bit node, selected bit node.
    std::array<QPixmap, 4> Large;
    QIcon wordIcon_;
    QIcon bitIcon_;

    QTreeWidget* TWCanA;
    QLineEdit* IDEmcy;
    QGroupBox* GBword_emcy_bitmapA;
    QLineEdit* Eindex_addrmA;
    QGroupBox* GbebmA;
    QLineEdit* Eb0A;
    QLineEdit* EposcompA;
    QLineEdit* Eb1A;
    QLineEdit* EposcompA2;
};

}  // namespace telvanor
