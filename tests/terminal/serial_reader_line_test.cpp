#include "support/application.h"
#include "support/qstring_printer.h"
#include "support/screen_services.h"
#include "support/serial_fixtures.h"
#include "terminal/services/serial_reader_line.h"

#include <gtest/gtest.h>

namespace orvalen::test {
namespace {

using hardware::comm::TDatabits;
using hardware::comm::TParity;
using hardware::comm::TStopbits;
using Parity = store::SerialLineParameters::Parity;

store::LocalSettings portsMapping(const QString& port, const QString& device) {
    store::LocalSettings local;
    local.folder = QStringLiteral("/etc/orvalen");
    if (!device.isEmpty()) {
        local.ports.insert(port, device);
    }
    return local;
}

TEST(SerialReaderLine, LineParametersReachThePort) {
    ensureApplication();
    ReaderDevice device;
    RecordingErrorLog log;
    terminal::SerialReaderLine line(portsMapping(QStringLiteral("COM4"), device.path()), log);
    line.configure(QStringLiteral("COM4"), {2400, 8, 2, Parity::None});
    line.open();
    EXPECT_EQ(device.speed(), 2400u);
    EXPECT_TRUE(device.twoStopBits());
    EXPECT_TRUE(device.checksParity());
    EXPECT_TRUE(log.messages.isEmpty()) << log.messages.join(QLatin1Char('\n')).toStdString();

    // NUL bytes a reader sends before its keys or its frame are dropped by the line.
    QByteArray heard;
    line.setRxCharHandler([&](int count) {
        char bytes[8] = {};
        heard.append(bytes, line.read(bytes, std::min(count, 8)));
    });
    device.send(QByteArray("\0\0"
                           "1\0"
                           "2",
                           5));
    EXPECT_TRUE(runUntil([&] { return heard.size() >= 2; })) << heard.toHex().toStdString();
    runFor(50);
    EXPECT_EQ(heard, QByteArray("12")) << heard.toHex().toStdString();
}

// A pseudo-terminal always reads 8 bits without parity, so data bits and parity are
// checked on the port's own settings.
TEST(SerialReaderLine, DataBitsAndParityOfThePort) {
    struct Case {
        store::SerialLineParameters line;
        TDatabits bits;
        TStopbits stops;
        TParity parity;
    };
    const Case cases[] = {
        {{1200, 7, 1, Parity::Odd}, TDatabits::da7, TStopbits::sb10, TParity::paOdd},
        {{9600, 8, 2, Parity::Even}, TDatabits::da8, TStopbits::sb20, TParity::paEven},
        {{256000, 8, 1, Parity::None}, TDatabits::da8, TStopbits::sb10, TParity::paNone},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line.baudRate);
        hardware::comm::TComm comm;
        terminal::applyLineParameters(comm, c.line);
        const hardware::LineSettings settings = comm.lineSettings();
        EXPECT_EQ(settings.baudRate, c.line.baudRate);
        EXPECT_EQ(settings.dataBits, c.bits);
        EXPECT_EQ(settings.stopBits, c.stops);
        EXPECT_EQ(settings.parity, c.parity);
    }
}

// A device that cannot be opened is named in the exception log with the setting, the path
// and what to do, once until it opens again; the terminal goes on without it.
TEST(SerialReaderLine, MissingDeviceIsLoggedOnceWithWhatToDo) {
    ensureApplication();
    struct Case {
        const char* mapped;
        const char* device;
    };
    const Case cases[] = {{"/nonexistent/reader-line", "/nonexistent/reader-line"},
                          {"", "/dev/ttyS8"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.device);
        RecordingErrorLog log;
        terminal::SerialReaderLine line(
            portsMapping(QStringLiteral("COM9"), QString::fromLatin1(c.mapped)), log);
        line.configure(QStringLiteral("COM9"), {});
        line.open();
        line.open();
        ASSERT_EQ(log.messages.size(), 1) << log.messages.join(QLatin1Char('\n')).toStdString();
        const QString& message = log.messages.first();
        for (const QString& words :
             {QStringLiteral("COM9 (Sacvar.PINPAD)"), QString::fromLatin1(c.device),
              QStringLiteral("[ports] COM9="), QStringLiteral("/etc/orvalen/terminal.ini"),
              QStringLiteral("dialout")}) {
            EXPECT_TRUE(message.contains(words))
                << words.toStdString() << " not in " << message.toStdString();
        }
        char byte = 0;
        EXPECT_EQ(line.read(&byte, 1), -1);
    }
}

TEST(SerialReaderLine, VanishedDeviceIsLogged) {
    ensureApplication();
    PtyPair pty;
    RecordingErrorLog log;
    terminal::SerialReaderLine line(portsMapping(QStringLiteral("COM4"), pty.path()), log);
    line.configure(QStringLiteral("COM4"), {});
    line.open();
    pty.closeMaster();
    ASSERT_TRUE(runUntil([&] { return !log.messages.isEmpty(); }));
    EXPECT_TRUE(log.messages.first().contains(pty.path()));
    EXPECT_TRUE(log.messages.first().contains(QStringLiteral("Sacvar.PINPAD")));
}

} // namespace
} // namespace orvalen::test
