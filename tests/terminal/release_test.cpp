#include "hardware/simulated_converter.h"
#include "hardware/simulated_relay.h"
#include "support/application.h"
#include "support/decision_harness.h"
#include "support/qstring_printer.h"
#include "support/recording_port_calls.h"
#include "terminal/services/device_turnstile_outputs.h"

#include <gtest/gtest.h>
#include <optional>

namespace orvalen::test {
namespace {

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

class UnusedRtsPort : public terminal::RtsPort {
public:
    void open(const QString&) override { ADD_FAILURE() << "the serial port was opened"; }
    void setRts(bool) override {}
    void close() override {}
};

// The screen over the real outputs: a simulated converter and recorded parallel-port calls.
class RealOutputsTest : public ::testing::Test {
protected:
    RealOutputsTest() {
        auto simulated = std::make_unique<hardware::SimulatedConverter>();
        converter = simulated.get();
        store::LocalSettings local;
        local.folder = h.db.folder();
        outputs = std::make_unique<terminal::DeviceTurnstileOutputs>(
            local, h.pump, rts, std::move(simulated), std::make_unique<RecordingPortCalls>());
        h.turnstileOutputs = outputs.get();
        h.setSacvar("ROLETA", s("USBLPT0"));
        h.setSacvar("TIPO_ROLETA", s("R"));
    }

    DecisionHarness h;
    UnusedRtsPort rts;
    hardware::SimulatedConverter* converter = nullptr;
    std::unique_ptr<terminal::DeviceTurnstileOutputs> outputs;
};

// A converter that stops answering after the turnstile bit went out: the box names it, the
// screen closes, and the turnstile is not left released behind it.
TEST_F(RealOutputsTest, ConverterWithoutAnswerClosesTheScreenWithTheTurnstileLocked) {
    h.addStudent(kStudent);
    h.setSacvar2("USB_LPT", s("Sim"));
    h.open();
    converter->setBehaviour(hardware::SimulatedConverter::Behaviour::AnswersZero);
    h.identifyStudent(kStudent);
    ASSERT_EQ(h.aviso.boxes.size(), 1u);
    EXPECT_EQ(h.aviso.boxes[0].text, s("Problema no Conversor USB para LPT"));
    EXPECT_EQ(h.aviso.boxes[0].detail, s("00000000"));
    EXPECT_TRUE(h.screen().state().closeRequested);
    EXPECT_EQ(converter->reg(0), 0);
}

TEST_F(RealOutputsTest, AConverterThatIsNotThereStopsTheStartUp) {
    h.setSacvar2("USB_LPT", s("Sim"));
    converter->setBehaviour(hardware::SimulatedConverter::Behaviour::Missing);
    h.open();
    ASSERT_EQ(h.aviso.boxes.size(), 1u);
    EXPECT_EQ(h.aviso.boxes[0].text, s("Dado INCORRETO !"));
    EXPECT_EQ(h.aviso.boxes[0].detail, s("A porta USBLPT0 está em uso ou não existe."));
    ASSERT_EQ(h.errorLog.messages.size(), 1);
    EXPECT_TRUE(h.errorLog.messages[0].contains(s("USBLPT0")));
    EXPECT_TRUE(h.screen().state().closeRequested);
    // The start-up stopped before the entry panels and the access-point list.
    EXPECT_FALSE(h.screen().state().PNLMATRICULA.visible);
}

// A parallel port with no device behind it (an address other than 378 without its line in
// terminal.ini) gives no pulse, but each visitor is served to the end: the note goes with its
// own row only, and the log hears of the port once.
TEST_F(RealOutputsTest, AParallelPortThatCannotBeUsedLeavesTheReleaseWhole) {
    h.setSacvar("ROLETA", s("LPT2"));
    h.setSacvar2("USB_LPT", s("Não"));
    h.setSacvar2("ENDERECO_LPT", s("2F8"));
    h.open();
    h.screen().state().EDTOBSERVACAO.text = s("Entregador de agua");
    h.type(s("0000999999"));
    h.type(s("0000999999"));
    EXPECT_EQ(h.count(s("SELECT COUNT(*) FROM AcessoVisitantes")), 2);
    EXPECT_EQ(h.count(s("SELECT COUNT(*) FROM AcessoVisitantes WHERE OBS = 'Entregador de agua'")),
              1);
    EXPECT_EQ(h.observer.statusTexts, (QStringList{kFree, kFree}));
    ASSERT_EQ(h.errorLog.messages.size(), 1) << h.errorLog.messages.join(u'\n').toStdString();
    EXPECT_TRUE(h.errorLog.messages[0].contains(s("[ports] 2F8=")));
    expectIdle(h.screen().state());
}

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
    };
    const Case cases[] = {
        {"no turnstile", "NADA", "R", "Não", "378", {s("release")}},
        {"serial output", "COM2", "A", "Não", "378", {s("release")}},
        {"converter", "USBLPT0", "R", "Sim", "378", {s("prepare USBLPT0"), s("release")}},
        {"parallel port",
         "LPT1",
         "R",
         "Não",
         "378",
         {s("prepare LPT1"), s("clear 378"), s("release")}},
        {"relay", "WIFI", "R", "Não", "", {s("prepare WIFI"), s("release")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DecisionHarness h;
        h.setSacvar("ROLETA", s(c.roleta));
        h.setSacvar("TIPO_ROLETA", s(c.tipo));
        h.setSacvar2("USB_LPT", s(c.usbLpt));
        h.setSacvar2("ENDERECO_LPT", s(c.endereco));
        h.open();
        h.screen().BBNRETORNAClick();
        EXPECT_EQ(h.outputs.steps, c.steps);
        EXPECT_TRUE(h.screen().state().closeRequested);
    }
}

} // namespace
} // namespace orvalen::test
