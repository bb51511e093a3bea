#include "terminal/rules/employee_access.h"

#include <QRegularExpression>

namespace orvalen::terminal::rules {

store::Result<bool> withinAllowedMonth(const QString& allowedMonth, const QDate& businessDate) {
    if (allowedMonth.isEmpty())
        return true;
    static const QRegularExpression form(QStringLiteral("^\\s*(\\d{1,2})/(\\d{4})\\s*$"));
    const QRegularExpressionMatch match = form.match(allowedMonth);
    const int month = match.hasMatch() ? match.captured(1).toInt() : 0;
    if (month < 1 || month > 12)
        return store::Error{QStringLiteral("Funcionarios.ACESSOLIBERADO \"%1\" is not a month "
                                           "written MM/YYYY")
                                .arg(allowedMonth)};
    const int year = match.captured(2).toInt();
    return businessDate.year() * 100 + businessDate.month() <= year * 100 + month;
}

store::Result<bool> employeeMayEnter(const RecordDate& dismissed, const QString& allowedMonth,
                                     const QDate& businessDate, const Reasons& reasons) {
    store::Result<bool> allowed = withinAllowedMonth(allowedMonth, businessDate);
    if (!allowed)
        return allowed;
    tell(reasons, "employee.dismissed", verdictOf(!dismissed.filled()),
         {{QStringLiteral("dismissed"), dismissed.told()}});
    tell(reasons, "employee.allowed_month", verdictOf(allowed.value()),
         {{QStringLiteral("allowed_month"), allowedMonth}});
    return !dismissed.filled() && allowed.value();
}

QString employeeFingerprintIdentity(const QString& employeeNumber) {
    return QStringLiteral("091") + employeeNumber.mid(3, 7);
}

} // namespace orvalen::terminal::rules
