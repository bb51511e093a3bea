#include "terminal/record_values.h"
#include "terminal/rules/assessment.h"
#include "terminal/rules/birthday.h"
#include "terminal/terminal_screen.h"

namespace orvalen::terminal {

namespace {
constexpr int kMessageSize = 36;
} // namespace

rules::RecordDate TerminalScreen::studentDate(const char* column) {
    return recordDates_.read(students_.record(), "AlunosAtivos", column, unit_.currentMatricula);
}

bool TerminalScreen::TRANCADO_INATIVO() {
    const QSqlRecord student = students_.record();
    const rules::RecordDate left = studentDate("SAIDA");
    tell("record.left", rules::verdictOf(!left.filled()), {{QStringLiteral("left"), left.told()}});
    if (!left.filled()) {
        return false;
    }
    showName(recordText(student, "NOME").left(25));
    MOSTRA_ACESSO(QStringLiteral("Inativo !!!"), colours::clBlack, state_.LBLNOMEALUNO.caption,
                  kMessageSize);
    return true;
}

void TerminalScreen::MEDICA() {
    medicalBlock = false;
    if (!sacvar_.isSim(QStringLiteral("ACESSO_MEDICA"))) {
        return;
    }
    const rules::AssessmentState state =
        rules::assessmentState({studentDate("DATA_MEDICA"), studentDate("DATA_CADASTRADO").date,
                                sacvar_.integer(QStringLiteral("PRAZOAVALMED")),
                                sacvar_.integer(QStringLiteral("TOLERANCIA_AVALIACAO")),
                                businessDate_, "assessment.medical"},
                               reasons());
    if (!state.expired) {
        return;
    }
    medicalBlock = state.blocks;
    MOSTRA_ACESSO(QStringLiteral("Médica Vencida !!!"), colours::clBlack, QString(), kMessageSize);
}

void TerminalScreen::FUNCIONAL() {
    functionalBlock = false;
    if (!sacvar_.isSim(QStringLiteral("ACESSO_FUNCIONAL"))) {
        return;
    }
    const rules::AssessmentState state =
        rules::assessmentState({studentDate("DATA_FUNCIONAL"), studentDate("DATA_CADASTRADO").date,
                                sacvar_.integer(QStringLiteral("PRAZOAVALFUN")),
                                sacvar_.integer(QStringLiteral("TOLERANCIA_AVALIACAO")),
                                businessDate_, "assessment.functional"},
                               reasons());
    if (!state.expired) {
        return;
    }
    functionalBlock = state.blocks;
    MOSTRA_ACESSO(QStringLiteral("Funcional Vencida !!!"), colours::clBlack, QString(),
                  kMessageSize);
}

bool TerminalScreen::BLOQUEA_ALUNO_AVALIACAO() {
    return rules::assessmentBlocksEntrance(
        sacvar_.text(QStringLiteral("BLOQUEIA_AVALIACAO_ACESSO")), medicalBlock,
        sacvar_.isSim(QStringLiteral("ACESSO_MEDICA")), functionalBlock,
        sacvar_.isSim(QStringLiteral("ACESSO_FUNCIONAL")), reasons());
}

void TerminalScreen::MENSAGEM() {
    const QString message = recordText(students_.record(), "MENSAGEM");
    if (sacvar_.isSim(QStringLiteral("ACESSO_MENSAGEM")) && !message.isEmpty()) {
        MOSTRA_ACESSO(message, colours::clBlack, QString(), kMessageSize);
    }
}

void TerminalScreen::ANIVERSARIANTE() {
    if (sacvar_.isSim(QStringLiteral("ACESSO_ANIVERSARIANTE")) &&
        rules::isBirthday(studentDate("DATA_NASCIMENTO").date, businessDate_)) {
        MOSTRA_ACESSO(QStringLiteral("Parabéns !!!"), colours::clBlack, QString(), kMessageSize);
    }
}

void TerminalScreen::MENSAGEM_PENDENCIA() {
    const QString message = sacvar2_.text(QStringLiteral("ACESSO_PENDENCIA"));
    if (message.isEmpty()) {
        return;
    }
    MOSTRA_ACESSO(message, colours::clBlack, QString(), kMessageSize);
    wait(accessTime());
}

} // namespace orvalen::terminal
