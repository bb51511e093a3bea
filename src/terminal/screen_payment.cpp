#include "store/payment_lookups.h"
#include "terminal/record_values.h"
#include "terminal/rules/due_display.h"
#include "terminal/rules/payment_situation.h"
#include "terminal/screen_errors.h"
#include "terminal/terminal_screen.h"

namespace orvalen::terminal {

bool TerminalScreen::MOSTRA_SITUACAO() {
    const QSqlRecord student = students_.record();
    rules::PaymentFacts facts;
    facts.businessDate = businessDate_;
    facts.dueDay = recordInt(student, "DIA_VENCIMENTO");
    facts.enrolled = studentDate("DATA_CADASTRADO").date;
    facts.locked = studentDate("DATA_TRANCAMENTO");
    facts.transferEnd = studentDate("REPASSE");
    facts.scholarship = recordBool(student, "BOLSISTA");
    facts.scholarshipEnd = studentDate("VALIDADE_BOLSA");
    facts.toleranceDays = sacvar_.integer(QStringLiteral("TOLERANCIA_ACESSO"));
    facts.fixedDueDay = sacvar_.integer(QStringLiteral("VENCIMENTOFIXO"));
    const store::PaymentLookups payments(source_.connection());
    const QString matricula = unit_.currentMatricula;
    const rules::PaymentSituation situation = rules::paymentSituation(
        facts, [&](int month, int year) { return need(payments.paid(matricula, month, year)); },
        [this] {
            // An empty value switches the rule off rather than turning every member away;
            // a malformed one ends the evaluation.
            const QString lastDay = sacvar_.text(QStringLiteral("ULTIMO_DIA"));
            return lastDay.trimmed().isEmpty() ? 0 : sacvar_.number(QStringLiteral("ULTIMO_DIA"));
        },
        reasons());
    PBOO_TRANCAMENTO = situation.locked;
    PBOO_REPASSE = situation.transferOn;
    PBOO_VALIDADE_BOLSA = situation.scholarshipValid;
    return situation.mayPass;
}

void TerminalScreen::MOSTRA_VENCIMENTO() {
    const QSqlRecord student = students_.record();
    state_.LBLVENCIMENTO.visible = true;
    rules::DueDisplayFacts facts;
    facts.showDueDay = sacvar2_.isSim(QStringLiteral("DIA_DATA_VENCIMENTO"));
    facts.dueDay = recordInt(student, "DIA_VENCIMENTO");
    facts.scholarship = recordBool(student, "BOLSISTA");
    facts.scholarshipEnd = studentDate("VALIDADE_BOLSA").date;
    facts.transferEnd = studentDate("REPASSE").date;
    facts.businessDate = businessDate_;
    if (!facts.showDueDay && !facts.scholarship && !facts.transferEnd.isValid()) {
        const store::PaymentLookups payments(source_.connection());
        for (const store::ReceiptMonth& month :
             need(payments.receipts(recordText(student, "MATRICULA")))) {
            facts.receipts.push_back({month.month, month.year});
        }
    }
    const rules::DueDisplay shown = rules::dueDisplay(facts);
    if (shown.dueDayField) {
        state_.DBEDITDIA_VENCIMENTO.caption = shown.text;
        state_.DBEDITDIA_VENCIMENTO.visible = true;
        return;
    }
    state_.LBLDATAVENCIMENTO.caption = shown.text;
    state_.LBLDATAVENCIMENTO.visible = true;
}

} // namespace orvalen::terminal
