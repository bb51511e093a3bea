#include "hardware/comm.h"
#include "support/application.h"
#include "support/serial_fixtures.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <gtest/gtest.h>
#include <sys/ioctl.h>

using namespace orvalen;
using namespace orvalen::hardware::comm;
using test::PtyPair;
using test::RecordingModemLines;
using test::runFor;
using test::runUntil;
using Line = RecordingModemLines::Line;

namespace {

// Waits for bytes to reach the driver's queue without running any event.
bool queueReaches(const TComm& comm, int count) {
    QElapsedTimer timer;
    timer.start();
    while (comm.InQueCount() < count) {
        if (timer.elapsed() > 2000) {
            return false;
        }
        QThread::msleep(2);
    }
    return true;
}

class CommTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::ensureApplication();
        comm.DeviceName = pty.path();
        comm.OnRxChar = [this](int count) { counts.push_back(count); };
    }

    PtyPair pty;
    RecordingModemLines lines;
    TComm comm{lines};
    std::vector<int> counts;
};

TEST_F(CommTest, ReceivedBytesAreAnnouncedWithTheirCountAndRead) {
    comm.Open();
    ASSERT_TRUE(comm.Enabled());
    pty.send("12345");
    ASSERT_TRUE(queueReaches(comm, 5));
    ASSERT_TRUE(runUntil([&] { return !counts.empty(); }));
    EXPECT_EQ(counts.front(), 5);
    char buffer[16] = {};
    ASSERT_EQ(comm.Read(buffer, sizeof buffer), 5);
    EXPECT_EQ(QByteArray(buffer, 5), QByteArray("12345"));
    EXPECT_EQ(comm.InQueCount(), 0);
}

TEST_F(CommTest, ReadingOneByteLeavesTheRestWithoutANewEvent) {
    char first = 0;
    comm.OnRxChar = [&](int count) {
        counts.push_back(count);
        EXPECT_EQ(comm.Read(&first, 1), 1);
    };
    comm.Open();
    pty.send("12345");
    ASSERT_TRUE(queueReaches(comm, 5));
    ASSERT_TRUE(runUntil([&] { return !counts.empty(); }));
    runFor(200);
    EXPECT_EQ(counts, std::vector<int>{5});
    EXPECT_EQ(first, '1');
    EXPECT_EQ(comm.InQueCount(), 4);
    char next = 0;
    EXPECT_EQ(comm.Read(&next, 1), 1);
    EXPECT_EQ(next, '2');

    // A new arrival is a new event, counting what waits by then.
    pty.send("6");
    ASSERT_TRUE(runUntil([&] { return counts.size() == 2; }));
    EXPECT_EQ(counts[1], 4);
}

TEST_F(CommTest, EmptyQueueReadsZeroAndNullBytesAreStrippedWhenAsked) {
    comm.setOptions(TCommOption::coNullStrip);
    comm.Open();
    char buffer[8] = {};
    EXPECT_EQ(comm.Read(buffer, sizeof buffer), 0);
    pty.send(QByteArray("1\0002\000", 4));
    ASSERT_TRUE(runUntil([&] { return !counts.empty(); }));
    ASSERT_EQ(comm.Read(buffer, sizeof buffer), 2);
    EXPECT_EQ(QByteArray(buffer, 2), QByteArray("12"));
}

TEST_F(CommTest, ReadAndWriteOnAClosedPortGiveMinusOneAfterTheirTimeOut) {
    comm.ReadTimeout = 200;
    comm.WriteTimeout = 150;
    char buffer[4] = {};
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(comm.Read(buffer, 1), -1);
    EXPECT_GE(timer.elapsed(), 200);
    timer.restart();
    EXPECT_EQ(comm.Write("x", 1), -1);
    EXPECT_GE(timer.elapsed(), 150);
}

TEST_F(CommTest, WriteThatCannotGoWithinItsTimeOutGivesMinusOne) {
    comm.WriteTimeout = 150;
    comm.Open();
    EXPECT_EQ(comm.Write("ab", 2), 2);
    QByteArray seen;
    ASSERT_TRUE(runUntil([&] {
        seen += pty.received();
        return seen == "ab";
    }));

    // Output held as if XOFF had come: nothing leaves, the write runs out of time.
    comm.SetXONState(false);
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(comm.Write("cd", 2), -1);
    EXPECT_GE(timer.elapsed(), 150);
    EXPECT_TRUE(pty.received().isEmpty());

    comm.SetXONState(true);
    EXPECT_EQ(comm.Write("ef", 2), 2);
    seen.clear();
    ASSERT_TRUE(runUntil([&] {
        seen += pty.received();
        return seen.endsWith("ef");
    }));
}

TEST_F(CommTest, BreakPurgesWhatTheReaderSentBefore) {
    comm.Open();
    pty.send("99");
    ASSERT_TRUE(queueReaches(comm, 2)); // the event for them is on its way
    comm.SetBREAKState(true);
    EXPECT_EQ(comm.InQueCount(), 0);
    comm.SetBREAKState(false);
    runFor(200);
    EXPECT_TRUE(counts.empty());

    const auto changes = lines.changes();
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0].line, Line::Break);
    EXPECT_TRUE(changes[0].on);
    EXPECT_EQ(changes[1].line, Line::Break);
    EXPECT_FALSE(changes[1].on);

    pty.send("1");
    ASSERT_TRUE(runUntil([&] { return !counts.empty(); }));
    EXPECT_EQ(counts.front(), 1);
}

TEST_F(CommTest, PurgeInThrowsAwayTheReceiveQueue) {
    comm.Open();
    pty.send("abc");
    ASSERT_TRUE(queueReaches(comm, 3));
    comm.PurgeIn();
    EXPECT_EQ(comm.InQueCount(), 0);
}

TEST_F(CommTest, NothingIsDeliveredAfterClose) {
    comm.Open();
    pty.send("12");
    ASSERT_TRUE(queueReaches(comm, 2));
    QThread::msleep(50); // the event thread has handed the event over by now
    comm.Close();
    runFor(200);
    EXPECT_TRUE(counts.empty());
    EXPECT_FALSE(comm.Enabled());
}

TEST_F(CommTest, HandlerMayCloseItsOwnPort) {
    comm.OnRxChar = [&](int count) {
        counts.push_back(count);
        comm.Close();
        pty.send("more");
    };
    comm.Open();
    pty.send("1");
    ASSERT_TRUE(runUntil([&] { return !counts.empty(); }));
    runFor(200);
    EXPECT_EQ(counts.size(), 1u);
    EXPECT_FALSE(comm.Enabled());
}

TEST_F(CommTest, AHandlerThatFailsDoesNotStopTheLine) {
    comm.OnRxChar = [&](int count) {
        counts.push_back(count);
        char buffer[8];
        comm.Read(buffer, sizeof buffer);
        if (counts.size() == 1) {
            throw std::runtime_error("handler failed");
        }
    };
    comm.Open();
    pty.send("1");
    bool thrown = false;
    try {
        runUntil([&] { return !counts.empty(); });
        runFor(50);
    } catch (const std::runtime_error&) {
        thrown = true; // reaches the application's exception log in the terminal
    }
    EXPECT_TRUE(thrown);
    pty.send("2");
    ASSERT_TRUE(runUntil([&] { return counts.size() == 2; }));
    EXPECT_EQ(counts[1], 1);
}

TEST_F(CommTest, EventsRunOnTheGuiThreadOneAtATime) {
    int depth = 0;
    int deepest = 0;
    bool offThread = false;
    comm.OnRxChar = [&](int count) {
        offThread = offThread || QThread::currentThread() != QCoreApplication::instance()->thread();
        ++depth;
        deepest = std::max(deepest, depth);
        counts.push_back(count);
        char buffer[8];
        comm.Read(buffer, sizeof buffer);
        if (counts.size() == 1) {
            pty.send("2"); // arrives while this handler lets events run
            runFor(150);
        }
        --depth;
    };
    comm.Open();
    pty.send("1");
    ASSERT_TRUE(runUntil([&] { return counts.size() == 2; }));
    EXPECT_EQ(deepest, 1);
    EXPECT_FALSE(offThread);
    EXPECT_EQ(counts[1], 1);
}

// A member's number comes while the handler of the previous one is still running: whether
// the handler returns at once or lets events run first, every arrival makes its own event.
TEST_F(CommTest, EveryArrivalDuringAHandlerMakesItsOwnEvent) {
    constexpr int kBytes = 40;
    for (const int nestedMs : {0, 1, 20}) {
        SCOPED_TRACE(nestedMs);
        TComm port(lines);
        port.DeviceName = pty.path();
        QByteArray read;
        std::vector<int> seen;
        port.OnRxChar = [&](int count) {
            seen.push_back(count);
            char buffer[8];
            const int got = port.Read(buffer, sizeof buffer);
            read.append(buffer, std::max(got, 0));
            if (read.size() < kBytes) {
                pty.send(QByteArray(1, static_cast<char>('0' + read.size())));
                if (nestedMs > 0) {
                    runFor(nestedMs);
                }
            }
        };
        port.Open();
        pty.send("0");
        EXPECT_TRUE(runUntil([&] { return read.size() == kBytes; }, 10000))
            << "stopped after " << read.size() << " bytes";
        QByteArray expected;
        for (int i = 0; i < kBytes; ++i) {
            expected.append(static_cast<char>('0' + i));
        }
        EXPECT_EQ(read, expected);
        EXPECT_EQ(seen, std::vector<int>(kBytes, 1));
    }
}

TEST_F(CommTest, ASecondPortOnAnOpenLineStaysClosedAndTakesNothingFromIt) {
    comm.OnRxChar = [&](int count) {
        counts.push_back(count);
        char buffer[8];
        comm.Read(buffer, sizeof buffer);
    };
    comm.Open();
    ASSERT_TRUE(comm.Enabled());
    pty.send("1");
    ASSERT_TRUE(runUntil([&] { return counts.size() == 1; }));

    // Another program, even one running as root, must not share the reader's line: setting
    // it up would throw away the bytes waiting, and its reads would take the member's number.
    TComm other(lines);
    other.DeviceName = pty.path();
    int othersEvents = 0;
    other.OnRxChar = [&](int) { ++othersEvents; };
    other.Open();
    EXPECT_FALSE(other.Enabled());
    pty.send("23");
    ASSERT_TRUE(runUntil([&] { return counts.size() == 2; }));
    EXPECT_EQ(counts[1], 2);
    EXPECT_EQ(othersEvents, 0);

    // Once the line is closed, it is free again.
    comm.Close();
    other.Open();
    EXPECT_TRUE(other.Enabled());
}

TEST_F(CommTest, MissingDeviceOrRegularFileStaysClosedAndEverythingIsSilent) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("not-a-port"));
    QFile(file).open(QIODevice::WriteOnly);
    for (const QString& name : {dir.filePath(QStringLiteral("missing")), file}) {
        SCOPED_TRACE(name.toStdString());
        TComm port(lines);
        port.DeviceName = name;
        port.ReadTimeout = 0;
        bool reported = false;
        port.OnDeviceLost = [&](const QString&) { reported = true; };
        port.Open();
        EXPECT_FALSE(port.Enabled());
        EXPECT_EQ(port.InQueCount(), -1);
        EXPECT_EQ(port.OutQueCount(), -1);
        char byte = 0;
        EXPECT_EQ(port.Read(&byte, 1), -1);
        port.SetBREAKState(true);
        port.SetRTSState(true);
        port.SetDTRState(true);
        port.PurgeIn();
        port.Close();
        EXPECT_TRUE(lines.changes().empty());
        EXPECT_FALSE(reported);
    }
}

TEST_F(CommTest, VanishedDeviceIsClosedAndReportedOnceWithoutSpinning) {
    // The line is reached through a name that goes with the device: another test process
    // may be handed the same pseudo-terminal number, which the retries must not find.
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("reader"));
    ASSERT_TRUE(QFile::link(pty.path(), link));
    comm.DeviceName = link;
    std::vector<QString> reports;
    comm.OnDeviceLost = [&](const QString& message) { reports.push_back(message); };
    comm.Open();
    pty.closeMaster();
    QFile::remove(link);

    const auto before = test::processCpuTime();
    runFor(1000);
    const auto used = test::processCpuTime() - before;

    ASSERT_EQ(reports.size(), 1u);
    EXPECT_TRUE(reports[0].contains(link)) << reports[0].toStdString();
    EXPECT_FALSE(comm.Enabled());
    EXPECT_LT(used, std::chrono::milliseconds(200)) << "the vanished line kept the CPU busy";
}

// The device comes back in the state the terminal last asked for: still held, or released
// while it was missing.
TEST_F(CommTest, VanishedDeviceIsReopenedWhenItComesBackInTheLastBreakState) {
    for (const bool releasedWhileMissing : {false, true}) {
        SCOPED_TRACE(releasedWhileMissing);
        PtyPair device;
        RecordingModemLines modem;
        TComm port(modem);
        QTemporaryDir dir;
        const QString link = dir.filePath(QStringLiteral("reader"));
        ASSERT_TRUE(QFile::link(device.path(), link));
        port.DeviceName = link;
        int reports = 0;
        port.OnDeviceLost = [&](const QString&) { ++reports; };
        std::vector<int> heard;
        port.OnRxChar = [&](int count) { heard.push_back(count); };
        port.Open();
        port.SetBREAKState(true); // the terminal holds the reader while it decides
        device.closeMaster();
        ASSERT_TRUE(runUntil([&] { return reports == 1; }));
        if (releasedWhileMissing) {
            port.SetBREAKState(false); // the screen's reset
        }

        // The adapter comes back, under the same name.
        PtyPair replugged;
        QFile::remove(link);
        ASSERT_TRUE(QFile::link(replugged.path(), link));
        ASSERT_TRUE(runUntil([&] { return port.Enabled(); }, 5000));
        EXPECT_EQ(reports, 1);
        const auto changes = modem.changes();
        const auto breaksOn = std::count_if(changes.begin(), changes.end(), [](const auto& c) {
            return c.line == Line::Break && c.on;
        });
        EXPECT_EQ(breaksOn, releasedWhileMissing ? 1 : 2);

        replugged.send("7");
        ASSERT_TRUE(runUntil([&] { return !heard.empty(); }));
        EXPECT_EQ(heard.front(), 1);
    }
}

// With the USB keypad the line is closed around each person; a device missing when the line
// is opened again is looked for as one lost while open.
TEST_F(CommTest, DeviceMissingAtOpenIsOpenedWhenItComesBack) {
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("reader"));
    ASSERT_TRUE(QFile::link(pty.path(), link));
    comm.DeviceName = link;
    comm.Open();
    ASSERT_TRUE(comm.Enabled());
    comm.Close();
    pty.closeMaster();
    QFile::remove(link);
    comm.Open();
    EXPECT_FALSE(comm.Enabled());

    PtyPair replugged;
    ASSERT_TRUE(QFile::link(replugged.path(), link));
    ASSERT_TRUE(runUntil([&] { return comm.Enabled(); }, 5000));
    replugged.send("7");
    ASSERT_TRUE(runUntil([&] { return !counts.empty(); }));
    EXPECT_EQ(counts.front(), 1);
}

TEST_F(CommTest, OnlyMonitoredEventsAreDeliveredInTheirOrder) {
    std::vector<std::string> calls;
    comm.OnCts = [&] { calls.push_back("cts"); };
    comm.OnDsr = [&] { calls.push_back("dsr"); };
    comm.OnRing = [&] { calls.push_back("ring"); };
    comm.OnRlsd = [&] { calls.push_back("rlsd"); };
    comm.OnRxChar = [&](int) { calls.push_back("rx"); };

    // As the reader line is set up: characters only.
    comm.MonitorEvents = TCommEventType::evRxChar;
    comm.Open();
    lines.play({.cts = true, .dsr = true, .ring = true, .rlsd = true});
    runFor(150);
    EXPECT_TRUE(calls.empty());
    comm.Close();

    comm.MonitorEvents = kAllCommEvents;
    comm.Open();
    lines.play({.cts = false, .dsr = false, .ring = false, .rlsd = false});
    ASSERT_TRUE(runUntil([&] { return calls.size() == 4; }));
    EXPECT_EQ(calls, (std::vector<std::string>{"cts", "dsr", "ring", "rlsd"}));
}

TEST_F(CommTest, DtrAndRtsGoThroughTheModemLines) {
    comm.SetRTSState(true); // closed: nothing
    comm.Open();
    comm.SetDTRState(true);
    comm.SetRTSState(false);
    const auto changes = lines.changes();
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0].line, Line::Dtr);
    EXPECT_TRUE(changes[0].on);
    EXPECT_EQ(changes[1].line, Line::Rts);
    EXPECT_FALSE(changes[1].on);
}

} // namespace
