#include "store/payment_lookups.h"

#include "store/db_values.h"
#include "store/statement_catalogue.h"

#include <QSqlQuery>

namespace orvalen::store {

namespace {
QString s(const char* text) {
    return QString::fromLatin1(text);
}

const Statement kPaid{"SEEKRECEB", "payment status: the receipt of one month of a member",
                      "SELECT MATRICULA FROM RECEB WHERE (MATRICULA = :MATRICULA) AND "
                      "(MES = :MES) AND (ANO = :ANO)"};
const Statement kReceipts{"QRYDATA_VENCIMENTO", "payment due date: every receipt of a member",
                          "SELECT MES, ANO FROM RECEB WHERE MATRICULA = :MMATRICULA "
                          "ORDER BY ANO, MES"};
const Statement kGrantedCount{"TBLACESSODIASEEK", "daily entry count: today's grants of a member",
                              "SELECT COUNT(MATRICULA) AS Total FROM AcessoDia WHERE "
                              "(STATUS = 'L') AND (MATRICULA = :MATRICULA)"};
const Statement kPartnerPass{"QRYACESSODIAGYMPASS select",
                             "partner pass: the release of a member for the business date",
                             "SELECT MATRICULA FROM LiberaGympass WHERE (DATA = :JDATA) AND "
                             "(MATRICULA = :JMATRICULA)"};
const Statement kGrantedCountForInsert{
    "AcessoDia count held for insert",
    "daily entry limit: counts today's grants inside the insert of the grant's row",
    [](const Dialect& dialect) {
        return QStringLiteral("SELECT COUNT(MATRICULA) FROM %1 WHERE (STATUS = 'L') AND "
                              "(MATRICULA = :LMATRICULA)")
            .arg(dialect.heldForWrite(QStringLiteral("AcessoDia")));
    }};
const Statement kDeletePartnerPass{"QRYACESSODIAGYMPASS delete",
                                   "partner pass: the release a grant uses up",
                                   "DELETE FROM LiberaGympass WHERE (MATRICULA = :JMATRICULA)"};

} // namespace

Result<bool> PaymentLookups::paid(const QString& matricula, int month, int year) const {
    Result<QSqlQuery> query =
        connection_.execute(kPaid.text(connection_.dialect()),
                            {{s(":MATRICULA"), matricula},
                             {s(":MES"), QStringLiteral("%1").arg(month, 2, 10, QLatin1Char('0'))},
                             {s(":ANO"), QStringLiteral("%1").arg(year, 4, 10, QLatin1Char('0'))}});
    if (!query)
        return query.error();
    return query->next();
}

Result<std::vector<ReceiptMonth>> PaymentLookups::receipts(const QString& matricula) const {
    Result<QSqlQuery> query =
        connection_.execute(kReceipts.text(connection_.dialect()), {{s(":MMATRICULA"), matricula}});
    if (!query)
        return query.error();
    std::vector<ReceiptMonth> months;
    while (query->next()) {
        bool monthOk = false;
        bool yearOk = false;
        const int month = query->value(0).toString().trimmed().toInt(&monthOk);
        const int year = query->value(1).toString().trimmed().toInt(&yearOk);
        if (monthOk && yearOk)
            months.push_back({month, year});
    }
    return months;
}

Result<int> PaymentLookups::grantedCount(const QString& matricula) const {
    Result<QSqlQuery> query = connection_.execute(kGrantedCount.text(connection_.dialect()),
                                                  {{s(":MATRICULA"), matricula}});
    if (!query)
        return query.error();
    return query->next() ? query->value(0).toInt() : 0;
}

Result<bool> PaymentLookups::partnerPassRelease(const QString& matricula, const QDate& date) const {
    Result<QSqlQuery> query = connection_.execute(
        kPartnerPass.text(connection_.dialect()),
        {{s(":JDATA"), dateValue(connection_.dialect(), date)}, {s(":JMATRICULA"), matricula}});
    if (!query)
        return query.error();
    return query->next();
}

QString PaymentLookups::grantedCountForInsert(const Dialect& dialect) {
    return kGrantedCountForInsert.text(dialect);
}

QString PaymentLookups::deletePartnerPassReleases() {
    return kDeletePartnerPass.text(Dialect());
}

} // namespace orvalen::store
