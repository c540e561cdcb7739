#include "editors/pargen/pargen_window.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest/QTest>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/application_windows.h"
#include "app/new_project_window.h"
#include "app/recording_message_boxes.h"
#include "image/config_image.h"
#include "image/image_dump.h"
#include "support/temp_dir.h"

namespace telvanor {
namespace {

using ::testing::ContainsRegex;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;
using testing::readFile;
using testing::RecordingMessageBoxes;
using testing::TempDir;
using testing::writeFile;
namespace fs = std::filesystem;

class PargenWindow : public ::testing::Test {
protected:
    PargenWindow() {
        fs::create_directories(project());
        workspace.ProjectDir = project();
        SetProjectPaths(workspace);
    }

    fs::path project() const { return dir / "Boat2"; }
    fs::path pargen() const { return project() / "pargen.xml"; }

    template <typename Widget = QWidget>
    Widget* get(const char* name) {
        auto* found = window.findChild<Widget*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QString text(const char* edit) { return get<QLineEdit>(edit)->text(); }
    bool checked(const char* button) { return get<QAbstractButton>(button)->isChecked(); }
    void type(const char* edit, const QString& value) { get<QLineEdit>(edit)->setText(value); }
    void pressOk() { get<QPushButton>("bitbtn1")->click(); }

    void open() {
        window.show();
        ASSERT_TRUE(window.isVisible());
    }

    TempDir dir;
    WorkspaceState workspace;
    RecordingMessageBoxes messages;
    TFpargen window{workspace, messages};
};

TEST_F(PargenWindow, OpensOnTheValuesOfAProjectWithoutFile) {
    // Before the first showing neither hardware variant is chosen.
    EXPECT_FALSE(checked("RB_HWType_A1") || checked("RB_HWType_B2"));
    open();
    EXPECT_EQ(window.windowTitle(), "SET COMMUNICATION");
    EXPECT_EQ(get<QComboBox>("CB_BR_CAN")->currentIndex(), 4);
    EXPECT_EQ(get<QComboBox>("CB_BR_CAN")->currentText(), "250");
    EXPECT_TRUE(checked("RB_CAN_B"));
    EXPECT_FALSE(get("RB_CAN_A")->isEnabled());
    EXPECT_FALSE(get("RB_CAN_B")->isEnabled());
    EXPECT_EQ(text("E_TO_Data"), "0");
    EXPECT_EQ(text("E_TO_MR"), "1");
    for (const char* box : {"CB_PtoP", "CB_En_W_J1939", "CB_Send_Every", "CB_EnRemReq"}) EXPECT_FALSE(checked(box)) << box;
    EXPECT_EQ(text("E_SE_ms"), "1000");
    for (const char* edit : {"E_Pri_Des", "E_PGN1", "E_PGN2", "E_SA"}) EXPECT_EQ(text(edit), "0") << edit;
    EXPECT_TRUE(checked("RB_RS485"));
    EXPECT_EQ(get<QComboBox>("CB_BR_RTU")->currentText(), "9600");
    EXPECT_EQ(get<QComboBox>("CB_PAR_RTU")->currentText(), "NONE");
    EXPECT_EQ(text("E_ID_RTU"), "1");
    EXPECT_EQ(text("E_TIME_RTU"), "1000");
    EXPECT_FALSE(get("E_TIME_RTU")->isVisible());
    EXPECT_TRUE(checked("RB_HWType_A1"));
    EXPECT_EQ(window.focusWidget(), get("bitbtn1"));
    EXPECT_FALSE(fs::exists(pargen()));
    window.reject();
}

TEST_F(PargenWindow, ControlsCarryTheirCaptionsAndAccessibleNames) {
    open();
    std::map<std::string, QString> captions = {
        {"GroupBox1", " NMEA2000 "}, {"GroupBox4", " Serial "}, {"GroupBox9", " Hardware "},
        {"RB_CAN_A", "CAN Bus 2.0A (CobID 11Bit)"}, {"RB_CAN_B", "CAN Bus 2.0B (CobID 29Bit)"},
        {"CB_PtoP", "Peer to Peer"}, {"CB_En_W_J1939", "Enable write NMEA on request"},
        {"CB_Send_Every", "Send Frame Every"}, {"CB_EnRemReq", "Enable Remote Request"},
        {"RB_RS232", "RS232"}, {"RB_RS485", "RS485"}, {"RB_HWType_A1", "RM40915-A1"},
        {"RB_HWType_B2", "RM40915-B2"}, {"bitbtn1", "OK"}, {"bitbtn2", "Cancel"}};
    for (const auto& [name, caption] : captions) {
        QWidget* widget = get(name.c_str());
        QString shown = qobject_cast<QGroupBox*>(widget) ? static_cast<QGroupBox*>(widget)->title()
                                                          : static_cast<QAbstractButton*>(widget)->text();
        EXPECT_EQ(shown, caption) << name;
    }
    EXPECT_THAT(get<QComboBox>("CB_BR_CAN")->count(), 8);
    EXPECT_TRUE(get<QComboBox>("CB_BR_CAN")->isEditable());
    EXPECT_FALSE(get<QComboBox>("CB_BR_RTU")->isEditable());
    EXPECT_EQ(get<QComboBox>("CB_PAR_RTU")->itemText(2), "ODD");
    EXPECT_TRUE(get<QPushButton>("bitbtn1")->isDefault());

    for (const char* name : {"CB_BR_CAN", "E_TO_Data", "E_TO_MR", "E_SE_ms", "E_Pri_Des", "E_PGN1", "E_PGN2", "E_SA",
                             "CB_BR_RTU", "CB_PAR_RTU", "E_ID_RTU", "RB_CAN_A", "CB_PtoP", "RB_RS232", "RB_HWType_B2",
                             "bitbtn2"}) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(get(name));
        ASSERT_NE(accessible, nullptr) << name;
        EXPECT_FALSE(accessible->text(QAccessible::Name).trimmed().isEmpty()) << name;
    }
    EXPECT_EQ(get("E_Pri_Des")->accessibleName(), "Priority and Destiantion");

    // Nothing is cut off: the window is at least as large as its content wants.
    EXPECT_GE(window.width(), window.sizeHint().width());
    EXPECT_GE(window.height(), window.sizeHint().height());
    window.reject();
}

TEST_F(PargenWindow, RefusedValuesShowTheFirstMessageAndWriteNothing) {
    open();
    type("E_TO_Data", "256");
    type("E_SE_ms", "0");
    pressOk();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].kind, "error");
    EXPECT_EQ(messages.messages[0].text, "Error! The Time Out Data must to be between 0 and 255 seconds");
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(text("E_TO_Data"), "256");
    EXPECT_FALSE(fs::exists(pargen()));

    type("E_TO_Data", "255");
    get<QCheckBox>("CB_EnRemReq")->setChecked(true);
    type("E_Pri_Des", "1");
    type("E_PGN1", "1");
    type("E_PGN2", "1");
    type("E_SA", "1");
    pressOk();
    EXPECT_EQ(messages.texts().back(), "Error! The Modbus Register cannot be equal to Priority and Destination");
    EXPECT_FALSE(fs::exists(pargen()));
    window.reject();
}

TEST_F(PargenWindow, OkWritesTheFileThatTheImageBuilderAndTheNextShowingRead) {
    open();
    get<QComboBox>("CB_BR_CAN")->setCurrentIndex(5);
    get<QComboBox>("CB_BR_RTU")->setCurrentIndex(7);
    get<QComboBox>("CB_PAR_RTU")->setCurrentIndex(1);
    get<QRadioButton>("RB_RS232")->setChecked(true);
    get<QRadioButton>("RB_HWType_B2")->setChecked(true);
    get<QCheckBox>("CB_PtoP")->setChecked(true);
    get<QCheckBox>("CB_EnRemReq")->setChecked(true);
    type("E_ID_RTU", "17");
    type("E_TO_Data", "30");
    type("E_TO_MR", "10");
    type("E_Pri_Des", "11");
    type("E_PGN1", "12");
    type("E_PGN2", "13");
    type("E_SA", "0x0E");
    type("E_SE_ms", "500");
    pressOk();
    EXPECT_THAT(messages.texts(), IsEmpty());
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_THAT(readFile(pargen()), HasSubstr("<BaudRateCAN>5</BaudRateCAN><CANType>1</CANType><Baud_Ser>7</Baud_Ser>"
                                              "<Par_Ser>1</Par_Ser><IDDev_Ser>17</IDDev_Ser>"));
    EXPECT_THAT(readFile(pargen()), HasSubstr("<SA>0x0E</SA>"));

    std::string parameters = describeImage(BuildConfigImage(project()).bytes);
    EXPECT_THAT(parameters, ContainsRegex("CAN bit rate +500 kbit/s"));
    EXPECT_THAT(parameters, ContainsRegex("serial baud rate +115200 baud"));
    EXPECT_THAT(parameters, ContainsRegex("parity +EVEN"));
    EXPECT_THAT(parameters, ContainsRegex("Modbus device ID +17"));
    EXPECT_THAT(parameters, ContainsRegex("serial line +RS232"));
    EXPECT_THAT(parameters, ContainsRegex("source address register +14"));

    // Reopened: the values come back, with CAN 2.0B now choosable.
    get<QLineEdit>("E_ID_RTU")->setText("changed");
    open();
    EXPECT_EQ(get<QComboBox>("CB_BR_CAN")->currentText(), "500");
    EXPECT_EQ(get<QComboBox>("CB_BR_RTU")->currentText(), "115200");
    EXPECT_TRUE(checked("RB_RS232"));
    EXPECT_TRUE(checked("RB_HWType_B2"));
    EXPECT_TRUE(checked("CB_PtoP"));
    EXPECT_EQ(text("E_ID_RTU"), "17");
    EXPECT_EQ(text("E_SA"), "0x0E");
    EXPECT_TRUE(checked("RB_CAN_B"));
    EXPECT_FALSE(get("RB_CAN_A")->isEnabled());
    EXPECT_TRUE(get("RB_CAN_B")->isEnabled());
    window.reject();
}

TEST_F(PargenWindow, TypedBitRateThatNamesNoEntryIsSavedAsMinusOne) {
    open();
    QComboBox* rate = get<QComboBox>("CB_BR_CAN");
    rate->lineEdit()->selectAll();
    QTest::keyClicks(rate->lineEdit(), "300");
    // Enter in the editable list is the default button's.
    QTest::keyClick(rate->lineEdit(), Qt::Key_Return);
    EXPECT_FALSE(window.isVisible());
    EXPECT_THAT(readFile(pargen()), HasSubstr("<BaudRateCAN>-1</BaudRateCAN>"));

    // A stored position outside the list shows no entry, and OK writes it back as -1.
    writeFile(pargen(), "<GeneralParameter><BaudRateCAN>9</BaudRateCAN></GeneralParameter>");
    open();
    EXPECT_EQ(rate->currentIndex(), -1);
    EXPECT_EQ(rate->currentText(), "");
    pressOk();
    EXPECT_THAT(readFile(pargen()), HasSubstr("<BaudRateCAN>-1</BaudRateCAN>"));

    // Typing an entry's text selects it.
    open();
    rate->setEditText("1000");
    pressOk();
    EXPECT_THAT(readFile(pargen()), HasSubstr("<BaudRateCAN>7</BaudRateCAN>"));
}

TEST_F(PargenWindow, FileWithoutItsElementsShowsTheFallbacksNotTheNewProjectValues) {
    writeFile(pargen(), "<GeneralParameter><CANType>0</CANType><Extra>1</Extra></GeneralParameter>");
    open();
    EXPECT_EQ(get<QComboBox>("CB_BR_CAN")->currentText(), "20");
    EXPECT_TRUE(checked("RB_CAN_B"));
    EXPECT_TRUE(get("RB_CAN_B")->isEnabled());
    pressOk();
    std::string saved = readFile(pargen());
    EXPECT_THAT(saved, HasSubstr("<BaudRateCAN>0</BaudRateCAN><CANType>1</CANType>"));
    EXPECT_THAT(saved, Not(HasSubstr("Extra")));
}

TEST_F(PargenWindow, FileThatDoesNotParseIsIgnoredSilently) {
    open();
    type("E_ID_RTU", "42");
    window.reject();
    writeFile(pargen(), "<GeneralParameter><IDDev_Ser>7</GeneralParameter>");
    open();
    EXPECT_EQ(text("E_ID_RTU"), "42");
    EXPECT_TRUE(checked("RB_CAN_A"));
    EXPECT_FALSE(get("RB_CAN_A")->isEnabled());
    EXPECT_FALSE(get("RB_CAN_B")->isEnabled());
    EXPECT_THAT(messages.texts(), IsEmpty());
    window.reject();
    EXPECT_EQ(readFile(pargen()), "<GeneralParameter><IDDev_Ser>7</GeneralParameter>");
}

TEST_F(PargenWindow, CancelAndEscapeSaveNothing) {
    open();
    type("E_ID_RTU", "5");
    get<QPushButton>("bitbtn2")->click();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Rejected);
    open();
    QTest::keyClick(get("E_ID_RTU"), Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(fs::exists(pargen()));
}

TEST_F(PargenWindow, FileThatCannotBeWrittenIsReportedAndTheWindowStays) {
    open();
    type("E_ID_RTU", "9");
    fs::remove_all(project());
    pressOk();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].kind, "error");
    EXPECT_THAT(messages.messages[0].text, HasSubstr("pargen.xml"));
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(text("E_ID_RTU"), "9");
    window.reject();
}

TEST(SetCommunicationStep, OpensTheWindowOnTheCurrentProject) {
    TempDir dir;
    RecordingMessageBoxes messages;
    ApplicationWindows windows(dir.path(), messages);
    TFTelvanoreFirmWare& main = windows.main();
    auto* Fpargen = main.findChild<TFpargen*>("Fpargen");
    ASSERT_NE(Fpargen, nullptr);
    // Created once, after the new project window.
    QList<QDialog*> dialogs = main.findChildren<QDialog*>(Qt::FindDirectChildrenOnly);
    EXPECT_LT(dialogs.indexOf(main.findChild<TFsaveproj*>("Fsaveproj")), dialogs.indexOf(Fpargen));

    // Without a project, PROJECTS itself is the project folder.
    bool shown = false;
    QTimer::singleShot(0, [&] {
        shown = Fpargen->isVisible();
        Fpargen->findChild<QLineEdit*>("E_ID_RTU")->setText("3");
        Fpargen->findChild<QPushButton*>("bitbtn1")->click();
    });
    main.findChild<QPushButton*>("btn_Prm_Gen")->click();
    EXPECT_TRUE(shown);
    EXPECT_THAT(readFile(dir / "PROJECTS" / "pargen.xml"), HasSubstr("<IDDev_Ser>3</IDDev_Ser>"));
    EXPECT_THAT(messages.texts(), IsEmpty());
}

}  // namespace
}  // namespace telvanor
