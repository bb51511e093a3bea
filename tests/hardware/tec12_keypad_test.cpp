#include "hardware/comm.h"
#include "hardware/tec12_keypad.h"
#include "support/application.h"
#include "support/serial_fixtures.h"

#include <gtest/gtest.h>

using namespace orvalen;
using hardware::Tec12Keypad;
using test::PtyPair;

namespace {

class Tec12KeypadTest : public ::testing::Test {
protected:
    void SetUp() override { test::ensureApplication(); }

    PtyPair pty;
    // COM4 is the keypad's port; every other number names no device.
    Tec12Keypad keypad{[this](int port) {
        return port == 4 ? pty.path() : QStringLiteral("/nonexistent/ttyS%1").arg(port - 1);
    }};

    QByteArray sentToKeypad() {
        QByteArray seen;
        test::runUntil(
            [&] {
                seen += pty.received();
                return !seen.isEmpty();
            },
            1000);
        return seen;
    }
};

TEST_F(Tec12KeypadTest, SwitchingOnAndOffSendsTheCommandByte) {
    struct Case {
        int value;
        QByteArray sent;
    };
    for (const Case& c : {Case{15, QByteArray("\x0F")}, Case{14, QByteArray("\x0E")}}) {
        SCOPED_TRACE(c.value);
        ASSERT_TRUE(keypad.Open_Comm(4, 9600, 8, 0, 0, 0));
        keypad.send_data_rs(4, c.value);
        keypad.Close_Comm(4);
        EXPECT_EQ(sentToKeypad(), c.sent);
    }
}

TEST_F(Tec12KeypadTest, PortIsFreeForTheReaderLineAfterClose_Comm) {
    ASSERT_TRUE(keypad.Open_Comm(4, 1200, 7, 0, 0, 0));
    keypad.send_data_rs(4, 15);
    keypad.Close_Comm(4);

    hardware::comm::TComm readerLine;
    readerLine.DeviceName = pty.path();
    readerLine.Open();
    EXPECT_TRUE(readerLine.Enabled());
}

TEST_F(Tec12KeypadTest, PortThatCannotOpenOrTakeTheSettingsFails) {
    EXPECT_FALSE(keypad.Open_Comm(3, 9600, 8, 0, 0, 0)); // no such device
    EXPECT_FALSE(keypad.Open_Comm(4, 9600, 9, 0, 0, 0)); // no 9-bit characters
    EXPECT_FALSE(keypad.Open_Comm(4, 0, 8, 0, 0, 0));    // no baud rate
    // The callers go on with the command and the close regardless.
    keypad.send_data_rs(3, 15);
    keypad.send_data_rs(4, 15);
    keypad.Close_Comm(3);
    keypad.Close_Comm(4);
    EXPECT_TRUE(pty.received().isEmpty());
}

} // namespace
