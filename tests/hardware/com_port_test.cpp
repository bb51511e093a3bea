#include "hardware/com_port.h"
#include "support/application.h"
#include "support/serial_fixtures.h"

#include <QThread>
#include <gtest/gtest.h>

using namespace orvalen;
using hardware::EComError;
using hardware::TComPort;
using hardware::TReceiveMode;
using test::PtyPair;
using test::RecordingModemLines;
using test::runFor;
using test::runUntil;
using Line = RecordingModemLines::Line;

namespace {

class ComPortTest : public ::testing::Test {
protected:
    void SetUp() override { test::ensureApplication(); }

    // The port as the turnstile uses it: "COM1" mapped to the pseudo-terminal.
    std::unique_ptr<TComPort> makePort() {
        auto port = std::make_unique<TComPort>(
            [this](const QString& name) {
                return name == QLatin1String("COM1") ? pty.path() : QStringLiteral("/nonexistent");
            },
            lines);
        port->ReceiveCallBack = [this](const QString& data) { received.push_back(data); };
        return port;
    }

    PtyPair pty;
    RecordingModemLines lines;
    std::vector<QString> received;
};

TEST_F(ComPortTest, MissingPortRaisesCannotOpenWithPortNameAndStaysClosed) {
    auto port = makePort();
    port->Port = QStringLiteral("COM7");
    bool opened = false;
    port->OnPortOpen = [&] { opened = true; };
    try {
        port->Open();
        FAIL() << "Open of a missing port did not raise";
    } catch (const EComError& error) {
        EXPECT_TRUE(error.text().startsWith(QStringLiteral("TCOMPORT : cannot open COM7\r")))
            << error.text().toStdString();
        EXPECT_GT(error.text().size(), QStringLiteral("TCOMPORT : cannot open COM7\r").size())
            << "the system's reason is missing";
    }
    EXPECT_FALSE(port->isOpen());
    EXPECT_FALSE(opened);
}

TEST_F(ComPortTest, RtsPulseHasTheWaitedLengthWithDtrLowThroughout) {
    auto port = makePort();
    int openEvents = 0;
    int closeEvents = 0;
    port->OnPortOpen = [&] { ++openEvents; };
    port->OnPortClose = [&] { ++closeEvents; };

    port->Open();
    port->SetRTS(true);
    QThread::msleep(150); // the release holds the GUI thread for the pulse
    port->SetRTS(false);
    port->Close();

    const auto changes = lines.changes();
    std::vector<RecordingModemLines::Change> rtsOn;
    for (const auto& change : changes) {
        EXPECT_FALSE(change.line == Line::Dtr && change.on) << "DTR was raised";
        if (change.line == Line::Rts && change.on) {
            rtsOn.push_back(change);
        }
    }
    ASSERT_EQ(rtsOn.size(), 1u);
    ASSERT_GE(changes.size(), 4u);
    // Opening drops both lines before anything else.
    EXPECT_EQ(changes[0].line, Line::Dtr);
    EXPECT_FALSE(changes[0].on);
    EXPECT_EQ(changes[1].line, Line::Rts);
    EXPECT_FALSE(changes[1].on);
    const auto& last = changes.back();
    EXPECT_EQ(last.line, Line::Rts);
    EXPECT_FALSE(last.on);
    const auto pulse =
        std::chrono::duration_cast<std::chrono::milliseconds>(last.at - rtsOn.front().at);
    EXPECT_GE(pulse.count(), 150);
    EXPECT_LT(pulse.count(), 250);
    EXPECT_EQ(openEvents, 1);
    EXPECT_EQ(closeEvents, 1);
}

TEST_F(ComPortTest, LineControlAndSendOnAClosedPortDoNothing) {
    auto port = makePort();
    port->SetRTS(true);
    port->SetDTR(true);
    port->Send(QStringLiteral("x"));
    port->Close();
    EXPECT_TRUE(lines.changes().empty());
    runFor(50);
    EXPECT_TRUE(pty.received().isEmpty());
}

TEST_F(ComPortTest, TerminatedLineSplitAcrossReceptionsIsDeliveredWhole) {
    auto port = makePort();
    port->Open();
    pty.send("123");
    runFor(150);
    EXPECT_TRUE(received.empty());

    pty.send("4\r\n56");
    ASSERT_TRUE(runUntil([&] { return received.size() == 1; }));
    EXPECT_EQ(received[0], QStringLiteral("1234\r\n"));

    pty.send("7\r\n");
    ASSERT_TRUE(runUntil([&] { return received.size() == 2; }));
    EXPECT_EQ(received[1], QStringLiteral("567\r\n"));
}

TEST_F(ComPortTest, TwoLinesInOneReceptionComeOnePerReception) {
    auto port = makePort();
    port->Open();
    pty.send("A\r\nB\r\n");
    ASSERT_TRUE(runUntil([&] { return !received.empty(); }));
    runFor(150);
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0], QStringLiteral("A\r\n"));

    pty.send("C");
    ASSERT_TRUE(runUntil([&] { return received.size() == 2; }));
    EXPECT_EQ(received[1], QStringLiteral("B\r\n"));
}

TEST_F(ComPortTest, OneCharacterTerminatorSplitsThere) {
    auto port = makePort();
    port->setTerminator(QStringLiteral("#13"));
    port->Open();
    pty.send("99\r\n");
    ASSERT_TRUE(runUntil([&] { return !received.empty(); }));
    EXPECT_EQ(received[0], QStringLiteral("99\r"));
}

TEST_F(ComPortTest, RawModeDeliversEachByteAsOneCharacter) {
    auto port = makePort();
    port->ReceiveMode = TReceiveMode::rmRAW;
    port->Open();
    pty.send("\x01"
             "ab\xE9");
    ASSERT_TRUE(runUntil([&] { return !received.empty(); }));
    QString all;
    runUntil([&] {
        all.clear();
        for (const QString& part : received) {
            all += part;
        }
        return all.size() >= 4;
    });
    EXPECT_EQ(all, QString::fromLatin1("\x01"
                                       "ab\xE9"));
}

TEST_F(ComPortTest, SendWritesTheLow8BitsOfEachCharacter) {
    auto port = makePort();
    port->Open();
    port->Send(QString(QChar(0x141)) + QStringLiteral("B\r"));
    QByteArray seen;
    ASSERT_TRUE(runUntil([&] {
        seen += pty.received();
        return seen.size() >= 3;
    }));
    EXPECT_EQ(seen, QByteArray("AB\r"));
}

TEST_F(ComPortTest, EventsRunOnTheGuiThreadOneAtATime) {
    auto port = makePort();
    int depth = 0;
    int deepest = 0;
    bool offThread = false;
    port->ReceiveCallBack = [&](const QString& line) {
        offThread = offThread || QThread::currentThread() != QCoreApplication::instance()->thread();
        ++depth;
        deepest = std::max(deepest, depth);
        received.push_back(line);
        if (received.size() == 1) {
            // A handler that lets events run while more lines arrive.
            pty.send("2\r\n");
            runFor(150);
        }
        --depth;
    };
    port->Open();
    pty.send("1\r\n");
    ASSERT_TRUE(runUntil([&] { return received.size() == 2; }));
    EXPECT_EQ(deepest, 1);
    EXPECT_FALSE(offThread);
    EXPECT_EQ(received[1], QStringLiteral("2\r\n"));
}

TEST_F(ComPortTest, CloseDuringAHandOverDeliversNothingMore) {
    auto port = makePort();
    int closes = 0;
    port->OnPortClose = [&] { ++closes; };
    port->ReceiveCallBack = [&](const QString& line) {
        received.push_back(line);
        pty.send("2\r\n");
        runFor(150); // the next reception is now waiting for this handler
        port->Close();
    };
    port->Open();
    pty.send("1\r\n");
    ASSERT_TRUE(runUntil([&] { return !received.empty(); }));
    runFor(200);
    EXPECT_EQ(received.size(), 1u);
    EXPECT_EQ(closes, 1);
    EXPECT_FALSE(port->isOpen());
}

TEST_F(ComPortTest, VanishedDeviceClosesThePortOnceWithoutSpinning) {
    auto port = makePort();
    int errors = 0;
    int closes = 0;
    port->OnError = [&] { ++errors; };
    port->OnPortClose = [&] { ++closes; };
    port->Open();
    pty.closeMaster();

    const auto before = test::processCpuTime();
    runFor(1000);
    const auto used = test::processCpuTime() - before;

    EXPECT_EQ(errors, 1);
    EXPECT_EQ(closes, 1);
    EXPECT_FALSE(port->isOpen());
    EXPECT_LT(used, std::chrono::milliseconds(200)) << "the closed line kept the CPU busy";
}

TEST_F(ComPortTest, LineEventsPassTrueWhenTheLineIsOff) {
    auto port = makePort();
    std::vector<std::pair<char, bool>> events;
    port->OnCTSChanged = [&](bool off) { events.push_back({'C', off}); };
    port->OnDSRChanged = [&](bool off) { events.push_back({'D', off}); };
    port->Open();
    // Each line goes on, then off again, one change at a time.
    struct Step {
        bool cts;
        bool dsr;
        std::pair<char, bool> event;
    };
    const Step steps[] = {{true, false, {'C', false}},
                          {true, true, {'D', false}},
                          {false, true, {'C', true}},
                          {false, false, {'D', true}}};
    for (const Step& step : steps) {
        const std::size_t before = events.size();
        lines.play({.cts = step.cts, .dsr = step.dsr});
        ASSERT_TRUE(runUntil([&] { return events.size() == before + 1; }));
        EXPECT_EQ(events.back(), step.event);
    }
    port->Close();
    lines.play({.cts = true, .dsr = true});
    runFor(100);
    EXPECT_EQ(events.size(), std::size(steps));
}

TEST_F(ComPortTest, DestroyingAnOpenPortClosesIt) {
    auto port = makePort();
    int closes = 0;
    port->OnPortClose = [&] { ++closes; };
    port->Open();
    port.reset();
    EXPECT_EQ(closes, 1);
    // The device is free again.
    auto again = makePort();
    EXPECT_NO_THROW(again->Open());
}

struct TerminatorCase {
    const char* written;
    const char* readBack; // nullptr: the write raises
    const char* error;
};

TEST(ComPortTerminator, SyntaxAndErrors) {
    const QString illegal =
        QStringLiteral("Illegal terminator string.\rformat : #<asciicode>#<asciicode>#<...>\r"
                       "example: #13#10");
    const TerminatorCase cases[] = {
        {"#13#10", "#13#10", nullptr},       {"#13", "#13", nullptr},
        {"#3#65#200", "#3#65#200", nullptr}, {"#", nullptr, "Terminator string cannot be empty!"},
        {"#1x", nullptr, "illegal"},         {"#13##10", nullptr, "illegal"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.written);
        TComPort port;
        port.setTerminator(QStringLiteral("#10")); // a bad text must not leave this one
        if (c.readBack != nullptr) {
            port.setTerminator(QLatin1String(c.written));
            EXPECT_EQ(port.Terminator(), QLatin1String(c.readBack));
            continue;
        }
        try {
            port.setTerminator(QLatin1String(c.written));
            ADD_FAILURE() << "no error raised";
        } catch (const EComError& error) {
            if (QLatin1String(c.error) == QLatin1String("illegal")) {
                EXPECT_EQ(error.text(), illegal);
                EXPECT_EQ(port.Terminator(), QStringLiteral("#13#10"));
            } else {
                EXPECT_EQ(error.text(), QLatin1String(c.error));
            }
        }
    }
    EXPECT_EQ(TComPort().Terminator(), QStringLiteral("#13#10"));
}

TEST(ComPortText, NextTokenAndEnumerationNames) {
    QString s = QStringLiteral("13#10#");
    EXPECT_EQ(hardware::NextToken(s, QLatin1Char('#')), QStringLiteral("13"));
    EXPECT_EQ(s, QStringLiteral("10#"));
    EXPECT_EQ(hardware::NextToken(s, QLatin1Char('#')), QStringLiteral("10"));
    EXPECT_EQ(s, QString());
    QString rest = QStringLiteral("abc");
    EXPECT_EQ(hardware::NextToken(rest, QLatin1Char('#')), QStringLiteral("abc"));
    EXPECT_TRUE(rest.isEmpty());

    using hardware::TParity;
    using hardware::TStopBit;
    EXPECT_EQ(hardware::ParityToStr(TParity::ptEVEN), QStringLiteral("ptEVEN"));
    EXPECT_EQ(hardware::StopbToStr(TStopBit::snTWO), QStringLiteral("snTWO"));
    EXPECT_EQ(hardware::StrToParity(QStringLiteral("ptMARK")), TParity::ptMARK);
    EXPECT_EQ(hardware::StrToStopb(QStringLiteral("sbONE5")), TStopBit::sbONE5);
    EXPECT_EQ(hardware::StrToParity(QStringLiteral("even")), TParity::ptNONE);
    EXPECT_EQ(hardware::StrToStopb(QStringLiteral("sbTWO")), TStopBit::sbONE);
}

} // namespace
