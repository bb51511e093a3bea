#pragma once

#include <QDate>
#include <QString>
#include <vector>

namespace orvalen::terminal::rules {

// A paid month as the receipts hold it.
struct PaidMonthRow {
    int month = 0;
    int year = 0;
};

struct DueDisplayFacts {
    bool showDueDay = false; // Sacvar2.DIA_DATA_VENCIMENTO is "Sim"
    int dueDay = 0;          // DIA_VENCIMENTO
    bool scholarship = false;
    QDate scholarshipEnd;
    QDate transferEnd;
    std::vector<PaidMonthRow> receipts;
    QDate businessDate;
};

// What the panel shows under "Vencimento": the due day in its own field, or a text.
struct DueDisplay {
    bool dueDayField = false; // DBEDITDIA_VENCIMENTO, else LBLDATAVENCIMENTO with text
    QString text;
};

DueDisplay dueDisplay(const DueDisplayFacts& facts);

// The due date that follows the latest paid month: the due day of the month after it,
// moved back to that month's last day when the month is shorter.
QDate nextDueDate(const std::vector<PaidMonthRow>& receipts, int dueDay);

// The short date form the terminal shows and builds dates in.
QString shortDate(const QDate& date);

} // namespace orvalen::terminal::rules
