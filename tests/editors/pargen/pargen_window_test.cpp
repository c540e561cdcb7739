#include "editors/pargen/pargen_window.h"

#include <QAccessible>
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
#include "image/config_image.h"
#include "image/image_dump.h"
#include "support/temp_dir.h"
#include "widgets/recording_message_boxes.h"

namespace telvanor {
namespace {

using ::testing::ContainsRegex;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using testing::readFile;
using testing::RecordingMessageBoxes;
using testing::TempDir;
using testing::writeFile;
namespace fs = std::filesystem;

class PargenWindow : public ::testing::Test {
protected:
    PargenWindow() {
        fs::create_directories(project);
        workspace.ProjectDir = project;
        SetProjectPaths(workspace);
    }

    template <typename Widget = QWidget>
    Widget* get(const char* name) {
        auto* found = window.findChild<Widget*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QString text(const char* edit) { return get<QLineEdit>(edit)->text(); }
    bool checked(const char* button) { return get<QAbstractButton>(button)->isChecked(); }
    void type(const char* edit, const QString& value) { get<QLineEdit>(edit)->setText(value); }
    void check(const char* button) { get<QAbstractButton>(button)->setChecked(true); }
    void pressOk() { get<QPushButton>("bitbtn1")->click(); }
    std::string saved() { return readFile(project / "pargen.xml"); }

    TempDir dir;
    fs::path project = dir / "Boat2";
    WorkspaceState workspace;
    RecordingMessageBoxes messages;
    TFpargen window{workspace, messages};
};

TEST_F(PargenWindow, OpensOnTheValuesOfAProjectWithoutFile) {
    EXPECT_FALSE(checked("RB_HWType_A1") || checked("RB_HWType_B2"));  // until the first showing
    window.show();
    EXPECT_EQ(window.windowTitle(), "SET COMMUNICATION");
    EXPECT_EQ(get<QComboBox>("CB_BR_CAN")->currentText(), "250");
    EXPECT_TRUE(get<QComboBox>("CB_BR_CAN")->isEditable());
    EXPECT_TRUE(checked("RB_CAN_B"));
    EXPECT_FALSE(get("RB_CAN_A")->isEnabled() || get("RB_CAN_B")->isEnabled());
    for (const char* box : {"CB_PtoP", "CB_En_W_J1939", "CB_Send_Every", "CB_EnRemReq"})
        EXPECT_FALSE(checked(box)) << box;
    EXPECT_EQ(QStringList({text("E_TO_Data"), text("E_TO_MR"), text("E_SE_ms"), text("E_Pri_Des"), text("E_PGN1"),
                           text("E_PGN2"), text("E_SA"), text("E_ID_RTU"), text("E_TIME_RTU")}),
              QStringList({"0", "1", "1000", "0", "0", "0", "0", "1", "1000"}));
    EXPECT_FALSE(get("E_TIME_RTU")->isVisible());
    EXPECT_TRUE(checked("RB_RS485"));
    EXPECT_EQ(get<QComboBox>("CB_BR_RTU")->currentText(), "9600");
    EXPECT_EQ(get<QComboBox>("CB_PAR_RTU")->currentText(), "NONE");
    EXPECT_TRUE(checked("RB_HWType_A1"));
    EXPECT_EQ(window.focusWidget(), get("bitbtn1"));
    EXPECT_TRUE(get<QPushButton>("bitbtn1")->isDefault());
    EXPECT_EQ(get<QGroupBox>("GroupBox1")->title(), " NMEA2000 ");
    EXPECT_EQ(get<QCheckBox>("CB_En_W_J1939")->text(), "Enable write NMEA on request");
    EXPECT_EQ(get("E_Pri_Des")->accessibleName(), "Priority and Destiantion");
    for (QWidget* control : window.findChildren<QWidget*>()) {
        if (!control->isVisible() || !(control->focusPolicy() & Qt::TabFocus)) continue;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
        EXPECT_FALSE(accessible->text(QAccessible::Name).trimmed().isEmpty()) << control->objectName().toStdString();
    }
    EXPECT_GE(window.height(), window.sizeHint().height());  // nothing cut off
    QTest::keyClick(get("E_ID_RTU"), Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(fs::exists(project / "pargen.xml"));
}

TEST_F(PargenWindow, RefusedValuesShowTheFirstMessageAndWriteNothing) {
    window.show();
    type("E_TO_Data", "256");
    type("E_SE_ms", "0");
    pressOk();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].kind, "error");
    EXPECT_EQ(messages.messages[0].text, "Error! The Time Out Data must to be between 0 and 255 seconds");
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(text("E_TO_Data"), "256");
    EXPECT_FALSE(fs::exists(project / "pargen.xml"));
    window.reject();
}

TEST_F(PargenWindow, OkWritesTheFileThatTheImageBuilderAndTheNextShowingRead) {
    window.show();
    get<QComboBox>("CB_BR_CAN")->setCurrentIndex(5);
    get<QComboBox>("CB_BR_RTU")->setCurrentIndex(7);
    get<QComboBox>("CB_PAR_RTU")->setCurrentIndex(1);
    for (const char* button : {"RB_RS232", "RB_HWType_B2", "CB_PtoP", "CB_EnRemReq"}) check(button);
    type("E_ID_RTU", "17");
    type("E_TO_MR", "10");
    type("E_Pri_Des", "11");
    type("E_PGN1", "12");
    type("E_PGN2", "13");
    type("E_SA", "0x0E");
    pressOk();
    EXPECT_THAT(messages.texts(), IsEmpty());
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_THAT(saved(), HasSubstr("<BaudRateCAN>5</BaudRateCAN><CANType>1</CANType><Baud_Ser>7</Baud_Ser>"));
    EXPECT_THAT(saved(), HasSubstr("<SA>0x0E</SA>"));

    std::string image = describeImage(BuildConfigImage(project).bytes);
    EXPECT_THAT(image, ContainsRegex("CAN bit rate +500 kbit/s"));
    EXPECT_THAT(image, ContainsRegex("parity +EVEN"));
    EXPECT_THAT(image, ContainsRegex("serial line +RS232"));
    EXPECT_THAT(image, ContainsRegex("source address register +14"));

    type("E_ID_RTU", "changed");
    window.show();
    EXPECT_EQ(get<QComboBox>("CB_BR_RTU")->currentText(), "115200");
    EXPECT_TRUE(checked("RB_RS232") && checked("RB_HWType_B2") && checked("CB_PtoP"));
    EXPECT_EQ(text("E_ID_RTU"), "17");
    // Once a file's CAN type was read, 2.0B is enabled; 2.0A never is.
    EXPECT_TRUE(checked("RB_CAN_B"));
    EXPECT_FALSE(get("RB_CAN_A")->isEnabled());
    EXPECT_TRUE(get("RB_CAN_B")->isEnabled());
    window.reject();
}

TEST_F(PargenWindow, BitRateThatNamesNoEntryIsSavedAsMinusOne) {
    window.show();
    QComboBox* rate = get<QComboBox>("CB_BR_CAN");
    rate->lineEdit()->selectAll();
    QTest::keyClicks(rate->lineEdit(), "300");
    QTest::keyClick(rate->lineEdit(), Qt::Key_Return);  // Enter is the default button's
    EXPECT_FALSE(window.isVisible());
    EXPECT_THAT(saved(), HasSubstr("<BaudRateCAN>-1</BaudRateCAN>"));

    writeFile(project / "pargen.xml", "<GeneralParameter><BaudRateCAN>9</BaudRateCAN></GeneralParameter>");
    window.show();
    EXPECT_EQ(rate->currentText(), "");
    rate->setEditText("1000");
    pressOk();
    EXPECT_THAT(saved(), HasSubstr("<BaudRateCAN>7</BaudRateCAN>"));
}

// A file that does not parse leaves the controls as they were, and is told; OK then asks
// before it replaces the file; Cancel asks before typed values are dropped.
TEST_F(PargenWindow, UnparsableFileIsIgnoredAndToldAndWriteFailuresAreShown) {
    window.show();
    type("E_ID_RTU", "42");
    window.reject();
    ASSERT_EQ(messages.questions.size(), 1u);
    EXPECT_EQ(messages.questions[0].text, "Discard your changes to pargen.xml?");
    EXPECT_TRUE(window.isVisible()) << "Back, the default, keeps the window";
    messages.answers = {"Discard"};
    window.reject();
    EXPECT_FALSE(window.isVisible());

    writeFile(project / "pargen.xml", "<GeneralParameter><IDDev_Ser>7</GeneralParameter>");
    window.show();
    EXPECT_EQ(text("E_ID_RTU"), "42");
    EXPECT_TRUE(checked("RB_CAN_A"));
    EXPECT_FALSE(get("RB_CAN_B")->isEnabled());
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_THAT(messages.messages[0].text, HasSubstr("pargen.xml could not be read: not a well-formed XML file: "));

    pressOk();
    EXPECT_THAT(messages.questions.back().text, HasSubstr("Saving now replaces it with what the window holds"));
    EXPECT_EQ(readFile(project / "pargen.xml"), "<GeneralParameter><IDDev_Ser>7</GeneralParameter>");
    fs::remove_all(project);
    messages.answers = {"Save", "Overwrite"};
    pressOk();
    ASSERT_EQ(messages.messages.size(), 2u);
    EXPECT_EQ(messages.messages[1].kind, "error");
    EXPECT_THAT(messages.messages[1].text, HasSubstr("pargen.xml"));
    EXPECT_TRUE(window.isVisible());
    messages.answers = {"Discard"};
    window.reject();
}

TEST(SetCommunicationStep, OpensTheWindowOnTheCurrentProject) {
    TempDir dir;
    RecordingMessageBoxes messages;
    ApplicationWindows windows(dir.path(), messages);
    TFTelvanoreFirmWare& main = windows.main();
    auto* Fpargen = main.findChild<TFpargen*>("Fpargen");
    ASSERT_NE(Fpargen, nullptr);
    QList<QDialog*> dialogs = main.findChildren<QDialog*>(Qt::FindDirectChildrenOnly);
    EXPECT_LT(dialogs.indexOf(main.findChild<TFsaveproj*>("Fsaveproj")), dialogs.indexOf(Fpargen));

    QTimer::singleShot(0, [&] {
        Fpargen->findChild<QLineEdit*>("E_ID_RTU")->setText("3");
        Fpargen->findChild<QPushButton*>("bitbtn1")->click();
    });
    main.findChild<QPushButton*>("btn_Prm_Gen")->click();
    // Without a project, PROJECTS itself is the project folder.
    EXPECT_THAT(readFile(dir / "PROJECTS" / "pargen.xml"), HasSubstr("<IDDev_Ser>3</IDDev_Ser>"));
    EXPECT_THAT(messages.texts(), IsEmpty());
}

}  // namespace
}  // namespace telvanor
