#include "update/update_summary_window.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "widgets/window_checks.h"

namespace telvanor {
namespace {

using ::testing::HasSubstr;

UpdateSummary summaryWith(std::size_t errors, std::size_t warnings) {
    UpdateSummary summary;
    summary.projectDir = "/projects/Boat1";
    summary.projectName = "Boat1";
    if (errors == 0) {
        summary.imageFile = "/projects/Boat1/bin/bank.bin";
        summary.imageSize = 164;
    }
    for (std::size_t i = 0; i < errors; ++i)
        summary.errors.push_back(refusedAt({"RCobDef.xml", i + 1, "ID_DEV"}, "is empty"));
    // Enough long warnings to need the scroll bar.
    for (std::size_t i = 0; i < warnings; ++i)
        summary.warnings.push_back(warned("row " + std::to_string(i + 1) + ": " + std::string(200, 'w')));
    return summary;
}

TEST(UpdateSummaryWindow, WarningsOnlyLetTheUserGoOnOrGoBack) {
    UpdateSummaryWindow window(summaryWith(0, 40));
    EXPECT_EQ(window.windowTitle(), "Update Device");
    testing::expectUsableByKeyboard(window, "GoOn");
    EXPECT_THAT(window.findChild<QPlainTextEdit*>("Findings")->toPlainText().toStdString(),
                HasSubstr("Warning: row 40: "));
    QSize screen(1024, 768);
    EXPECT_LE(window.frameGeometry().width(), screen.width());
    EXPECT_LE(window.frameGeometry().height(), screen.height());

    QTest::keyClick(&window, Qt::Key_Return);
    EXPECT_EQ(window.result(), QDialog::Accepted);
    testing::expectEscapeCloses(window);
}

TEST(UpdateSummaryWindow, ErrorsLeaveOnlyTheWayBack) {
    UpdateSummaryWindow window(summaryWith(2, 1));
    testing::expectUsableByKeyboard(window, "Back");
    EXPECT_FALSE(window.findChild<QPushButton*>("GoOn")->isEnabled());
    EXPECT_THAT(window.findChild<QLabel*>("Headline")->text().toStdString(), HasSubstr("2 errors"));
    EXPECT_THAT(window.findChild<QPlainTextEdit*>("Findings")->toPlainText().toStdString(),
                HasSubstr("Error: Receive NMEA, row 1, Source Address is empty (RCobDef.xml row 1, "
                          "ID_DEV)"));
    QTest::keyClick(&window, Qt::Key_Return);
    EXPECT_EQ(window.result(), QDialog::Rejected);
}

}  // namespace
}  // namespace telvanor
