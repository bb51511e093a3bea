#include "support/terminal_fixture.h"

#include <QFile>
#include <gtest/gtest.h>

namespace orvalen::test {
namespace {

using Parity = store::SerialLineParameters::Parity;

const QString kPinpad = QStringLiteral("PINPAD");
const QString kTec12 = QStringLiteral("PADRAOTEC12");
const QString kUsb = QStringLiteral("Tec12USB");

bool logged(const TerminalFixture& f, const QString& words) {
    return std::any_of(f.errorLog.messages.begin(), f.errorLog.messages.end(),
                       [&](const QString& message) { return message.contains(words); });
}

TEST(ReaderLinePreparation, LineParametersFromTheSettings) {
    struct Case {
        int speed;
        const char* dataBits;
        const char* stopBits;
        const char* parity;
        int baud;
        int bits;
        int stops;
        Parity expected;
    };
    const Case cases[] = {
        {3600, "8", "1", "NADA", 2400, 8, 1, Parity::None}, // 3600 has always meant 2400
        {300, "7", "0", "PAR", 1200, 7, 2, Parity::Odd},    // unknown rate: the line's 1200
        {19200, "8", "1", "IMPAR", 19200, 8, 1, Parity::Even},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.speed);
        TerminalFixture f({{kPinpad, QStringLiteral("COM4")}},
                          {{QStringLiteral("VELOCIDADE"), c.speed},
                           {QStringLiteral("DATABIT"), QString::fromLatin1(c.dataBits)},
                           {QStringLiteral("STOPBIT"), QString::fromLatin1(c.stopBits)},
                           {QStringLiteral("PARIDADE"), QString::fromLatin1(c.parity)}});
        f.show();
        EXPECT_EQ(f.readerLine.portName, QStringLiteral("COM4"));
        EXPECT_EQ(f.readerLine.parameters.baudRate, c.baud);
        EXPECT_EQ(f.readerLine.parameters.dataBits, c.bits);
        EXPECT_EQ(f.readerLine.parameters.stopBits, c.stops);
        EXPECT_EQ(f.readerLine.parameters.parity, c.expected);
        EXPECT_EQ(f.readerLine.opens, 1);
        EXPECT_TRUE(f.readerLine.rxChar) << "the screen does not hear the line";
        EXPECT_EQ(f.state().LBLTECLADO.caption, QStringLiteral("Leitor"));
        EXPECT_TRUE(f.state().BBNLEITOR.enabled);
    }
}

// A setting that is not a number ends the start-up at the reader line: the error is in the
// exception log, the screen stays open, and the later steps (the line, the access-point
// list) do not run.
TEST(ReaderLinePreparation, BadNumbersEndTheStartUpInTheLog) {
    struct Case {
        const char* pinpad;
        const char* dataBits;
        const char* usb;
        const char* named;
    };
    const Case cases[] = {
        {"COM4", "x", "Não", "Sacvar2.DATABIT"},
        {"COM4", "x", "Sim", "Sacvar2.DATABIT"},
        {"COMX", "8", "Sim", "Sacvar.PINPAD"}, // the USB keypad's port number
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.named);
        TerminalFixture f(
            {{kPinpad, QString::fromLatin1(c.pinpad)}, {kTec12, QStringLiteral("Sim")}},
            {{QStringLiteral("DATABIT"), QString::fromLatin1(c.dataBits)},
             {kUsb, QString::fromUtf8(c.usb)}});
        QFile access(f.db().folder() + QStringLiteral("/Acesso.txt"));
        ASSERT_TRUE(access.open(QIODevice::WriteOnly));
        access.write("0102");
        access.close();
        f.show();
        EXPECT_TRUE(logged(f, QString::fromLatin1(c.named)))
            << f.errorLog.messages.join(QLatin1Char('\n')).toStdString();
        EXPECT_EQ(f.readerLine.opens, 0);
        EXPECT_FALSE(f.state().closeRequested);
        EXPECT_FALSE(f.screen().PBooPontoAcesso);
    }
}

class Tec12UsbTest : public ::testing::Test {
protected:
    TerminalFixture f{{{kPinpad, QStringLiteral("COM4")}, {kTec12, QStringLiteral("Sim")}},
                      {{kUsb, QStringLiteral("Sim")},
                       {QStringLiteral("VELOCIDADE"), 9600},
                       {QStringLiteral("DATABIT"), QStringLiteral("8")}}};
    // Switching on also releases the hold, before the keypad's port is closed.
    const QStringList switchOn{QStringLiteral("Open_Comm 4 9600 8"),
                               QStringLiteral("send_data_rs 4 15"), QStringLiteral("break off"),
                               QStringLiteral("Close_Comm 4")};
    const QStringList switchOff{QStringLiteral("Open_Comm 4 9600 8"),
                                QStringLiteral("send_data_rs 4 14"),
                                QStringLiteral("Close_Comm 4")};
};

TEST_F(Tec12UsbTest, SwitchedOnAtStartUpBeforeTheLineOpens) {
    f.show();
    const QStringList expected = QStringList{QStringLiteral("configure COM4")} + switchOn +
                                 QStringList{QStringLiteral("open")};
    EXPECT_EQ(f.readerLine.calls, expected);
    EXPECT_EQ(f.pump.waits, std::vector<int>({100}));
    EXPECT_TRUE(f.aviso.boxes.empty());
}

// The finger check holds the line as an entry does, and the keypad goes off with it.
TEST_F(Tec12UsbTest, SwitchedOffAfterTheLineClosesAtTheFingerCheckAndAtExit) {
    f.show();
    for (const auto& [name, step] :
         {std::pair{"finger check", &terminal::TerminalScreen::BBNVERIFICAClick},
          {"exit", &terminal::TerminalScreen::BBNRETORNAClick}}) {
        SCOPED_TRACE(name);
        f.readerLine.calls.clear();
        (f.screen().*step)();
        EXPECT_EQ(f.readerLine.calls.mid(0, 5),
                  QStringList({QStringLiteral("close"), QStringLiteral("break on")}) + switchOff);
    }
    EXPECT_FALSE(f.readerLine.rxChar) << "the closed screen still hears the line";
    EXPECT_TRUE(f.state().closeRequested);
}

TEST_F(Tec12UsbTest, PortThatDoesNotOpenIsReportedAndTheCommandsStillGo) {
    f.readerLine.keypadOpens = false;
    f.show();
    ASSERT_EQ(f.aviso.boxes.size(), 1u);
    EXPECT_EQ(f.aviso.boxes[0].kind, QStringLiteral("!"));
    EXPECT_EQ(f.aviso.boxes[0].text, QStringLiteral("Problema na porta USB"));
    EXPECT_EQ(f.aviso.boxes[0].detail, QString());
    EXPECT_TRUE(f.readerLine.calls.contains(QStringLiteral("send_data_rs 4 15")));
    EXPECT_TRUE(f.readerLine.calls.contains(QStringLiteral("Close_Comm 4")));
    EXPECT_EQ(f.readerLine.opens, 1);
}

// The reset releases the hold; a keypad switched off for the last person is switched on
// again around a closed line.
TEST_F(Tec12UsbTest, ResetRearmsTheLine) {
    f.show();
    for (const bool switchedOff : {false, true}) {
        SCOPED_TRACE(switchedOff);
        f.screen().PBooUSBDesativado = switchedOff;
        f.readerLine.calls.clear();
        f.screen().LIMPA_TELA();
        QStringList expected{QStringLiteral("break off")};
        if (switchedOff) {
            expected += QStringList{QStringLiteral("close")} + switchOn +
                        QStringList{QStringLiteral("open")};
        }
        EXPECT_EQ(f.readerLine.calls, expected);
        EXPECT_FALSE(f.screen().PBooUSBDesativado);
        EXPECT_EQ(f.state().LBLTECLADO.caption, QStringLiteral("Tec12"));
    }
}

// On a fingerprint-only terminal the keypad's Enter starts the fingerprint check; other
// keys do nothing, and each event ends with the hold released (what else came is thrown
// away).
TEST(ReaderFingerprintOnly, Tec12EnterStartsTheFingerprintCheck) {
    TerminalFixture f({{kPinpad, QStringLiteral("COM4")}, {kTec12, QStringLiteral("Sim")}},
                      {{QStringLiteral("LEITOR_BIOMETRICO"), QStringLiteral("Sim")},
                       {QStringLiteral("MATRICULADIGITAL"), QStringLiteral("Não")},
                       {QStringLiteral("Tipo_Leitor"), QStringLiteral("2")}});
    f.show();
    // The check names itself in the screen's caption.
    int checks = 0;
    for (const char* key : {"5", "*", "#"}) {
        SCOPED_TRACE(key);
        f.readerLine.waiting = key;
        f.readerLine.breaks.clear();
        f.readerLine.rxChar(1);
        EXPECT_TRUE(f.readerLine.waiting.isEmpty());
        EXPECT_TRUE(f.state().EDTMATRICULA.text.isEmpty());
        ASSERT_FALSE(f.readerLine.breaks.empty());
        EXPECT_FALSE(f.readerLine.breaks.back()) << "the hold is released";
        if (f.state().caption == QStringLiteral("Controle de Acesso - Verifica digital")) {
            ++checks;
            f.state().caption.clear();
        }
    }
    EXPECT_EQ(checks, 1);
    EXPECT_TRUE(f.screen().MPAD_KEYPRESS);

    // In the card reader's mode nothing is read at all.
    f.state().LBLTECLADO.caption = QStringLiteral("Leitor");
    f.readerLine.waiting = "#";
    f.readerLine.rxChar(1);
    EXPECT_EQ(f.readerLine.waiting, QByteArray("#"));
    EXPECT_EQ(checks, 1);
}

// A line that cannot deliver what it announced (the device went at that moment) is the
// keypad's problem box, for the keypad and for the card reader alike.
TEST(ReaderLinePreparation, ALineThatCannotDeliverShowsTheTec12Problem) {
    for (const char* tec12 : {"Sim", "Não"}) {
        SCOPED_TRACE(tec12);
        TerminalFixture f({{kPinpad, QStringLiteral("COM4")}, {kTec12, QString::fromUtf8(tec12)}});
        f.show();
        f.readerLine.waiting = "1";
        f.readerLine.readFails = true;
        f.readerLine.rxChar(1);
        ASSERT_EQ(f.aviso.boxes.size(), 1u);
        EXPECT_EQ(f.aviso.boxes[0].kind, QStringLiteral("!"));
        EXPECT_EQ(f.aviso.boxes[0].text, QStringLiteral("Problema com Tec12."));
        EXPECT_EQ(f.aviso.boxes[0].detail, QString());
        EXPECT_TRUE(f.state().EDTMATRICULA.text.isEmpty());
    }
}

TEST(ReaderLinePreparation, KeyboardTerminalIgnoresTheHandler) {
    TerminalFixture f;
    f.show();
    f.readerLine.waiting = "1";
    f.screen().Comm1RxChar(1);
    EXPECT_EQ(f.readerLine.waiting, QByteArray("1"));
    EXPECT_TRUE(f.state().EDTMATRICULA.text.isEmpty());
    EXPECT_EQ(f.readerLine.opens, 0);
}

} // namespace
} // namespace orvalen::test
