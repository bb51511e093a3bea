#include "hardware/comm.h"
#include "hardware/tty_line_settings.h"
#include "support/application.h"
#include "support/serial_fixtures.h"

#include <gtest/gtest.h>
#include <sys/ioctl.h>

using namespace orvalen;
using namespace orvalen::hardware;
using namespace orvalen::hardware::comm;

namespace {

struct termios2 readSettings(int fd) {
    struct termios2 t {};
    EXPECT_EQ(::ioctl(fd, TCGETS2, &t), 0);
    return t;
}

TEST(LineSettings, ParametersReachTheDeviceAtOpenAndAtOnceWhenChanged) {
    test::ensureApplication();
    test::PtyPair pty;
    test::RecordingModemLines lines;
    TComm comm(lines);
    comm.DeviceName = pty.path();
    // A pseudo-terminal keeps speed and stop bits but always reads 8 bits without parity;
    // those two are checked on the settings themselves below.
    comm.setBaudRate(TBaudrate::br1200);
    comm.setStopbits(TStopbits::sb20);
    comm.Open();
    ASSERT_TRUE(comm.Enabled());

    struct termios2 t = readSettings(comm.Handle());
    EXPECT_EQ(t.c_ospeed, 1200u);
    EXPECT_NE(t.c_cflag & CSTOPB, 0u);
    EXPECT_EQ(t.c_lflag & (ICANON | ECHO | ISIG), 0u) << "not in binary mode";
    EXPECT_EQ(t.c_oflag & OPOST, 0u) << "not in binary mode";
    EXPECT_EQ(t.c_iflag & (IXON | IXOFF), 0u) << "a tty's XON/XOFF survived the open";

    // A rate the C library has no constant for, applied to the open port at once.
    comm.setBaudRate(TBaudrate::br14400);
    comm.setStopbits(TStopbits::sb10);
    t = readSettings(comm.Handle());
    EXPECT_EQ(t.c_ospeed, 14400u);
    EXPECT_EQ(t.c_cflag & CSTOPB, 0u);

    // Settings the line cannot take change nothing.
    comm.setDatabits(TDatabits::da4);
    comm.setBaudRate(TBaudrate::br2400);
    t = readSettings(comm.Handle());
    EXPECT_EQ(t.c_ospeed, 14400u);
}

TEST(LineSettings, DataBitsAndParity) {
    struct Case {
        TDatabits bits;
        TParity parity;
        tcflag_t size;
        tcflag_t parityFlags;
    };
    const Case cases[] = {
        {TDatabits::da8, TParity::paNone, CS8, 0},
        {TDatabits::da7, TParity::paOdd, CS7, PARENB | PARODD},
        {TDatabits::da7, TParity::paEven, CS7, PARENB},
        {TDatabits::da6, TParity::paMark, CS6, PARENB | PARODD | CMSPAR},
        {TDatabits::da5, TParity::paSpace, CS5, PARENB | CMSPAR},
    };
    for (const Case& c : cases) {
        struct termios2 t {};
        t.c_cflag = CS8 | PARENB | PARODD;
        LineSettings settings;
        settings.dataBits = c.bits;
        settings.parity = c.parity;
        ASSERT_TRUE(applyLineSettings(t, settings));
        EXPECT_EQ(t.c_cflag & CSIZE, c.size);
        EXPECT_EQ(t.c_cflag & (PARENB | PARODD | CMSPAR), c.parityFlags);
    }
    struct termios2 t {};
    LineSettings fourBits;
    fourBits.dataBits = TDatabits::da4;
    EXPECT_FALSE(applyLineSettings(t, fourBits));
}

TEST(LineSettings, FlowControlOptionsAndCharacters) {
    struct termios2 base {};
    base.c_iflag = IXANY;
    base.c_cflag = CRTSCTS | CS8;

    struct Case {
        const char* name;
        TFlowControl flow;
        tcflag_t iflagSet;
        tcflag_t iflagClear;
        bool rtscts;
    };
    const Case cases[] = {
        {"none: binary only", TFlowControl::fcNone, 0, IXON | IXOFF | IXANY, false},
        {"CTS handshake", TFlowControl::fcCTS, IXANY, IXON | IXOFF, true},
        {"software", TFlowControl::fcSoftware, IXON | IXOFF | IXANY, 0, true},
        {"default keeps what was read", TFlowControl::fcDefault, IXANY, IXON | IXOFF, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        struct termios2 t = base;
        LineSettings settings;
        settings.flow = c.flow;
        ASSERT_TRUE(applyLineSettings(t, settings));
        EXPECT_EQ(t.c_iflag & c.iflagSet, c.iflagSet);
        EXPECT_EQ(t.c_iflag & c.iflagClear, 0u);
        EXPECT_EQ((t.c_cflag & CRTSCTS) != 0, c.rtscts);
    }

    struct termios2 t = base;
    LineSettings settings;
    settings.options = TCommOption::coParityCheck;
    settings.chars.XonChar = 0x11;
    settings.chars.XoffChar = 0x13;
    ASSERT_TRUE(applyLineSettings(t, settings));
    EXPECT_NE(t.c_iflag & INPCK, 0u);
    EXPECT_EQ(t.c_cc[VSTART], 0x11);
    EXPECT_EQ(t.c_cc[VSTOP], 0x13);

    // One and a half stop bits exist only with five data bits.
    settings.stopBits = TStopbits::sb15;
    EXPECT_FALSE(applyLineSettings(t, settings));
    settings.dataBits = TDatabits::da5;
    ASSERT_TRUE(applyLineSettings(t, settings));
    EXPECT_NE(t.c_cflag & CSTOPB, 0u);
    EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS5));
}

TEST(LineSettings, MembersForPlainNumbers) {
    EXPECT_EQ(baudRateValue(TBaudrate::br2400), 2400);
    EXPECT_EQ(baudRateValue(TBaudrate::br256000), 256000);
    EXPECT_EQ(baudRateFor(56000), TBaudrate::br56000);
    EXPECT_EQ(baudRateFor(1200), TBaudrate::br1200);
    EXPECT_EQ(baudRateFor(3600), std::nullopt);
    EXPECT_EQ(databitsFor(7), TDatabits::da7);
    EXPECT_EQ(databitsFor(8), TDatabits::da8);
    EXPECT_EQ(databitsFor(9), std::nullopt);
    EXPECT_EQ(stopbitsFor(2), TStopbits::sb20);
    EXPECT_EQ(stopbitsFor(1), TStopbits::sb10);
    EXPECT_EQ(stopbitsFor(0), std::nullopt);
}

TEST(LineSettings, DefaultsOfTheComponent) {
    TComm comm;
    EXPECT_EQ(comm.DeviceName, QStringLiteral("Com2"));
    EXPECT_EQ(comm.ReadTimeout, 1000);
    EXPECT_EQ(comm.ReadBufSize, 4096);
    EXPECT_EQ(comm.MonitorEvents, kAllCommEvents);
    const LineSettings line = comm.lineSettings();
    EXPECT_EQ(line.baudRate, 9600);
    EXPECT_EQ(line.dataBits, TDatabits::da8);
    EXPECT_EQ(line.stopBits, TStopbits::sb10);
    EXPECT_EQ(line.parity, TParity::paNone);
    EXPECT_EQ(line.flow, TFlowControl::fcDefault);
    EXPECT_EQ(line.chars.XonChar, 17);
    EXPECT_EQ(line.chars.XoffChar, 19);
}

} // namespace
