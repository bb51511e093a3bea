#include "hardware/parallel_port.h"
#include "support/qstring_printer.h"
#include "support/recording_port_calls.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <linux/ppdev.h>
#include <sys/ioctl.h>

using namespace orvalen::hardware;
using orvalen::test::RecordingPortCalls;

namespace {

const ParallelPortDevice kParport0{QStringLiteral("/dev/parport0"), false, 0x378};

TEST(ParallelPortTest, ClaimsThePortOnceAndWritesEachByteToTheDataLines) {
    RecordingPortCalls calls;
    {
        ParallelPort port(calls);
        EXPECT_EQ(port.write(kParport0, 255), QString());
        EXPECT_EQ(port.write(kParport0, 0), QString());
        EXPECT_EQ(calls.calls,
                  (QStringList{QStringLiteral("open /dev/parport0"), QStringLiteral("PPCLAIM"),
                               QStringLiteral("PPWDATA 255"), QStringLiteral("PPWDATA 0")}));
        calls.calls.clear();
    }
    // Given back when the output is done with it.
    EXPECT_EQ(calls.calls, (QStringList{QStringLiteral("PPRELEASE"), QStringLiteral("close")}));
}

TEST(ParallelPortTest, SaysWhyAPortCannotBeUsedAndTriesAgainNextTime) {
    RecordingPortCalls calls;
    ParallelPort port(calls);
    calls.failingOpen.insert("/dev/parport0", EACCES);
    EXPECT_EQ(port.write(kParport0, 255),
              QStringLiteral("cannot open /dev/parport0: Permission denied"));

    calls.failingOpen.clear();
    calls.failingIoctl.insert(PPCLAIM, EBUSY);
    calls.calls.clear();
    EXPECT_EQ(port.write(kParport0, 255),
              QStringLiteral("cannot claim the parallel port /dev/parport0: "
                             "Device or resource busy"));
    EXPECT_EQ(calls.calls, (QStringList{QStringLiteral("open /dev/parport0"),
                                        QStringLiteral("PPCLAIM"), QStringLiteral("close")}));

    calls.failingIoctl.clear();
    calls.calls.clear();
    EXPECT_EQ(port.write(kParport0, 255), QString());
    EXPECT_EQ(calls.calls, (QStringList{QStringLiteral("open /dev/parport0"),
                                        QStringLiteral("PPCLAIM"), QStringLiteral("PPWDATA 255")}));
}

// The raw port file: one byte at the port's address, here on a real file standing in for
// /dev/port.
TEST(ParallelPortTest, WritesTheRawPortFileAtTheAddressOffset) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("port"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.write(QByteArray(0x400, '\x11')) == 0x400);
    file.close();

    SystemPortCalls system;
    ParallelPort port(system);
    const ParallelPortDevice raw{path, true, 0x378};
    ASSERT_EQ(port.write(raw, 255), QString());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray content = file.readAll();
    file.close();
    EXPECT_EQ(content.size(), 0x400);
    EXPECT_EQ(content.at(888), '\xFF');
    EXPECT_EQ(content.at(887), '\x11');
    EXPECT_EQ(content.at(889), '\x11');

    ASSERT_EQ(port.write(raw, 0), QString());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().at(888), '\0');
}

} // namespace
