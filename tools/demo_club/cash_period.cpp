#include "demo_club/cash_period.h"

#include "store/db_values.h"

namespace orvalen::demo {

namespace {

using store::Bindings;
using store::Status;

// Money columns of a cash period, all zero when it opens.
const QStringList& moneyColumns() {
    static const QStringList columns =
        QStringLiteral("SUPRIMENTO,SANGRIA,MATRICULA,MEDICA,FUNCIONAL,NUTRICIONISTA,MENSAL,PLANO,"
                       "DINHEIRO,CHEQUE,"
                       "CARTAO,DINHEIRO_OP,CHEQUE_OP,CARTAO_OP,SALDO_FINAL")
            .split(QLatin1Char(','));
    return columns;
}

Status appendPeriod(const store::ClubConnection& connection, const QDateTime& opened,
                    const QDateTime& closed, const QString& operatorCode) {
    const store::Dialect& dialect = connection.dialect();
    const bool open = !closed.isValid();
    QStringList columns{QStringLiteral("OPERADOR"),      QStringLiteral("DATAABERTURA"),
                        QStringLiteral("HORAINICIAL"),   QStringLiteral("ATIVO"),
                        QStringLiteral("SALDO_INICIAL"), QStringLiteral("DATAFECHAMENTO"),
                        QStringLiteral("HORAFINAL"),     QStringLiteral("TERMINO"),
                        QStringLiteral("USUARIO"),       QStringLiteral("PDR")};
    Bindings values{
        {QStringLiteral(":OPERADOR"), operatorCode},
        {QStringLiteral(":DATAABERTURA"), store::dateValue(dialect, opened.date())},
        {QStringLiteral(":HORAINICIAL"), store::timeOfDayValue(dialect, opened.time())},
        {QStringLiteral(":ATIVO"), open ? 1 : 0},
        {QStringLiteral(":SALDO_INICIAL"), 200.0},
        {QStringLiteral(":DATAFECHAMENTO"), store::dateValue(dialect, closed.date())},
        {QStringLiteral(":HORAFINAL"), store::timeOfDayValue(dialect, closed.time())},
        {QStringLiteral(":TERMINO"), open ? 0 : 1},
        {QStringLiteral(":USUARIO"), operatorCode},
        {QStringLiteral(":PDR"), 1},
    };
    for (const QString& money : moneyColumns()) {
        columns << money;
        values.emplace_back(QLatin1Char(':') + money, open ? 0.0 : 1850.0);
    }
    const QString sql =
        QStringLiteral("INSERT INTO caixa (%1) VALUES (:%2)")
            .arg(columns.join(QStringLiteral(", ")), columns.join(QStringLiteral(", :")));
    const auto result = connection.execute(sql, values);
    return result ? Status::success() : Status(result.error());
}

Status markControlOpen(const store::ClubConnection& connection, const QDate& day) {
    const store::Dialect& dialect = connection.dialect();
    auto count = connection.execute(QStringLiteral("SELECT COUNT(*) FROM CaixaControle"));
    if (!count) {
        return count.error();
    }
    QSqlQuery& rows = count.value();
    const bool empty = !rows.next() || rows.value(0).toInt() == 0;
    const Bindings values{{QStringLiteral(":DATA"), store::dateValue(dialect, day)}};
    // The login reads the last row; on SQLite that is the highest row id.
    const QString sql =
        empty
            ? QStringLiteral(
                  "INSERT INTO CaixaControle (DATA, CONTADORPDR, ABERTO) VALUES (:DATA, 1, 1)")
            : QStringLiteral("UPDATE CaixaControle SET DATA = :DATA, ABERTO = 1, "
                             "CONTADORPDR = CASE WHEN CONTADORPDR > 0 THEN CONTADORPDR ELSE 1 END "
                             "WHERE rowid = (SELECT MAX(rowid) FROM CaixaControle)");
    const auto result = connection.execute(sql, values);
    return result ? Status::success() : Status(result.error());
}

} // namespace

Status writeCashHistory(const store::ClubConnection& connection, const QDate& businessDate,
                        int days, const QString& operatorCode) {
    for (int back = days; back >= 1; --back) {
        const QDate day = businessDate.addDays(-back);
        if (Status s = appendPeriod(connection, QDateTime(day, QTime(6, 0)),
                                    QDateTime(day, QTime(22, 30)), operatorCode);
            !s) {
            return s;
        }
    }
    return Status::success();
}

Status openCashPeriod(const store::ClubConnection& connection, const QDateTime& now,
                      const QString& operatorCode) {
    auto last = connection.execute(QStringLiteral("SELECT rowid, DATAABERTURA FROM caixa") +
                                   connection.dialect().lastRowOrder());
    if (!last) {
        return last.error();
    }
    QSqlQuery& row = last.value();
    const bool any = row.next();
    const qint64 lastRow = any ? row.value(0).toLongLong() : 0;
    const QDate lastDay = any ? store::readDate(row.value(1)) : QDate();
    row.finish();

    if (any && lastDay == now.date()) {
        const auto reopened = connection.execute(
            QStringLiteral("UPDATE caixa SET ATIVO = 1, TERMINO = 0 WHERE rowid = :ROW"),
            {{QStringLiteral(":ROW"), lastRow}});
        if (!reopened) {
            return reopened.error();
        }
    } else {
        if (any) {
            const store::Dialect& dialect = connection.dialect();
            const auto closed = connection.execute(
                QStringLiteral("UPDATE caixa SET ATIVO = 0, TERMINO = 1, DATAFECHAMENTO = :DAY, "
                               "HORAFINAL = :TIME WHERE rowid = :ROW"),
                {{QStringLiteral(":DAY"), store::dateValue(dialect, lastDay)},
                 {QStringLiteral(":TIME"), store::timeOfDayValue(dialect, QTime(22, 30))},
                 {QStringLiteral(":ROW"), lastRow}});
            if (!closed) {
                return closed.error();
            }
        }
        if (Status s = appendPeriod(connection, now, QDateTime(), operatorCode); !s) {
            return s;
        }
    }
    return markControlOpen(connection, now.date());
}

} // namespace orvalen::demo
