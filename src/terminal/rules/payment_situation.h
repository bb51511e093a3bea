#pragma once

#include "terminal/rules/reasons.h"
#include "terminal/rules/record_date.h"

#include <QDate>
#include <QString>
#include <functional>

namespace orvalen::terminal::rules {

// What the payment rule needs of one student and of the club's settings. An empty date is
// an invalid QDate; a lock, transfer end or scholarship end that is no date refuses.
struct PaymentFacts {
    QDate businessDate;
    int dueDay = 0;         // DIA_VENCIMENTO
    QDate enrolled;         // DATA_CADASTRADO
    RecordDate locked;      // DATA_TRANCAMENTO
    RecordDate transferEnd; // REPASSE
    bool scholarship = false;
    RecordDate scholarshipEnd; // VALIDADE_BOLSA; empty: without end
    int toleranceDays = 0;     // TOLERANCIA_ACESSO
    int fixedDueDay = 0;       // VENCIMENTOFIXO
};

// Whether the receipts hold a row for month (1-12) of year.
using PaidMonth = std::function<bool(int month, int year)>;
// ULTIMO_DIA as a number, read only when the receipts are examined: a malformed value must
// not stop a student whom the lock, transfer or scholarship already decides.
using LastDay = std::function<int()>;

// The answer and the three flags the student decision turns into its refusal text.
struct PaymentSituation {
    bool mayPass = true;
    bool locked = false;          // PBOO_TRANCAMENTO
    bool transferOn = true;       // PBOO_REPASSE
    bool scholarshipValid = true; // PBOO_VALIDADE_BOLSA
};

// Is the student paid up, or otherwise entitled, on the business date? Tells the lock, the
// transfer, the due day used, the scholarship, every month looked up in the receipts and
// the limit date it compared with.
PaymentSituation paymentSituation(const PaymentFacts& facts, const PaidMonth& paid,
                                  const LastDay& lastDay, const Reasons& reasons = {});

// The refusal text for a student the payment rule turned away, by precedence: locked,
// transfer over, not paid, scholarship over.
QString paymentRefusalText(const PaymentSituation& situation);

// The day/month/year date, with a day the month does not have moved to its last day.
QDate clampedDate(int day, int month, int year);

} // namespace orvalen::terminal::rules
