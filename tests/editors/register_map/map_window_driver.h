#pragma once

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QStringList>
#include <QTest>

#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "editors/register_map/register_map_window.h"
#include "widgets/qt_text.h"
#include "widgets/recording_message_boxes.h"

namespace telvanor::testing {

// The recorded messages as (kind, text) pairs.
inline std::vector<std::pair<std::string, std::string>> shown(const RecordingMessageBoxes& messages) {
    std::vector<std::pair<std::string, std::string>> all;
    for (const RecordingMessageBoxes::Message& message : messages.messages)
        all.emplace_back(message.kind, message.text);
    return all;
}

using Shown = std::pair<std::string, std::string>;

// Drives a register map window as a user would: selects lines, types, chooses bytes and
// presses buttons, all through the controls found by their names.
class MapWindowDriver {
public:
    explicit MapWindowDriver(RegisterMapWindow& window) : window_(window) {}

    template <typename Widget = QWidget>
    Widget* control(const char* name) const {
        auto* found = window_.findChild<Widget*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    QListWidget* frames() const { return control<QListWidget>("LPdoCanA"); }
    QListWidget* mappings() const { return control<QListWidget>("LIndMbCanA"); }
    QLineEdit* index() const { return control<QLineEdit>("EindexA"); }

    QStringList lines(QListWidget* list) const {
        QStringList texts;
        for (int row = 0; row < list->count(); ++row) texts.push_back(list->item(row)->text());
        return texts;
    }
    QStringList frameLines() const { return lines(frames()); }
    // The mapping lines' own texts ("Ind MB 0"), without the register and bytes after them.
    QStringList mappingLines() const {
        QStringList texts = lines(mappings());
        for (QString& text : texts) text = text.section("   ", 0, 0);
        return texts;
    }
    QStringList fullMappingLines() const { return lines(mappings()); }

    void selectFrame(int row) const { frames()->setCurrentRow(row); }
    void selectMapping(int row) const { mappings()->setCurrentRow(row); }
    // A click on a line, also on one that is selected already.
    void clickLine(QListWidget* list, int row) const {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
    }
    void typeIndex(const QString& text) const { index()->setText(text); }

    // The position checked in a B1 to B8 group ("PoscompMsbA", "PoscompLsbA"), -1 for none.
    int radioChoice(const char* group) const {
        for (int position = 0; position <= 8; ++position)
            if (radio(group, position)->isChecked()) return position;
        return -1;
    }
    void chooseRadio(const char* group, int position) const { radio(group, position)->click(); }

    void press(const char* button) const {
        QPushButton* pushButton = control<QPushButton>(button);
        ASSERT_TRUE(pushButton->isVisible() && pushButton->isEnabled()) << button;
        pushButton->click();
    }
    // Chooses a format in Export's menu: 0 CSV, 1 xlsx.
    void exportAs(int format) const {
        ASSERT_TRUE(control<QPushButton>("button1")->isVisible());
        control<QMenu>("exportFormats")->actions().at(format)->trigger();
    }

private:
    QAbstractButton* radio(const char* group, int position) const {
        return control<QAbstractButton>((std::string(group) + "_" + std::to_string(position)).c_str());
    }

    RegisterMapWindow& window_;
};

}  // namespace telvanor::testing
