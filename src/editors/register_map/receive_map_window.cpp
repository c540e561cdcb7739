#include "editors/register_map/receive_map_window.h"

#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "project/formats/register_map_format.h"
#include "widgets/qt_text.h"

namespace telvanor {

namespace {

const RegisterMapWindow::Layout kReceiveLayout = {
    "Receive NMEA2000 Frame Info",
    "DP               PGN            SA",
    42,
    3,
};

}  // namespace

TFInfopdoMB::TFInfopdoMB(WorkspaceState& workspace, MessageBoxes& messages, OpenExcelDialog& openExcel, QWidget* parent)
    : RegisterMapWindow(MapKind::Receive, kReceiveLayout, workspace, messages, openExcel, parent) {
    setObjectName("FInfopdoMB");
    highStack_ = new QStackedWidget(this);
    lowStack_ = new QStackedWidget(this);
    Panel1 = bytePanel("Panel1", "CB_HB", toQt(infocob_xml::kHighByteCaption), CB_HB);
    Panel2 = bytePanel("Panel2", "CB_LB", toQt(infocob_xml::kLowByteCaption), CB_LB);
    highStack_->addWidget(highRow_);
    highStack_->addWidget(Panel1);
    lowStack_->addWidget(lowRow_);
    lowStack_->addWidget(Panel2);
    layOut(highStack_, lowStack_, nullptr);
}

QFrame* TFInfopdoMB::bytePanel(const char* name, const char* listName, const QString& halfName, QComboBox*& list) {
    auto* panel = new QFrame(this);
    panel->setObjectName(name);
    list = new QComboBox(panel);
    list->setObjectName(listName);
    list->setAccessibleName("Selected Frame Byte, " + halfName);
    list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    list->setMinimumContentsLength(8);
    auto* caption = new QLabel("Selected Frame Byte", panel);
    caption->setBuddy(list);
    auto* choice = new QVBoxLayout;
    choice->addStretch(1);
    choice->addWidget(caption);
    choice->addWidget(list);
    choice->addStretch(1);
    layOutByteRow(panel, choice, "Translate in ", halfName)->setBuddy(list);
    return panel;
}

bool TFInfopdoMB::panelsShown() const { return highStack_->currentWidget() == Panel1; }

void TFInfopdoMB::showPanels(bool shown) {
    highStack_->setCurrentWidget(shown ? static_cast<QWidget*>(Panel1) : highRow_);
    lowStack_->setCurrentWidget(shown ? static_cast<QWidget*>(Panel2) : lowRow_);
}

void TFInfopdoMB::beforeShow() {
    // Nothing is selected after a show, so the B1 to B8 groups are the byte selectors.
    showPanels(false);
}

BytePair TFInfopdoMB::chosenBytes() const {
    if (!panelsShown()) return radioBytes();
    return {CB_HB->currentIndex(), CB_LB->currentIndex()};
}

void TFInfopdoMB::setUpByteSelectors(const TClPdo& frame) {
    if (!usesByteLists(MapKind::Receive, frame)) {
        showPanels(false);
        return;
    }
    QStringList entries;
    for (const std::string& entry : byteListEntries(frame)) entries.push_back(toQt(entry));
    for (QComboBox* list : {CB_HB, CB_LB}) {
        list->clear();
        list->addItems(entries);
        for (int position = 1; position < list->count(); ++position)
            list->setItemData(position, byteNote(frame, position), Qt::ToolTipRole);
        list->setCurrentIndex(0);
    }
    showPanels(true);
}

void TFInfopdoMB::selectListBytes(BytePair bytes) {
    CB_HB->setCurrentIndex(bytes.high);
    CB_LB->setCurrentIndex(bytes.low);
}

void TFInfopdoMB::showMappingBytes(const TClPdo& frame, std::string_view posComp) {
    if (!panelsShown()) {
        showRadioBytes(posComp);
        return;
    }
    // The lists start again from "None", so a PosComp that is not an integer leaves them there.
    setUpByteSelectors(frame);
    selectListBytes(listChoicesFor(posComp, static_cast<std::size_t>(CB_HB->count())));
}

void TFInfopdoMB::showPastedBytes(std::string_view posComp) {
    if (!panelsShown()) {
        showRadioBytes(posComp);
        return;
    }
    selectListBytes(listChoicesFor(posComp, static_cast<std::size_t>(CB_HB->count())));
}

}  // namespace telvanor
