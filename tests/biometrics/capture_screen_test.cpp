#include "biometrics/capture_dialog.h"
#include "biometrics/capture_screen_logic.h"
#include "biometrics/finger_template.h"
#include "support/fingerprint_fixture.h"
#include "support/qstring_printer.h"
#include "support/screen_services.h"
#include "support/terminal_fixture.h"
#include "support/test_database.h"

#include <gtest/gtest.h>

using namespace orvalen;
using biometrics::BiometricShare;
using biometrics::CaptureScreenLogic;

namespace {

// The capture screen run without its window on a club with three people, over the virtual
// reader fed the sample fingers.
class CaptureScreenTest : public test::FingerprintFixture {
protected:
    CaptureScreenTest() {
        club.addStudent(QStringLiteral("0000012345"), QStringLiteral("Beatriz Andrade Montenegro"));
        club.addStudent(QStringLiteral("0000099999"), QStringLiteral("Carlos Lima"));
        club.addEmployee(QStringLiteral("0000004321"), QStringLiteral("Dora Funcionária"));
    }

    struct Run {
        BiometricShare share;
        biometrics::CaptureScreenState state;
    };

    // One request as the terminal makes it; the finger, if any, is placed once the reader
    // waits for it.
    Run run(int mode, const QString& number, const char* finger, const QString& prefix = {},
            bool branch = false, bool window = false) {
        Run result;
        result.share.biometricMode = mode;
        result.share.sharedMatricula = number;
        result.share.employeeKindPrefix = prefix;
        if (finger != nullptr) {
            present(finger);
        }
        CaptureScreenLogic logic(
            biometrics::CaptureScreenServices{club.db().connection(), club.db().connection(),
                                              branch, aviso, [] {}, engine, tec12OrBiometrics,
                                              finger != nullptr ? 10000 : 300, kept, &errorLog},
            result.share);
        if (window) {
            biometrics::showCaptureDialog(logic, nullptr);
        } else {
            biometrics::runCaptureScreen(logic);
        }
        result.state = logic.state();
        return result;
    }

    QString digitalOf(const QString& table, const QString& matricula) {
        return club
            .value(QStringLiteral("SELECT DIGITAL FROM %1 WHERE MATRICULA = '%2'")
                       .arg(table, matricula))
            .toString();
    }

    // A finger stored as an earlier enrolment left it.
    void store(const QString& table, const QString& matricula, const char* finger) {
        const QString text =
            biometrics::digitalText(engine.value()->extract(sample(finger)).value());
        club.db().exec(QStringLiteral("UPDATE %1 SET DIGITAL = :D WHERE MATRICULA = :M").arg(table),
                       {{QStringLiteral(":D"), text}, {QStringLiteral(":M"), matricula}});
    }

    QStringList boxes() const {
        QStringList texts;
        for (const auto& box : aviso.boxes) {
            texts << box.text + QLatin1Char('|') + box.detail;
        }
        return texts;
    }

    test::TerminalFixture club;
    test::ScriptedAviso aviso;
    test::RecordingErrorLog errorLog;
    store::Result<std::shared_ptr<biometrics::FingerprintEngine>> engine{sharedEngine()};
    QString tec12OrBiometrics = QStringLiteral("Não");
    biometrics::KeptFingerIndex* kept = nullptr; // the terminal's index kept between openings
};

// The terminal keeps the screen's index between openings; an enrolment has the next opening
// read the stored fingers again.
TEST_F(CaptureScreenTest, TheKeptIndexIsReadAgainAfterAnEnrolment) {
    biometrics::KeptFingerIndex index(engine);
    kept = &index;
    store(QStringLiteral("AlunosAtivos"), QStringLiteral("0000012345"), "whorl");
    EXPECT_EQ(run(2, QString(), "whorl_rot").share.sharedMatricula, QStringLiteral("0000012345"));

    club.db().exec(
        QStringLiteral("UPDATE AlunosAtivos SET DIGITAL = NULL WHERE MATRICULA = '0000012345'"));
    EXPECT_EQ(run(1, QStringLiteral("0000099999"), "arch").share.biometricMessage, QString());
    EXPECT_EQ(run(2, QString(), "whorl_rot").share.biometricMessage,
              QStringLiteral("Digital não encontrada!"));
    EXPECT_EQ(run(2, QString(), "arch_rot").share.sharedMatricula, QStringLiteral("0000099999"));
}

// Fingers enrolled, replaced and removed by another program (the back office's connection) are
// followed once the index looks at their marker again; here it looks at every opening.
TEST_F(CaptureScreenTest, TheKeptIndexFollowsFingersWrittenElsewhere) {
    biometrics::KeptFingerIndex index(engine, std::chrono::milliseconds(0));
    kept = &index;
    store::ClubConnection backOffice(test::sqliteSpec(club.db().file(), test::Route::Direct),
                                     QStringLiteral("back-office"));
    ASSERT_TRUE(backOffice.open().ok());
    const auto write = [&](const char* matricula, const char* finger) {
        const QVariant text = finger == nullptr
                                  ? QVariant()
                                  : QVariant(biometrics::digitalText(
                                        engine.value()->extract(sample(finger)).value()));
        ASSERT_TRUE(backOffice
                        .execute(QStringLiteral("UPDATE AlunosAtivos SET DIGITAL = :D WHERE "
                                                "MATRICULA = :M"),
                                 {{QStringLiteral(":D"), text},
                                  {QStringLiteral(":M"), QLatin1String(matricula)}})
                        .ok());
    };
    const auto identified = [&](const char* finger) {
        const Run verified = run(2, QString(), finger);
        return verified.share.biometricMessage.isEmpty() ? verified.share.sharedMatricula
                                                         : verified.share.biometricMessage;
    };
    const QString notFound = QStringLiteral("Digital não encontrada!");
    write("0000012345", "whorl");
    EXPECT_EQ(identified("whorl_rot"), QStringLiteral("0000012345"));

    write("0000099999", "arch"); // enrolled elsewhere
    EXPECT_EQ(identified("arch_rot"), QStringLiteral("0000099999"));
    write("0000012345", "loop-right"); // replaced
    EXPECT_EQ(identified("whorl_rot"), notFound) << "the replaced finger";
    EXPECT_EQ(identified("loop-right_rot"), QStringLiteral("0000012345"));
    write("0000099999", nullptr); // removed
    EXPECT_EQ(identified("arch_rot"), notFound) << "the removed finger";
}

// A stored finger under a number that is not one is left out and named in the exception log,
// once per reading of the stored fingers; everyone else is still found.
TEST_F(CaptureScreenTest, AFingerUnderANumberThatIsNotOneIsLeftOutAndLogged) {
    biometrics::KeptFingerIndex index(engine);
    kept = &index;
    store(QStringLiteral("AlunosAtivos"), QStringLiteral("0000012345"), "whorl");
    club.addStudent(QStringLiteral("12A45"), QStringLiteral("Número Digitado Errado"));
    store(QStringLiteral("AlunosAtivos"), QStringLiteral("12A45"), "arch");
    for (int opening = 0; opening < 2; ++opening) {
        SCOPED_TRACE(opening);
        const Run verified = run(2, QString(), "whorl_rot");
        EXPECT_EQ(verified.share.sharedMatricula, QStringLiteral("0000012345"));
        EXPECT_EQ(verified.share.biometricMessage, QString());
        EXPECT_TRUE(boxes().isEmpty()) << boxes().join(u'/').toStdString();
    }
    ASSERT_EQ(errorLog.messages.size(), 1) << errorLog.messages.join(u'/').toStdString();
    EXPECT_TRUE(errorLog.messages[0].contains(QStringLiteral("\"12A45\"")))
        << errorLog.messages[0].toStdString();
    EXPECT_TRUE(errorLog.messages[0].contains(QStringLiteral("AlunosAtivos")));
}

TEST_F(CaptureScreenTest, TheHeaderFindsAStudentNumberTypedWithoutItsZeros) {
    const Run shown = run(1, QStringLiteral("12345"), nullptr);
    EXPECT_EQ(shown.state.GBTITULO, QStringLiteral(" Aluno "));
    EXPECT_EQ(shown.state.LBLMATRICULA, QStringLiteral("0000012345"));
    EXPECT_EQ(shown.state.LBLNOME, QStringLiteral("Beatriz Andrade Mont"));
}

TEST_F(CaptureScreenTest, EnrolsAStudentAndTheNextVerificationFindsHim) {
    const Run enrolled = run(1, QStringLiteral("0000012345"), "whorl");
    EXPECT_EQ(enrolled.share.biometricMessage, QString());
    EXPECT_FALSE(enrolled.share.biometricFailure);
    EXPECT_EQ(enrolled.share.sharedMatricula, QStringLiteral("0000012345"));
    EXPECT_EQ(enrolled.state.caption, QStringLiteral("Captura Biométrica"));
    EXPECT_EQ(enrolled.state.GBTITULO, QStringLiteral(" Aluno "));
    EXPECT_EQ(enrolled.state.LBLMATRICULA, QStringLiteral("0000012345"));
    EXPECT_EQ(enrolled.state.LBLNOME, QStringLiteral("Beatriz Andrade Mont"));
    EXPECT_FALSE(enrolled.state.picture.isNull()) << "the capture is drawn in its frame";
    EXPECT_EQ(boxes(), QStringList{QStringLiteral("Captura com sucesso!|Digital")});
    const QString stored = digitalOf(QStringLiteral("AlunosAtivos"), QStringLiteral("0000012345"));
    EXPECT_EQ(biometrics::digitalForm(stored), biometrics::TemplateForm::Ours);
    EXPECT_LE(stored.size(), 1000);

    const Run verified = run(2, QString(), "whorl_rot");
    EXPECT_EQ(verified.share.sharedMatricula, QStringLiteral("0000012345"));
    EXPECT_EQ(verified.share.biometricMessage, QString());
    EXPECT_EQ(verified.share.biometricMode, 4);
    EXPECT_EQ(verified.state.caption, QStringLiteral("Verificação Biométrica"));
    EXPECT_FALSE(verified.state.GBTITULOVisible);
}

TEST_F(CaptureScreenTest, TheWindowCapturesOnceItIsShownAndCloses) {
    const Run enrolled = run(1, QStringLiteral("0000012345"), "whorl", {}, false, true);
    EXPECT_EQ(enrolled.share.biometricMessage, QString());
    EXPECT_TRUE(enrolled.state.closeRequested);
    EXPECT_EQ(boxes(), QStringList{QStringLiteral("Captura com sucesso!|Digital")});
}

TEST_F(CaptureScreenTest, EnrolsAnEmployeeUnderTheKeyHisNumberingGives) {
    club.addEmployee(QStringLiteral("9100007777"), QStringLiteral("Eva Nova Numeração"));
    struct Case {
        QString prefix;
        QString requested; // "91" + characters 4 to 10 of the number
        QString row;
        QString shared; // the user ID the finger went under, ten digits
    } cases[] = {
        {QStringLiteral("00"), QStringLiteral("910004321"), QStringLiteral("0000004321"),
         QStringLiteral("0910004321")},
        {QStringLiteral("91"), QStringLiteral("910007777"), QStringLiteral("9100007777"),
         QStringLiteral("0910007777")},
        // No kind given: the write goes to "000" + the seven, and the header shows that row.
        {QString(), QStringLiteral("910004321"), QStringLiteral("0000004321"),
         QStringLiteral("0910004321")},
    };
    for (const Case& c : cases) {
        aviso.boxes.clear();
        const Run enrolled = run(1, c.requested, "loop-right", c.prefix);
        EXPECT_EQ(enrolled.share.biometricMessage, QString()) << c.row.toStdString();
        EXPECT_EQ(enrolled.share.sharedMatricula, c.shared);
        EXPECT_EQ(enrolled.state.GBTITULO, QStringLiteral(" Funcionário "));
        EXPECT_EQ(enrolled.state.LBLMATRICULA, c.row);
        EXPECT_EQ(boxes(), QStringList{QStringLiteral("Captura com sucesso!|Digital")});
        EXPECT_EQ(biometrics::digitalForm(digitalOf(QStringLiteral("Funcionarios"), c.row)),
                  biometrics::TemplateForm::Ours)
            << c.row.toStdString();
        club.db().exec(QStringLiteral("UPDATE Funcionarios SET DIGITAL = NULL"));
    }
}

TEST_F(CaptureScreenTest, AnEnrolmentWhoseRowIsMissingIsAFailureNotASuccess) {
    // An employee of the "91" numbering whose row is gone: nothing matches the update.
    const Run enrolled = run(1, QStringLiteral("910005555"), "arch", QStringLiteral("91"));
    EXPECT_TRUE(enrolled.share.biometricFailure);
    EXPECT_EQ(enrolled.share.biometricMessage, QStringLiteral("Gravando na tabela !"));
    EXPECT_EQ(boxes(),
              QStringList{QStringLiteral("Gravando na tabela !|AlunosAtivos/Funcionarios")});
}

TEST_F(CaptureScreenTest, EnrollingOverAnExistingFingerAsksFirst) {
    store(QStringLiteral("AlunosAtivos"), QStringLiteral("0000012345"), "whorl");
    const QString before = digitalOf(QStringLiteral("AlunosAtivos"), QStringLiteral("0000012345"));

    aviso.answers = {store::Aviso::kNo};
    const Run kept = run(1, QStringLiteral("12345"), "arch");
    EXPECT_EQ(kept.share.biometricMessage, QString());
    EXPECT_FALSE(kept.share.biometricFailure);
    EXPECT_EQ(kept.share.sharedMatricula, QStringLiteral("0000012345"));
    EXPECT_EQ(boxes(),
              QStringList{QStringLiteral("Digital já capturada. Deseja atualizar esta digital?|")});
    EXPECT_EQ(digitalOf(QStringLiteral("AlunosAtivos"), QStringLiteral("0000012345")), before);

    aviso.boxes.clear();
    aviso.answers = {store::Aviso::kYes};
    const Run replaced = run(1, QStringLiteral("0000012345"), "arch");
    EXPECT_EQ(replaced.share.biometricMessage, QString());
    EXPECT_EQ(boxes(),
              (QStringList{QStringLiteral("Digital já capturada. Deseja atualizar esta digital?|"),
                           QStringLiteral("Captura com sucesso!|Digital")}));
    EXPECT_NE(digitalOf(QStringLiteral("AlunosAtivos"), QStringLiteral("0000012345")), before);
    EXPECT_EQ(run(2, QString(), "arch_rot").share.sharedMatricula, QStringLiteral("0000012345"))
        << "the new finger is the one found";
}

TEST_F(CaptureScreenTest, VerificationOutcomes) {
    store(QStringLiteral("AlunosAtivos"), QStringLiteral("0000012345"), "whorl");
    store(QStringLiteral("Funcionarios"), QStringLiteral("0000004321"), "loop-right");

    const Run employee = run(2, QString(), "loop-right_rot");
    EXPECT_EQ(employee.share.sharedMatricula, QStringLiteral("0910004321"));
    EXPECT_FALSE(employee.share.biometricFailure);

    const Run unknown = run(2, QString(), "tented_arch_rot");
    EXPECT_EQ(unknown.share.biometricMessage, QStringLiteral("Digital não encontrada!"));
    EXPECT_TRUE(unknown.share.biometricFailure);

    club.db().exec(QStringLiteral("UPDATE Sacvar2 SET MATRICULADIGITAL = 'Sim'"));
    const Run other = run(2, QStringLiteral("0000099999"), "whorl_rot");
    EXPECT_EQ(other.share.biometricMessage, QStringLiteral("Digital não confere com Matrícula!"));
    EXPECT_TRUE(other.share.biometricFailure);
    const Run own = run(2, QStringLiteral("0000012345"), "whorl_rot");
    EXPECT_EQ(own.share.biometricMessage, QString());
    EXPECT_EQ(own.share.sharedMatricula, QStringLiteral("0000012345"));

    tec12OrBiometrics = QStringLiteral("Sim");
    const Run keypad = run(2, QStringLiteral("0000099999"), "whorl_rot");
    EXPECT_EQ(keypad.share.biometricMessage, QString()) << "keypad or finger: no comparison";
    EXPECT_EQ(keypad.share.sharedMatricula, QStringLiteral("0000012345"));
}

TEST_F(CaptureScreenTest, EmployeesAreNotInTheIndexWhileAnotherBranchIsChosen) {
    store(QStringLiteral("Funcionarios"), QStringLiteral("0000004321"), "loop-right");
    const Run onBranch = run(2, QString(), "loop-right_rot", {}, true);
    EXPECT_EQ(onBranch.share.biometricMessage, QStringLiteral("Digital não encontrada!"));
    const Run own = run(2, QString(), "loop-right_rot", {}, false);
    EXPECT_EQ(own.share.sharedMatricula, QStringLiteral("0910004321"));
}

TEST_F(CaptureScreenTest, FailuresReachTheOpener) {
    const Run noFinger = run(2, QString(), nullptr);
    EXPECT_EQ(noFinger.share.biometricMessage, QStringLiteral("Falha na Captura!"));
    EXPECT_TRUE(noFinger.share.biometricFailure);

    engine = store::Error{QStringLiteral("no library")};
    const Run noLibrary = run(2, QString(), nullptr);
    EXPECT_EQ(noLibrary.share.biometricMessage,
              QStringLiteral("Falha procurando drive leitor biométrico!"));
    EXPECT_TRUE(noLibrary.share.biometricFailure);
    EXPECT_TRUE(noLibrary.state.caption.isEmpty()) << "the screen closed at its creation";

    engine = sharedEngine();
    club.db().exec(QStringLiteral("DROP TABLE Funcionarios"));
    const Run unreadable = run(2, QString(), nullptr);
    EXPECT_EQ(unreadable.share.biometricMessage, QStringLiteral("Abertura de tabela !"));
    EXPECT_TRUE(unreadable.share.biometricFailure);
    EXPECT_EQ(boxes(),
              QStringList{QStringLiteral("Abertura de tabela !|AlunosAtivos/Funcionarios")});
}

} // namespace
