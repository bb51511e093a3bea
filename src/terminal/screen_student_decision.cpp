#include "store/payment_lookups.h"
#include "terminal/record_values.h"
#include "terminal/rules/payment_situation.h"
#include "terminal/screen_errors.h"
#include "terminal/terminal_screen.h"

namespace orvalen::terminal {

namespace {

const QString kGranted = QStringLiteral("Acesso Livre");
constexpr int kRecordHoldWait = 3000;
constexpr int kClassRefusalWait = 2000;
constexpr int kReentryWait = 30000;
constexpr int kMessageSize = 36;

} // namespace

// The two holds: the panel on light yellow in red letters for the pause, one Acesso and
// one AcessoDia row. Red letters for both, so the text stays readable on yellow. Both rows
// carry the hold's own text; a typed observation was meant for this person, so it goes
// with the refusal rather than onto the next person's row.
bool TerminalScreen::holdStudent(const QString& outcome, int milliseconds) {
    hideEntryForOutcome();
    showStatus(outcome, colours::lightYellow, colours::clRed);
    services_.pump.processEvents();
    if (!writeStudentRows({{}, {studentAccessRow(outcome, false), studentDayRow(outcome)}})
             .has_value()) {
        return false;
    }
    state_.EDTOBSERVACAO.text.clear();
    wait(milliseconds);
    state_.PNLACESSO.fontColour = colours::clWhite;
    return true;
}

void TerminalScreen::showPaymentPanel(bool& freeAccess) {
    const QSqlRecord student = students_.record();
    services_.pump.processEvents();
    QString description;
    const QString plan = recordText(student, "PLANOS");
    if (!plan.isEmpty()) {
        state_.LBLMENSALIDADEPLANOS.caption = QStringLiteral("Plano");
        if (const std::optional<QSqlRecord> row = need(source_.people().plan(plan))) {
            description = recordText(*row, "DESCRICAO");
        }
    } else {
        state_.LBLMENSALIDADEPLANOS.caption = QStringLiteral("Mensalidade");
        if (const std::optional<QSqlRecord> row =
                need(source_.people().monthlyFee(recordText(student, "MODALIDADE")))) {
            description = recordText(*row, "DESCRICAO");
            freeAccess = recordBool(*row, "ACESSOLIVRE");
        }
    }
    services_.pump.processEvents();
    state_.LBLMODALIDADE.caption = description;
    if (!freeAccess) {
        MOSTRA_VENCIMENTO();
    }
    if (sacvar_.isSim(QStringLiteral("MATRICULA_ACESSO"))) {
        state_.DBEDITMATRICULA.caption = recordText(student, "MATRICULA");
        state_.DBEDITMATRICULA.visible = true;
        state_.LBLMATRICULA.visible = true;
    }
    state_.LBLMENSALIDADEPLANOS.visible = true;
    showName(recordText(student, "NOME").left(25));
    state_.LBLNOMEALUNO.visible = true;
    hideEntryForOutcome();
    services_.pump.processEvents();
}

// The grant: the daily limit when there is one, else the partner-pass release, else free.
// Gives whether the turnstile is to be released. The grant's row is written only while the
// daily limit still holds (`dailyLimit`), and a release the grant uses up is deleted with the
// log rows (`usedUp`), so that it stays when they cannot be written.
bool TerminalScreen::grantStudent(bool gympass, QString& outcome, std::vector<LogStatement>& usedUp,
                                  std::optional<RowLimit>& dailyLimit) {
    const store::PaymentLookups payments(database_);
    const int limit = sacvar2_.integer(QStringLiteral("QTD_ACESSO"));
    if (limit >= 1) {
        const int granted = need(payments.grantedCount(unit_.currentMatricula));
        tell("daily_limit", rules::verdictOf(granted < limit),
             {{QStringLiteral("daily_limit"), limit}, {QStringLiteral("granted_today"), granted}});
        if (granted < limit) {
            outcome = kGranted;
            showStatus(kGranted, colours::clGreen);
            dailyLimit = RowLimit{store::PaymentLookups::grantedCountForInsert(database_.dialect()),
                                  {{QStringLiteral(":LMATRICULA"), unit_.currentMatricula}},
                                  limit};
            return true;
        }
        return refuseOverLimit(outcome);
    }
    if (gympass) {
        const bool released =
            need(payments.partnerPassRelease(unit_.currentMatricula, businessDate_));
        tell("partner_pass", rules::verdictOf(released), {{QStringLiteral("released"), released}});
        if (!released) {
            return refuseWithoutRelease(outcome);
        }
        usedUp.push_back({QStringLiteral("LiberaGympass"),
                          store::PaymentLookups::deletePartnerPassReleases(),
                          {{QStringLiteral(":JMATRICULA"), unit_.currentMatricula}},
                          true});
    }
    outcome = kGranted;
    return true;
}

bool TerminalScreen::refuseOverLimit(QString& outcome) {
    outcome = QStringLiteral("Excedeu Acesso !!!");
    showStatus(outcome, colours::clRed);
    services_.pump.processEvents();
    wait(kClassRefusalWait);
    return false;
}

bool TerminalScreen::refuseWithoutRelease(QString& outcome) {
    outcome = QStringLiteral("Solicitar Liberação da Catraca !!!");
    showStatus(QStringLiteral("Sob Consulta !!!"), colours::clRed);
    services_.pump.processEvents();
    wait(kClassRefusalWait);
    return false;
}

// The outcome's rows with what the grant uses up. When another turnstile took the last place
// under the daily limit, or the release, between the look-up and the write, nothing was
// written and this entry is refused as the later one.
bool TerminalScreen::writeStudentOutcome(QString& outcome, bool& release,
                                         const std::vector<LogStatement>& usedUp,
                                         const std::optional<RowLimit>& dailyLimit) {
    LogWrite grant{usedUp, {studentDayRow(outcome), studentAccessRow(outcome)}};
    grant.rows.front().limit = dailyLimit;
    std::optional<bool> written = writeStudentRows(grant);
    if (written && !*written) {
        release = dailyLimit ? refuseOverLimit(outcome) : refuseWithoutRelease(outcome);
        written = writeStudentRows({{}, {studentDayRow(outcome), studentAccessRow(outcome)}});
    }
    return written.has_value();
}

void TerminalScreen::PROCURA_RECEBIMENTOS() {
    const QSqlRecord student = students_.record();
    const bool recordHold = recordBool(student, "BLOQUEIA_ROLETA");
    tell("record.hold", rules::verdictOf(!recordHold));
    if (recordHold) {
        holdStudent(QStringLiteral("Pendência no Cadastro"), kRecordHoldWait);
        return;
    }
    const double pending = recordDouble(student, "PENDENCIA");
    const bool pendingBlocks = sacvar2_.isSim(QStringLiteral("ACESSO_PENDENCIA_BLOQUEIO"));
    tell("record.pending", rules::verdictOf(pending <= 0 || !pendingBlocks),
         {{QStringLiteral("pending"), pending}, {QStringLiteral("pending_blocks"), pendingBlocks}});
    if (pending > 0) {
        MENSAGEM_PENDENCIA();
        if (pendingBlocks) {
            holdStudent(QStringLiteral("Pendente"), accessTime());
            return;
        }
    }

    bool freeAccess = false;
    bool clear = true;
    bool release = false;
    std::vector<LogStatement> usedUp;
    std::optional<RowLimit> dailyLimit;
    QString outcome;
    showPaymentPanel(freeAccess);
    tell("fee.free_access", rules::Verdict::Noted, {{QStringLiteral("free_access"), freeAccess}});

    if (TRANCADO_INATIVO()) {
        return;
    }
    if (sacvar2_.integer(QStringLiteral("TOLERANCIAENTRADA")) > 0 && !TOLERENCIAENTRADA()) {
        state_.Image5Visible = false;
        state_.Image4Visible = true;
        showStatus(kGranted, colours::lightYellow, colours::clGreen);
        state_.PNLFUNDO.visible = true;
        services_.pump.processEvents();
        wait(kReentryWait);
        state_.PNLACESSO.fontColour = colours::clWhite;
        return;
    }

    ANIVERSARIANTE();
    const QString general = sacvar_.text(QStringLiteral("ACESSO_MENSAGEM_GERAL"));
    if (!general.isEmpty()) {
        MOSTRA_ACESSO(general, colours::clBlack, QString(), kMessageSize);
    }
    MENSAGEM();
    MEDICA();
    FUNCIONAL();
    if (BLOQUEA_ALUNO_AVALIACAO()) {
        outcome = QStringLiteral("Avaliação Bloqueada !!!");
        clear = false;
    }

    [&] {
        if (!MOSTRA_SITUACAO() && !freeAccess) {
            rules::PaymentSituation situation;
            situation.locked = PBOO_TRANCAMENTO;
            situation.transferOn = PBOO_REPASSE;
            situation.scholarshipValid = PBOO_VALIDADE_BOLSA;
            outcome = rules::paymentRefusalText(situation);
            return;
        }
        const bool gympass = recordBool(student, "Gympass");
        tell("partner_pass.member", rules::Verdict::Noted, {{QStringLiteral("member"), gympass}});
        if (gympass) {
            freeAccess = false;
        }
        if (!Verifica_Atividade_Agendada()) {
            outcome = QStringLiteral("Atividade Agendada Incorreta !!!");
            showStatus(QStringLiteral("Atividade Incorreta !!!"), colours::clRed);
            services_.pump.processEvents();
            wait(kClassRefusalWait);
            return;
        }
        if (!TURMA_SEMANA() && !freeAccess) {
            outcome = QStringLiteral("Fora de Hora !!!");
            return;
        }
        if (clear || freeAccess || !medicalBlock) {
            release = grantStudent(gympass, outcome, usedUp, dailyLimit);
        }
    }();

    if (!writeStudentOutcome(outcome, release, usedUp, dailyLimit)) {
        return;
    }
    MOSTRA_ACESSO(outcome, colours::clBlack, QString(), kMessageSize);
    if (release) {
        LIBERA_ROLETA();
    } else {
        wait(accessPulse());
    }
    state_.EDTOBSERVACAO.text.clear();
}

} // namespace orvalen::terminal
