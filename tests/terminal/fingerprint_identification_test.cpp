#include "biometrics/capture_screen_logic.h"
#include "biometrics/finger_template.h"
#include "support/decision_harness.h"
#include "support/fingerprint_fixture.h"
#include "support/qstring_printer.h"
#include "terminal/services/fingerprint_capture_screen.h"
#include "terminal/services/fingerprint_devices.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>

using namespace orvalen;

namespace {

// A terminal with the NBioBSP reader (the virtual one, fed the sample fingers) and its capture
// screen run without a window, on a club with fingers enrolled: whorl and arch to two paid-up
// students, loop-right to an employee numbered "000…", tented_arch to one numbered "910…".
class FingerprintIdentificationTest : public test::FingerprintFixture {
protected:
    FingerprintIdentificationTest() {
        h.setSacvar2("LEITOR_BIOMETRICO", QStringLiteral("Sim"));
        h.setSacvar2("Tipo_Leitor", QStringLiteral("1"));
        h.addStudent(QStringLiteral("0000012345"));
        h.addStudent(QStringLiteral("0000099999"));
        h.addEmployee(QStringLiteral("0000004321"));
        h.addEmployee(QStringLiteral("9100007777"));
        enrol(QStringLiteral("AlunosAtivos"), QStringLiteral("0000012345"), "whorl");
        enrol(QStringLiteral("AlunosAtivos"), QStringLiteral("0000099999"), "arch");
        enrol(QStringLiteral("Funcionarios"), QStringLiteral("0000004321"), "loop-right");
        enrol(QStringLiteral("Funcionarios"), QStringLiteral("9100007777"), "tented_arch");
    }

    void enrol(const QString& table, const QString& matricula, const char* finger) {
        const QString text = biometrics::digitalText(engine().extract(sample(finger)).value());
        h.db.exec(QStringLiteral("UPDATE %1 SET DIGITAL = :D WHERE MATRICULA = :M").arg(table),
                  {{QStringLiteral(":D"), text}, {QStringLiteral(":M"), matricula}});
    }

    void openTerminal() {
        h.fingerprintReader = &readers;
        h.captureScreen = &captureScreen;
        h.open();
        readers.attach(h.screen());
        captureScreen.attach(h.screen(), readers);
    }

    // The finger is placed and the reader holds it.
    void place(const char* finger) {
        present(finger);
        QElapsedTimer waited;
        waited.start();
        while (!engine().fingerWaiting() && waited.elapsed() < 10000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        }
        ASSERT_TRUE(engine().fingerWaiting()) << finger;
    }

    void presentAndPoll(const char* finger) {
        place(finger);
        h.screen().TimerSFingerTimer();
    }

    // The people the turnstile let in, in order.
    QStringList admitted() const {
        QStringList numbers;
        for (const terminal::LogRow& row : h.observer.rows) {
            numbers << row.table + QLatin1Char(' ') +
                           row.value(QStringLiteral("MATRICULA")).toString();
        }
        return numbers;
    }

    test::DecisionHarness h;
    terminal::LibfprintReaders readers{sharedEngine(), h.db.connection(), h.errorLog};
    terminal::FingerprintCaptureScreen captureScreen{
        h.db.connection(),           h.aviso, h.errorLog, h.pump, sharedEngine(),
        biometrics::runCaptureScreen};
};

TEST_F(FingerprintIdentificationTest, FingerAloneIdentifiesEachPersonBySecondPresentation) {
    openTerminal();
    struct Case {
        const char* finger;
        QString row; // the log row the person's entry wrote first
    } cases[] = {
        {"whorl_rot", QStringLiteral("AcessoDia 0000012345")},
        {"arch_rot", QStringLiteral("AcessoDia 0000099999")},
        {"loop-right_rot", QStringLiteral("AcessoFuncionarios 0000004321")},
        {"tented_arch_rot", QStringLiteral("AcessoFuncionarios 9100007777")},
    };
    for (const Case& c : cases) {
        h.observer.rows.clear();
        h.observer.informationTexts.clear();
        presentAndPoll(c.finger);
        ASSERT_FALSE(admitted().isEmpty())
            << c.finger << " " << h.observer.informationTexts.join(u'/').toStdString();
        EXPECT_EQ(admitted().first(), c.row) << c.finger;
        EXPECT_EQ(h.unit.biometricMode, 0) << c.finger;
        EXPECT_TRUE(h.screen().state().EDTMATRICULA.enabled) << "ready for the next person";
    }
}

TEST_F(FingerprintIdentificationTest, AnUnknownFingerIsRefused) {
    h.db.exec(QStringLiteral("UPDATE Funcionarios SET DIGITAL = NULL"));
    openTerminal();
    presentAndPoll("tented_arch_rot");
    EXPECT_TRUE(admitted().isEmpty());
    EXPECT_EQ(h.observer.informationTexts, QStringList{QStringLiteral("Digital não encontrada!")});
    EXPECT_EQ(h.unit.sharedMatricula, QString());
    EXPECT_TRUE(h.screen().state().EDTMATRICULA.enabled);
}

TEST_F(FingerprintIdentificationTest, TypedNumberThenFinger) {
    h.setSacvar2("MATRICULADIGITAL", QStringLiteral("Sim"));
    openTerminal();
    struct Case {
        const char* finger;
        QStringList information;
        QString firstRow; // empty: nobody is let in
    } cases[] = {
        {"arch_rot", {QStringLiteral("Digital não confere com Matrícula!")}, {}},
        {"whorl_rot", {}, QStringLiteral("AcessoDia 0000012345")},
    };
    for (const Case& c : cases) {
        h.observer.rows.clear();
        h.observer.informationTexts.clear();
        place(c.finger);
        h.screen().state().EDTMATRICULA.text = QStringLiteral("12345");
        QChar enter(terminal::kEnter);
        h.screen().EDTMATRICULAKeyPress(enter);
        EXPECT_EQ(h.observer.informationTexts, c.information) << c.finger;
        EXPECT_EQ(admitted().value(0), c.firstRow) << c.finger;
        EXPECT_TRUE(h.screen().state().EDTMATRICULA.enabled);
    }
}

TEST_F(FingerprintIdentificationTest, KeyboardTakeoverBlocksVerification) {
    captureScreen.setCaptureTimeout(300);
    openTerminal();
    h.screen().BBNTECLADO1Click();
    h.screen().BBNVERIFICAClick();
    EXPECT_TRUE(h.observer.informationTexts.isEmpty()) << "no capture was attempted";
    EXPECT_EQ(h.screen().state().caption, QStringLiteral("Controle de Acesso - Teclado"));
}

TEST_F(FingerprintIdentificationTest, ThePollWaitsWhenTheNumberMustComeFirst) {
    h.setSacvar2("MATRICULADIGITAL", QStringLiteral("Sim"));
    test::RecordingFingerprint recording;
    recording.fingerOnSensor = true;
    h.fingerprintReader = &recording;
    h.open();
    recording.calls.clear();
    h.screen().TimerSFingerTimer();
    EXPECT_EQ(recording.calls, QStringList()) << "the reader is not even asked";
}

TEST_F(FingerprintIdentificationTest, NoFingerprintLibraryClosesTheScreenAndSaysWhy) {
    h.setSacvar2("LEITOR_BIOMETRICO", QStringLiteral("Sim"));
    terminal::LibfprintReaders missing{store::Error{QStringLiteral("no fingerprint library")},
                                       h.db.connection(), h.errorLog};
    h.fingerprintReader = &missing;
    h.open();
    EXPECT_TRUE(h.screen().state().closeRequested);
    EXPECT_EQ(h.unit.biometricMessage, QStringLiteral("Falha procurando drive leitor biométrico!"));
    ASSERT_EQ(h.aviso.boxes.size(), 1u);
    EXPECT_EQ(h.aviso.boxes[0].text, QStringLiteral("Falha procurando drive leitor biométrico!"));
}

// A reader that is not plugged in does not stop the door: the log says so and the screen
// serves as one without fingerprints. Stored fingers the database cannot give are a database
// problem, and the screen closes as for any table it cannot read.
TEST_F(FingerprintIdentificationTest, NoReaderOpensWithoutFingerprintsAndADatabaseErrorSaysSo) {
    using Outcome = terminal::ReaderPreparation::Outcome;
    struct Case {
        Outcome outcome;
        bool closes;
        QString box; // empty: none
    };
    const Case cases[] = {{Outcome::NoReader, false, QString()},
                          {Outcome::DatabaseError, true, QStringLiteral("Abertura de tabela !")}};
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.outcome));
        test::DecisionHarness harness;
        harness.setSacvar2("LEITOR_BIOMETRICO", QStringLiteral("Sim"));
        harness.addStudent(QStringLiteral("0000012345"));
        test::RecordingFingerprint recording;
        recording.preparation = {c.outcome, QStringLiteral("the reason given")};
        harness.fingerprintReader = &recording;
        harness.open();
        EXPECT_EQ(harness.screen().state().closeRequested, c.closes);
        EXPECT_EQ(harness.aviso.boxes.empty() ? QString() : harness.aviso.boxes[0].text, c.box);
        EXPECT_TRUE(
            harness.errorLog.messages.join(u'\n').contains(QStringLiteral("the reason given")));
        EXPECT_NE(harness.unit.biometricMessage,
                  QStringLiteral("Falha procurando drive leitor biométrico!"));
        if (!c.closes) {
            harness.type(QStringLiteral("12345"));
            EXPECT_EQ(harness.count(QStringLiteral("SELECT COUNT(*) FROM AcessoDia")), 1);
            EXPECT_FALSE(recording.calls.contains(QStringLiteral("startPoll")));
        }
    }
}

TEST_F(FingerprintIdentificationTest, StoredFingersTheDatabaseCannotGiveAreATableProblem) {
    h.setSacvar2("Tipo_Leitor", QStringLiteral("2"));
    h.db.exec(QStringLiteral("ALTER TABLE Alunos RENAME COLUMN Digital_Persona TO Outra"));
    openTerminal();
    EXPECT_TRUE(h.screen().state().closeRequested);
    ASSERT_EQ(h.aviso.boxes.size(), 1u);
    EXPECT_EQ(h.aviso.boxes[0].text, QStringLiteral("Abertura de tabela !"));
    EXPECT_EQ(h.aviso.boxes[0].detail, QStringLiteral("Digital_Persona"));
}

// The DigitalPersona reader (Tipo_Leitor other than "1") captures on its own: each finger is
// searched among the Digital_Persona templates in database order and its owner enters as if
// typed; a finger on file nowhere shows "Digital não encontrada!".
TEST_F(FingerprintIdentificationTest, DigitalPersonaFingerEntersItsOwnerAndAStrangerIsRefused) {
    h.setSacvar2("Tipo_Leitor", QStringLiteral("2"));
    const auto persona = [&](const char* finger) {
        return biometrics::personaText(engine().extract(sample(finger)).value());
    };
    h.db.exec(QStringLiteral("INSERT INTO Alunos (Matricula, Digital_Persona) VALUES "
                             "('0000099999', 'x0p'), ('0000012345', :w)"),
              {{QStringLiteral(":w"), persona("whorl")}});
    h.db.exec(QStringLiteral("UPDATE Funcionarios SET Digital_Persona = :l WHERE MATRICULA = "
                             "'0000004321'"),
              {{QStringLiteral(":l"), persona("loop-right")}});
    openTerminal();
    struct Case {
        const char* finger;
        QStringList admitted;
        QStringList information;
    } cases[] = {
        {"whorl_rot", {QStringLiteral("AcessoDia 0000012345")}, {}},
        {"loop-right_rot", {QStringLiteral("AcessoFuncionarios 0000004321")}, {}},
        {"arch_rot", {}, {QStringLiteral("Digital não encontrada!")}},
    };
    for (const Case& c : cases) {
        h.observer.rows.clear();
        h.observer.informationTexts.clear();
        present(c.finger);
        QElapsedTimer waited;
        waited.start();
        while (admitted().isEmpty() && h.observer.informationTexts.isEmpty() &&
               waited.elapsed() < 10000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        }
        EXPECT_EQ(admitted().mid(0, c.admitted.size()), c.admitted) << c.finger;
        if (c.admitted.isEmpty()) {
            EXPECT_TRUE(admitted().isEmpty()) << c.finger;
        }
        EXPECT_EQ(h.observer.informationTexts.mid(0, c.information.size()), c.information)
            << c.finger;
    }
}

} // namespace
