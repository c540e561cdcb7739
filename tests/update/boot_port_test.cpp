#include "update/boot_port.h"

#include <QSerialPort>

#include <gtest/gtest.h>

#include "support/temp_dir.h"
#include "support/pseudo_terminal_pair.h"
#include "widgets/qt_text.h"

namespace telvanor {
namespace {

using testing::PseudoTerminalPair;
using testing::TempDir;

TEST(SerialBootPort, MissingDeviceCannotBeOpened) {
    TempDir dir;
    SerialBootPort port;
    EXPECT_EQ(port.open((dir / "ttyNone").string()), PortOpening::CannotOpen);
    EXPECT_FALSE(port.isOpen());
}

TEST(SerialBootPort, PortHeldExclusivelyBySomeoneElseCannotBeOpened) {
    TempDir dir;
    PseudoTerminalPair terminals(dir.path());
    QSerialPort holder(toQtPath(terminals.first));
    ASSERT_TRUE(holder.open(QIODevice::ReadWrite)) << holder.errorString().toStdString();

    SerialBootPort port;
    EXPECT_EQ(port.open(terminals.first.string()), PortOpening::CannotOpen);
    holder.close();
    // Free again, the same device opens; a pseudo-terminal has no DTR line, so it is let go.
    EXPECT_EQ(port.open(terminals.first.string()), PortOpening::CannotRaiseDtr);
    EXPECT_FALSE(port.isOpen());
    ASSERT_TRUE(holder.open(QIODevice::ReadWrite)) << holder.errorString().toStdString();
}

}  // namespace
}  // namespace telvanor
