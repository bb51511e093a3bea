#include "hardware/simulated_converter.h"
#include "hardware/simulated_relay.h"
#include "support/application.h"
#include "support/qstring_printer.h"
#include "support/recording_port_calls.h"
#include "support/unreachable_relay.h"
#include "terminal/services/device_turnstile_outputs.h"

#include <QTcpServer>
#include <gtest/gtest.h>
#include <stdexcept>

namespace orvalen::test {
namespace {

using hardware::SimulatedConverter;
using terminal::DeviceTurnstileOutputs;
using terminal::OutputPreparation;
using terminal::PulseReport;
using terminal::TurnstileDeviceError;
using terminal::TurnstileOutputKind;
using terminal::TurnstileTarget;
using terminal::rules::TurnstileSettings;

QString s(const char* text) {
    return QString::fromUtf8(text);
}

const QString kRelayUnreachable = s("Catraca desligada ou problema no Roteador!");

// Waits in the shared timeline, without sleeping.
class TimelinePump : public terminal::Pump {
public:
    explicit TimelinePump(QStringList& timeline) : timeline_(timeline) {}
    void processEvents() override {}
    void wait(int milliseconds) override {
        waits.push_back(milliseconds);
        timeline_ << QStringLiteral("wait %1").arg(milliseconds);
    }
    std::vector<int> waits;

private:
    QStringList& timeline_;
};

// The serial port's side of an RTS pulse; pseudo-terminals have no modem lines.
class RecordingRtsPort : public terminal::RtsPort {
public:
    explicit RecordingRtsPort(QStringList& timeline) : timeline_(timeline) {}
    void open(const QString& portName) override {
        timeline_ << QStringLiteral("open ") + portName;
        if (!openError.isEmpty())
            throw std::runtime_error(openError.toStdString());
    }
    void setRts(bool on) override {
        timeline_ << (on ? QStringLiteral("RTS on") : QStringLiteral("RTS off"));
        if (failSetRts)
            throw std::runtime_error("RTS: Inappropriate ioctl for device");
    }
    void close() override { timeline_ << QStringLiteral("close"); }
    QString openError;
    bool failSetRts = false;

private:
    QStringList& timeline_;
};

// The outputs over a simulated converter and recorded parallel-port calls, a recording
// serial port and a real loopback relay; everything they do lands in one timeline.
class OutputsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ensureApplication(); }
    OutputsTest() {
        local.folder = QStringLiteral("/etc/orvalen");
        make();
    }

    void make(SimulatedConverter::Behaviour behaviour = SimulatedConverter::Behaviour::Answers) {
        outputs.reset();
        auto simulated = std::make_unique<SimulatedConverter>();
        simulated->setBehaviour(behaviour);
        converter = simulated.get();
        auto calls = std::make_unique<RecordingPortCalls>(timeline);
        port = calls.get();
        outputs = std::make_unique<DeviceTurnstileOutputs>(local, pump, rts, std::move(simulated),
                                                           std::move(calls));
    }

    // A loopback relay whose requests join the timeline as their request lines.
    QString startRelay(bool answering = true) {
        EXPECT_EQ(relay.listen(QStringLiteral("127.0.0.1"), 0), QString());
        relay.setAnswering(answering);
        relay.setOnRequest([this](const hardware::RelayRequest& request) {
            timeline << QString::fromLatin1(request.line).section(QLatin1Char(' '), 0, 1);
        });
        return relay.address();
    }

    static TurnstileSettings settings(const char* roleta, const char* tipo, const char* usbLpt,
                                      const char* endereco, const QString& wireless = {}) {
        return {s(roleta), s(tipo), s(usbLpt), s(endereco), wireless};
    }
    static TurnstileTarget target(TurnstileOutputKind kind, const QString& where = {}) {
        TurnstileTarget t;
        t.kind = kind;
        t.device = t.portAddress = t.relayAddress = where;
        return t;
    }

    QStringList timeline;
    TimelinePump pump{timeline};
    RecordingRtsPort rts{timeline};
    store::LocalSettings local;
    hardware::SimulatedRelay relay;
    SimulatedConverter* converter = nullptr;
    RecordingPortCalls* port = nullptr;
    std::unique_ptr<DeviceTurnstileOutputs> outputs;
};

const QStringList kOnThenFourOff{
    s("GET /?acao=gpio0On"),  s("wait 700"),  s("GET /?acao=gpio0Off"), s("wait 1000"),
    s("GET /?acao=gpio0Off"), s("wait 1000"), s("GET /?acao=gpio0Off"), s("wait 1000"),
    s("GET /?acao=gpio0Off"), s("wait 1000")};

TEST_F(OutputsTest, ConverterPulseSetsThenClearsTheTurnstileBitWithReadBacks) {
    const OutputPreparation prepared = outputs->prepare(settings("LPT1", "R", "Sim", "378"));
    EXPECT_FALSE(prepared.avisoText);
    EXPECT_FALSE(prepared.closeScreen);
    EXPECT_EQ(converter->writesTo(0), (std::vector<std::uint8_t>{0x00})); // cleared at start-up
    const std::size_t afterStartup = converter->requests().size();

    const PulseReport report = outputs->pulse(target(TurnstileOutputKind::Converter), 700);
    EXPECT_FALSE(report.avisoText);
    EXPECT_EQ(converter->writesTo(0), (std::vector<std::uint8_t>{0x00, 0x02, 0x00}));
    // write 0x02, read register 1, write 0x00, read register 1
    const auto& requests = converter->requests();
    ASSERT_EQ(requests.size(), afterStartup + 4);
    for (const std::size_t read : {afterStartup + 1, afterStartup + 3}) {
        EXPECT_EQ(requests[read].code, hardware::kReadRegisterCode);
        EXPECT_EQ(requests[read].input, QByteArray("\x01\x00", 2));
    }
    EXPECT_EQ(pump.waits, std::vector<int>{700});
}

// A converter that reads back nothing after the turnstile bit went out is reported absent
// and the pulse is not waited out; the bit is still cleared, so the turnstile is not left
// released while the screen closes.
TEST_F(OutputsTest, ConverterReadingZeroIsReportedAbsentAndTheTurnstileLockedAgain) {
    outputs->prepare(settings("LPT1", "R", "Sim", ""));
    converter->setBehaviour(SimulatedConverter::Behaviour::AnswersZero);
    const PulseReport report = outputs->pulse(target(TurnstileOutputKind::Converter), 700);
    EXPECT_EQ(report.avisoText.value_or(QString()), s("Problema no Conversor USB para LPT"));
    EXPECT_EQ(report.avisoDetail, s("00000000"));
    EXPECT_TRUE(pump.waits.empty());
    EXPECT_EQ(converter->writesTo(0), (std::vector<std::uint8_t>{0x00, 0x02, 0x00}));
    EXPECT_EQ(converter->reg(0), 0x00);

    converter->setBehaviour(SimulatedConverter::Behaviour::Answers);
    EXPECT_FALSE(outputs->pulse(target(TurnstileOutputKind::Converter), 700).avisoText);
    EXPECT_EQ(converter->writesTo(0), (std::vector<std::uint8_t>{0x00, 0x02, 0x00, 0x02, 0x00}));
}

TEST_F(OutputsTest, ConverterStartUpMessagesAndRelease) {
    struct Case {
        SimulatedConverter::Behaviour behaviour;
        const char* detail; // empty: the converter is kept
    };
    const Case cases[] = {
        {SimulatedConverter::Behaviour::Missing, "A porta LPT1 está em uso ou não existe."},
        {SimulatedConverter::Behaviour::Refuses,
         "A porta LPT1 não é válida com o conversor 1P-USB!"},
        {SimulatedConverter::Behaviour::Answers, ""},
    };
    for (const Case& c : cases) {
        make(c.behaviour);
        const OutputPreparation prepared = outputs->prepare(settings("LPT1", "R", "Sim", "378"));
        const bool fails = *c.detail != '\0';
        EXPECT_EQ(prepared.closeScreen, fails) << c.detail;
        EXPECT_EQ(prepared.avisoText.value_or(QString()),
                  fails ? s("Dado INCORRETO !") : QString());
        EXPECT_EQ(prepared.avisoDetail, s(c.detail));
        // The log says which device and which setting.
        EXPECT_EQ(prepared.deviceProblem.contains(s("[devices] converter= in "
                                                    "/etc/orvalen/terminal.ini")),
                  fails)
            << prepared.deviceProblem.toStdString();
        EXPECT_EQ(converter->openHandles(), fails ? 0 : 1);
        outputs->release();
        EXPECT_EQ(converter->openHandles(), 0);
    }
    // After a refused probe every pulse finds the converter absent.
    make(SimulatedConverter::Behaviour::Refuses);
    outputs->prepare(settings("LPT1", "R", "Sim", ""));
    EXPECT_EQ(outputs->pulse(target(TurnstileOutputKind::Converter), 700).avisoDetail,
              s("00000000"));
}

TEST_F(OutputsTest, ConverterPathComesFromTheSettingsFile) {
    make(SimulatedConverter::Behaviour::Missing);
    EXPECT_TRUE(outputs->prepare(settings("COM3", "R", "Sim", ""))
                    .deviceProblem.contains(s("the device /dev/ttyS2")));
    local.converterDevice = QStringLiteral("/dev/usblpt0");
    make(SimulatedConverter::Behaviour::Missing);
    EXPECT_TRUE(outputs->prepare(settings("COM3", "R", "Sim", ""))
                    .deviceProblem.contains(s("the device /dev/usblpt0")));
}

// "simulated" in the settings file stands the converter in for a demonstration; without it
// the name is a device path, and no such device exists here.
TEST_F(OutputsTest, SimulatedConverterOnlyWhenTheSettingsFileAsksForIt) {
    for (const bool simulated : {true, false}) {
        local.converterDevice = simulated ? s("simulated") : s("/nonexistent/usblpt0");
        DeviceTurnstileOutputs chosen(local, pump, rts);
        const OutputPreparation prepared = chosen.prepare(settings("LPT1", "R", "Sim", ""));
        EXPECT_EQ(prepared.closeScreen, !simulated);
        EXPECT_EQ(chosen.pulse(target(TurnstileOutputKind::Converter), 700).avisoText.has_value(),
                  !simulated);
    }
}

TEST_F(OutputsTest, ParallelPortIsClearedAtStartUpAndPulsedHighThenLow) {
    EXPECT_FALSE(outputs->prepare(settings("LPT1", "R", "Não", "378")).avisoText);
    EXPECT_FALSE(
        outputs->pulse(target(TurnstileOutputKind::ParallelPort, s("378")), 700).avisoText);
    EXPECT_EQ(timeline, (QStringList{s("open /dev/parport0"), s("PPCLAIM"), s("PPWDATA 0"),
                                     s("PPWDATA 255"), s("wait 700"), s("PPWDATA 0")}));
    outputs->release();
    EXPECT_EQ(timeline.mid(6), (QStringList{s("PPRELEASE"), s("close")}));
}

TEST_F(OutputsTest, ParallelAddressMappedToTheRawPortFileWritesAtTheOffset) {
    local.ports.insert(QStringLiteral("278"), QStringLiteral("/dev/port"));
    make();
    outputs->pulse(target(TurnstileOutputKind::ParallelPort, s("278")), 700);
    EXPECT_EQ(timeline,
              (QStringList{s("open /dev/port"), s("pwrite 632"), s("wait 700"), s("pwrite 632")}));
}

// A port that cannot be used is no error out of the pulse: the report says what to fix, once
// for the same problem, and no step that needed the port is carried out.
TEST_F(OutputsTest, AParallelPortThatCannotBeUsedSaysWhatToFixOnce) {
    const auto pulseProblem = [&](const char* address) {
        return outputs->pulse(target(TurnstileOutputKind::ParallelPort, s(address)), 700)
            .deviceProblem;
    };
    port->failingOpen.insert("/dev/parport0", EACCES);
    const QString denied = pulseProblem("378");
    EXPECT_TRUE(denied.contains(s("cannot open /dev/parport0: Permission denied")))
        << denied.toStdString();
    EXPECT_TRUE(denied.contains(s("Sacvar2.ENDERECO_LPT"))) << denied.toStdString();
    EXPECT_TRUE(denied.contains(s("group lp"))) << denied.toStdString();
    EXPECT_EQ(pulseProblem("378"), QString()) << "the same problem a second time";
    EXPECT_TRUE(pulseProblem("278").contains(s("[ports] 278=/dev/parport1")));
    EXPECT_TRUE(pulseProblem("X7").contains(s("Sacvar2.ENDERECO_LPT \"X7\"")));
    EXPECT_TRUE(pump.waits.empty());

    // At start-up the same problem goes to the log and the screen stays open.
    make();
    port->failingOpen.insert("/dev/parport0", EACCES);
    const OutputPreparation prepared = outputs->prepare(settings("LPT1", "R", "Não", "378"));
    EXPECT_FALSE(prepared.avisoText);
    EXPECT_FALSE(prepared.closeScreen);
    EXPECT_TRUE(prepared.deviceProblem.contains(s("group lp")));
    EXPECT_EQ(pulseProblem("378"), QString()) << "already in the log from the start-up";
}

TEST_F(OutputsTest, RelayIsSwitchedOnThenOffFourTimesASecondApart) {
    const QString address = startRelay();
    const PulseReport report = outputs->pulse(target(TurnstileOutputKind::WifiRelay, address), 700);
    EXPECT_EQ(report.information, QString());
    EXPECT_EQ(timeline, kOnThenFourOff);
    for (const hardware::RelayRequest& request : relay.requests()) {
        EXPECT_EQ(request.header("Accept"),
                  QByteArray("application/json, text/plain; q=0.9, text/html;q=0.8,"));
        EXPECT_EQ(request.header("Accept-Charset"), QByteArray("UTF-8, *;q=0.8"));
    }
}

// A relay out of reach, whose requests cannot even be sent: the text is shown at each of the
// five requests, as soon as each fails.
TEST_F(OutputsTest, RelayOutOfReachGetsFiveAttemptsAndTheText) {
    UnreachableRelay unreachable;
    QList<std::vector<int>> shownAfter; // the waits made when the text appeared
    outputs->showInformationWith([&](const QString& text) {
        EXPECT_EQ(text, kRelayUnreachable);
        shownAfter << pump.waits;
    });
    const PulseReport report =
        outputs->pulse(target(TurnstileOutputKind::WifiRelay, unreachable.address()), 700);
    EXPECT_EQ(report.information, kRelayUnreachable);
    EXPECT_EQ(report.deviceProblem, QString());
    EXPECT_EQ(pump.waits, (std::vector<int>{700, 1000, 1000, 1000, 1000}));
    ASSERT_EQ(shownAfter.size(), 5);
    EXPECT_TRUE(shownAfter.front().empty()) << "shown at once, not after the pulse";
}

// A relay that takes the request and never answers is no time-out to show: the off loop
// ends after its first request and the log says what happened.
TEST_F(OutputsTest, RelayThatNeverAnswersEndsTheOffLoopAndIsLogged) {
    const QString address = startRelay(false);
    int shown = 0;
    outputs->showInformationWith([&](const QString&) { ++shown; });
    const PulseReport report = outputs->pulse(target(TurnstileOutputKind::WifiRelay, address), 700);
    EXPECT_EQ(report.information, QString());
    EXPECT_EQ(shown, 0);
    EXPECT_EQ(timeline,
              (QStringList{s("GET /?acao=gpio0On"), s("wait 700"), s("GET /?acao=gpio0Off")}));
    EXPECT_TRUE(report.deviceProblem.contains(address)) << report.deviceProblem.toStdString();
    EXPECT_TRUE(report.deviceProblem.contains(s("Sacvar2.CatracaWireless")));
}

TEST_F(OutputsTest, RefusedRelayEndsTheOffLoopAfterOneRequest) {
    QTcpServer probe; // a port where nothing listens any more
    probe.listen(QHostAddress::LocalHost, 0);
    const QString address = QStringLiteral("127.0.0.1:%1").arg(probe.serverPort());
    probe.close();
    const PulseReport report = outputs->pulse(target(TurnstileOutputKind::WifiRelay, address), 700);
    EXPECT_EQ(report.information, QString());
    EXPECT_EQ(pump.waits, std::vector<int>{700}); // no second off attempt, no interval
}

TEST_F(OutputsTest, RelayStartUpSwitchesItOffAndWarnsOnlyOnTimeOut) {
    const QString address = startRelay();
    const OutputPreparation answered = outputs->prepare(settings("LPT1", "R", "Não", "", address));
    EXPECT_FALSE(answered.avisoText);
    EXPECT_EQ(timeline, QStringList{s("GET /?acao=gpio0Off")});

    UnreachableRelay unreachable;
    const OutputPreparation outOfReach =
        outputs->prepare(settings("LPT1", "R", "Não", "", unreachable.address()));
    EXPECT_EQ(outOfReach.avisoText.value_or(QString()), s("Problema na roleta !"));
    EXPECT_EQ(outOfReach.avisoDetail, kRelayUnreachable);
    EXPECT_FALSE(outOfReach.closeScreen);

    relay.setAnswering(false);
    const OutputPreparation silent = outputs->prepare(settings("LPT1", "R", "Não", "", address));
    EXPECT_FALSE(silent.avisoText);
    EXPECT_FALSE(silent.closeScreen);
    EXPECT_TRUE(silent.deviceProblem.contains(address)) << silent.deviceProblem.toStdString();
}

TEST_F(OutputsTest, NothingIsTouchedAtStartUpWithoutAParallelTypeTurnstile) {
    const QString address = startRelay();
    for (const TurnstileSettings& none : {settings("NADA", "R", "Sim", "378", address),
                                          settings("COM1", "A", "Sim", "378", address),
                                          settings("COM1", "N", "Não", "", address)}) {
        const OutputPreparation prepared = outputs->prepare(none);
        EXPECT_FALSE(prepared.avisoText);
        EXPECT_TRUE(prepared.deviceProblem.isEmpty());
    }
    EXPECT_TRUE(timeline.isEmpty());
    EXPECT_TRUE(converter->requests().empty());
}

TEST_F(OutputsTest, SerialPulseOpensRaisesWaitsLowersAndCloses) {
    outputs->pulse(target(TurnstileOutputKind::SerialRts, s("COM2")), 700);
    EXPECT_EQ(timeline,
              (QStringList{s("open COM2"), s("RTS on"), s("wait 700"), s("RTS off"), s("close")}));

    // A line that fails mid-pulse still leaves the port closed.
    timeline.clear();
    rts.failSetRts = true;
    EXPECT_THROW(outputs->pulse(target(TurnstileOutputKind::SerialRts, s("COM2")), 700),
                 std::runtime_error);
    EXPECT_EQ(timeline, (QStringList{s("open COM2"), s("RTS on"), s("close")}));
}

TEST_F(OutputsTest, SerialPortThatCannotOpenGivesNoPulseAndNamesTheFix) {
    local.ports.insert(QStringLiteral("COM3"), QStringLiteral("/dev/ttyUSB0"));
    make();
    rts.openError = s("TCOMPORT : cannot open COM3\rPermission denied");
    QString message;
    try {
        outputs->pulse(target(TurnstileOutputKind::SerialRts, s("COM3")), 700);
    } catch (const TurnstileDeviceError& error) {
        message = QString::fromStdString(error.what());
    }
    EXPECT_TRUE(message.startsWith(s("TCOMPORT : cannot open COM3\rPermission denied")));
    EXPECT_TRUE(message.contains(s("/dev/ttyUSB0"))) << message.toStdString();
    EXPECT_TRUE(message.contains(s("Sacvar.ROLETA")));
    EXPECT_TRUE(message.contains(s("group dialout")));
    EXPECT_EQ(timeline, QStringList{s("open COM3")});
}

} // namespace
} // namespace orvalen::test
