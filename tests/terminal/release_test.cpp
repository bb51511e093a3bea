#include "hardware/simulated_converter.h"
#include "hardware/simulated_relay.h"
#include "support/application.h"
#include "support/decision_harness.h"
#include "support/qstring_printer.h"
#include "terminal/services/device_turnstile_outputs.h"

#include <gtest/gtest.h>
#include <memory>
#include <optional>

namespace orvalen::test {
namespace {

using hardware::SimulatedConverter;
using terminal::TurnstileOutputKind;

const QString kStudent = QStringLiteral("0000000101");

QString s(const char* text) {
    return QString::fromUtf8(text);
}

struct ReleaseCase {
    const char* name;
    const char* roleta;
    const char* tipo;
    const char* usbLpt;
    const char* endereco;
    QStringList accessPoint; // empty: no list in force
    std::optional<TurnstileOutputKind> pulsed;
    std::vector<int> waits;
    QStringList status;
};

void PrintTo(const ReleaseCase& c, std::ostream* os) {
    *os << c.name;
}

class ReleaseTest : public ::testing::TestWithParam<ReleaseCase> {};

// A paid-up student enrolled in activity 05 is granted; the release does the rest.
TEST_P(ReleaseTest, ChoosesTheOutputAfterTheActivityFilter) {
    const ReleaseCase& c = GetParam();
    DecisionHarness h;
    h.addStudent(kStudent);
    h.insert("ALUNOSATIVIDADES", {{s("MATRICULA"), kStudent}, {s("ATIVIDADE"), s("05")}});
    h.setSacvar("ROLETA", s(c.roleta));
    h.setSacvar("TIPO_ROLETA", s(c.tipo));
    h.setSacvar2("USB_LPT", s(c.usbLpt));
    h.setSacvar2("ENDERECO_LPT", s(c.endereco));
    h.setSacvar2("CatracaWireless", s("192.168.0.50"));
    h.open();
    if (!c.accessPoint.isEmpty()) {
        h.screen().PBooPontoAcesso = true;
        h.unit.accessPointCodes = c.accessPoint;
    }
    h.identifyStudent(kStudent);

    EXPECT_EQ(h.observer.releases, 1);
    ASSERT_EQ(h.outputs.pulses.size(), c.pulsed ? 1u : 0u);
    if (c.pulsed) {
        const auto& pulse = h.outputs.pulses.front();
        EXPECT_EQ(pulse.target.kind, *c.pulsed);
        EXPECT_EQ(pulse.milliseconds, 700);
        if (*c.pulsed == TurnstileOutputKind::SerialRts) {
            EXPECT_EQ(pulse.target.device, s(c.roleta));
        }
        if (*c.pulsed == TurnstileOutputKind::ParallelPort) {
            EXPECT_EQ(pulse.target.portAddress, s(c.endereco));
        }
        if (*c.pulsed == TurnstileOutputKind::WifiRelay) {
            EXPECT_EQ(pulse.target.relayAddress, s("192.168.0.50"));
        }
    }
    EXPECT_EQ(h.pump.waits, c.waits);
    EXPECT_EQ(h.observer.statusTexts, c.status);
}

const QString kFree = QStringLiteral("Acesso Livre");

INSTANTIATE_TEST_SUITE_P(
    Outputs, ReleaseTest,
    ::testing::Values(
        ReleaseCase{
            "no_turnstile_holds", "NADA", "R", "Sim", "378", {}, std::nullopt, {1500}, {kFree}},
        ReleaseCase{"kind_without_output_does_nothing",
                    "COM1",
                    "N",
                    "Não",
                    "",
                    {},
                    std::nullopt,
                    {},
                    {kFree}},
        ReleaseCase{"serial_rts",
                    "COM2",
                    "A",
                    "Sim",
                    "378",
                    {},
                    TurnstileOutputKind::SerialRts,
                    {},
                    {kFree}},
        ReleaseCase{"converter_first",
                    "LPT1",
                    "R",
                    "Sim",
                    "378",
                    {},
                    TurnstileOutputKind::Converter,
                    {},
                    {kFree}},
        ReleaseCase{"parallel_port",
                    "LPT1",
                    "R",
                    "Não",
                    "378",
                    {},
                    TurnstileOutputKind::ParallelPort,
                    {},
                    {kFree}},
        ReleaseCase{
            "wifi_relay", "LPT1", "R", "Não", "", {}, TurnstileOutputKind::WifiRelay, {}, {kFree}},
        ReleaseCase{"access_point_admits",
                    "COM1",
                    "A",
                    "",
                    "",
                    {s("01"), s(""), s("05")},
                    TurnstileOutputKind::SerialRts,
                    {},
                    {kFree}},
        ReleaseCase{"access_point_refuses",
                    "COM1",
                    "A",
                    "",
                    "",
                    {s("01"), s("07")},
                    std::nullopt,
                    {1500},
                    {kFree, s("Sem Acesso a Atividade")}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReleaseVisitorTest, BothVisitorNumbersPassTheActivityFilter) {
    for (const char* visitor : {"9999999999", "0000999999"}) {
        DecisionHarness h;
        h.open();
        h.screen().PBooPontoAcesso = true;
        h.unit.accessPointCodes = {QStringLiteral("05")};
        h.screen().state().EDTMATRICULA.text = QString::fromLatin1(visitor);
        h.screen().VISITANTE();
        EXPECT_EQ(h.outputs.pulses.size(), 1u) << visitor;
        EXPECT_FALSE(h.observer.statusTexts.contains(QStringLiteral("Sem Acesso a Atividade")));
    }
}

class UnusedRtsPort : public terminal::RtsPort {
public:
    void open(const QString&) override { ADD_FAILURE() << "the serial port was opened"; }
    void setRts(bool) override {}
    void close() override {}
};

// A converter-driven turnstile (LPT1 through the USB converter) on the real outputs; the
// simulated converter stands in for the device and answers as the test says.
class ConverterTerminal {
public:
    explicit ConverterTerminal(SimulatedConverter::Behaviour atStartUp) {
        ensureApplication();
        h.addStudent(kStudent);
        h.setSacvar("ROLETA", s("LPT1"));
        h.setSacvar("TIPO_ROLETA", s("R"));
        h.setSacvar2("USB_LPT", s("Sim"));
        auto simulated = std::make_unique<SimulatedConverter>();
        simulated->setBehaviour(atStartUp);
        converter = simulated.get();
        store::LocalSettings local;
        local.folder = h.db.folder();
        outputs = std::make_unique<terminal::DeviceTurnstileOutputs>(local, h.pump, rts,
                                                                     std::move(simulated));
        h.turnstileOutputs = outputs.get();
        h.open();
    }

    // The outputs outlive the screen that holds them.
    UnusedRtsPort rts;
    std::unique_ptr<terminal::DeviceTurnstileOutputs> outputs;
    SimulatedConverter* converter = nullptr;
    DecisionHarness h;
};

TEST(ReleaseReportTest, AConverterThatReadsBackNothingClosesTheScreen) {
    ConverterTerminal t(SimulatedConverter::Behaviour::Answers);
    ASSERT_TRUE(t.h.aviso.boxes.empty()) << "the converter answered at the start-up";
    t.converter->setBehaviour(SimulatedConverter::Behaviour::AnswersZero);
    t.h.identifyStudent(kStudent);
    ASSERT_EQ(t.h.aviso.boxes.size(), 1u);
    EXPECT_EQ(t.h.aviso.boxes[0].kind, s("!"));
    EXPECT_EQ(t.h.aviso.boxes[0].text, s("Problema no Conversor USB para LPT"));
    EXPECT_EQ(t.h.aviso.boxes[0].detail, s("00000000"));
    EXPECT_TRUE(t.h.screen().state().closeRequested);
}

TEST(TurnstileDeviceStepsTest, AConverterThatIsNotThereStopsTheStartUp) {
    ConverterTerminal t(SimulatedConverter::Behaviour::Missing);
    ASSERT_EQ(t.h.aviso.boxes.size(), 1u);
    EXPECT_EQ(t.h.aviso.boxes[0].text, s("Dado INCORRETO !"));
    EXPECT_EQ(t.h.aviso.boxes[0].detail, s("A porta LPT1 está em uso ou não existe."));
    ASSERT_EQ(t.h.errorLog.messages.size(), 1);
    EXPECT_TRUE(t.h.errorLog.messages[0].contains(s("LPT1"))) << "the log names the device";
    EXPECT_TRUE(t.h.screen().state().closeRequested);
    // The start-up stopped before the entry panels and the access-point list.
    EXPECT_FALSE(t.h.screen().state().PNLMATRICULA.visible);
}

// The real outputs behind LIBERA_ROLETA: a granted student switches a loopback relay on
// and off once; a refused one sends it nothing.
TEST(ReleaseThroughTheRelayTest, OnePulsePerGrantAndNoneForARefusal) {
    ensureApplication();
    hardware::SimulatedRelay relay;
    ASSERT_EQ(relay.listen(QStringLiteral("127.0.0.1"), 0), QString());
    for (const bool granted : {true, false}) {
        DecisionHarness h;
        h.addStudent(kStudent, granted ? QVariantMap{} : QVariantMap{{s("BLOQUEIA_ROLETA"), 1}});
        h.setSacvar("ROLETA", s("LPT1"));
        h.setSacvar("TIPO_ROLETA", s("R"));
        h.setSacvar2("USB_LPT", s("Não"));
        h.setSacvar2("ENDERECO_LPT", s(""));
        h.setSacvar2("CatracaWireless", relay.address());
        h.open();
        store::LocalSettings local;
        local.folder = h.db.folder();
        UnusedRtsPort rts;
        terminal::DeviceTurnstileOutputs outputs(local, h.pump, rts);
        h.screen().services().turnstileOutputs = &outputs;
        const qsizetype before = relay.requests().size();

        h.identifyStudent(kStudent);

        QList<QByteArray> lines;
        for (qsizetype i = before; i < relay.requests().size(); ++i)
            lines << relay.requests()[i].line;
        if (granted) {
            EXPECT_EQ(lines, (QList<QByteArray>{
                                 "GET /?acao=gpio0On HTTP/1.1", "GET /?acao=gpio0Off HTTP/1.1",
                                 "GET /?acao=gpio0Off HTTP/1.1", "GET /?acao=gpio0Off HTTP/1.1",
                                 "GET /?acao=gpio0Off HTTP/1.1"}));
            EXPECT_EQ(h.pump.waits, (std::vector<int>{700, 1000, 1000, 1000, 1000}));
            EXPECT_EQ(h.observer.statusTexts, QStringList{kFree});
        } else {
            EXPECT_TRUE(lines.isEmpty());
            EXPECT_EQ(h.observer.statusTexts, QStringList{s("Pendência no Cadastro")});
        }
        EXPECT_TRUE(h.aviso.boxes.empty());
    }
}

// The turnstile output is made ready when the screen starts, cleared at the exit and given
// back when the screen closes.
TEST(TurnstileDeviceStepsTest, StartUpExitAndClosing) {
    struct Case {
        const char* name;
        const char* roleta;
        const char* tipo;
        const char* usbLpt;
        const char* endereco;
        QStringList steps; // start-up, then exit
        const char* lpt;   // LStrEndereco_LPT
    };
    const Case cases[] = {
        {"no turnstile", "NADA", "R", "Não", "378", {s("release")}, ""},
        {"serial output", "COM2", "A", "Não", "378", {s("release")}, ""},
        {"converter", "USBLPT0", "R", "Sim", "378", {s("prepare USBLPT0"), s("release")}, ""},
        {"parallel port",
         "LPT1",
         "R",
         "Não",
         "378",
         {s("prepare LPT1"), s("clear 378"), s("release")},
         "$378"},
        {"relay", "WIFI", "R", "Não", "", {s("prepare WIFI"), s("release")}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DecisionHarness h;
        h.setSacvar("ROLETA", s(c.roleta));
        h.setSacvar("TIPO_ROLETA", s(c.tipo));
        h.setSacvar2("USB_LPT", s(c.usbLpt));
        h.setSacvar2("ENDERECO_LPT", s(c.endereco));
        h.open();
        EXPECT_EQ(h.screen().LStrEndereco_LPT, s(c.lpt));
        h.screen().BBNRETORNAClick();
        EXPECT_EQ(h.outputs.steps, c.steps);
        EXPECT_TRUE(h.screen().state().closeRequested);
    }
}

} // namespace
} // namespace orvalen::test
