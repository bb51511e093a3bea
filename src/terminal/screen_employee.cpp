#include "terminal/record_values.h"
#include "terminal/rules/birthday.h"
#include "terminal/rules/employee_access.h"
#include "terminal/rules/fingerprint_match.h"
#include "terminal/screen_errors.h"
#include "terminal/terminal_screen.h"

namespace orvalen::terminal {

namespace {
constexpr int kMessageSize = 36;
} // namespace

void TerminalScreen::FUNCIONARIO() {
    state_.PNLFUNDO.visible = true;
    services_.pump.processEvents();
    const std::optional<QSqlRecord> found = need(lookups_.employee(unit_.currentMatricula));
    tell("employee.found", rules::verdictOf(found.has_value()),
         {{QStringLiteral("number"), unit_.currentMatricula}});
    if (!found) {
        MOSTRA_ACESSO(QStringLiteral("Inexistente!!!"), colours::clBlack, QString(), kMessageSize);
        LIMPA_TELA();
        return;
    }
    const QSqlRecord employee = *found;
    FOTO_FUNCIONARIO();
    unit_.employeeKindPrefix = unit_.currentMatricula.left(2);

    const rules::FingerprintMatchFacts facts{
        sacvar2_.text(QStringLiteral("Tec12ouBiometria")), unit_.biometricSwitch,
        sacvar2_.text(QStringLiteral("Tipo_Leitor")), unit_.biometricMode};
    if (rules::fingerprintMatchRuns(facts)) {
        const QString identity = rules::employeeFingerprintIdentity(unit_.currentMatricula);
        const bool byFinger = sacvar2_.isSim(QStringLiteral("MATRICULADIGITAL"));
        // The identity to compare with is known on every path, also when no capture
        // screen was opened in this call.
        pSTRMATRICULAFUNCIONARIO = identity;
        bool open = true;
        if (byFinger) {
            open = unit_.biometricMode == 1;
            if (open) {
                unit_.sharedMatricula = identity.mid(1);
            }
        } else if (unit_.biometricMode == 0) {
            unit_.biometricMode = 2;
        } else if (unit_.sharedMatricula == identity) {
            // The finger that identified this employee a moment ago is the check: he is not
            // asked for it a second time.
            open = false;
        } else {
            unit_.sharedMatricula = identity.mid(1);
        }
        if (open) {
            showCaptureScreen();
            if (!unit_.biometricMessage.isEmpty()) {
                refuseByFingerprint();
                return;
            }
        }
        if (!unit_.sharedMatricula.isEmpty()) {
            unit_.biometricMode = 3;
            if (byFinger && unit_.sharedMatricula != pSTRMATRICULAFUNCIONARIO) {
                unit_.biometricMessage = QStringLiteral("Digital não encontrada!");
                refuseByFingerprint();
                return;
            }
        }
    }

    const QDate business = businessDate_;
    const bool mayEnter = need(rules::employeeMayEnter(
        recordDates_.read(employee, "Funcionarios", "DATA_DEMISSAO", unit_.currentMatricula),
        recordText(employee, "ACESSOLIBERADO").trimmed(), business, reasons()));
    const QString name = recordText(employee, "NOME").left(25);
    if (!mayEnter) {
        showName(name);
        MOSTRA_ACESSO(QStringLiteral("Sem acesso !!!"), colours::clBlack, name, kMessageSize);
        LIMPA_TELA();
        return;
    }
    if (!writeEmployeeRow()) {
        return;
    }
    state_.EDTOBSERVACAO.text.clear();
    if (sacvar_.isSim(QStringLiteral("ACESSO_ANIVERSARIANTE")) &&
        rules::isBirthday(
            recordDates_.read(employee, "Funcionarios", "DATA_NASCIMENTO", unit_.currentMatricula)
                .date,
            business)) {
        showName(name);
        MOSTRA_ACESSO(QStringLiteral("Parabéns !!!"), colours::clBlack, name, kMessageSize);
    }
    showName(name);
    MOSTRA_ACESSO(recordText(employee, "CARGO"), colours::clBlack, name, kMessageSize);
    state_.Image5Visible = false;
    state_.Image4Visible = true;
    showStatus(QStringLiteral("Acesso Livre"), colours::clGreen);
    PBooPontoAcessoFunc = true;
    LIBERA_ROLETA();
    LIMPA_TELA();
}

} // namespace orvalen::terminal
