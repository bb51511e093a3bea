#pragma once

#include "store/connection.h"
#include "store/result.h"

#include <QDate>
#include <QString>
#include <vector>

namespace orvalen::store {

// A paid month as RECEB keeps it, read as numbers.
struct ReceiptMonth {
    int month = 0;
    int year = 0;
};

// The lookups of the payment situation, the daily limit and the partner-pass release.
// Each goes by MATRICULA (indexed) with every value bound.
class PaymentLookups {
public:
    explicit PaymentLookups(const ClubConnection& connection) : connection_(connection) {}

    // `SEEKRECEB`: whether RECEB holds a receipt of the student for month (1-12) of year.
    Result<bool> paid(const QString& matricula, int month, int year) const;
    // `QRYDATA_VENCIMENTO`: every paid month of the student; months that are not numbers are left
    // out.
    Result<std::vector<ReceiptMonth>> receipts(const QString& matricula) const;
    // `TBLACESSODIASEEK`: granted rows (STATUS "L") of the student in AcessoDia, whatever their
    // date.
    Result<int> grantedCount(const QString& matricula) const;
    // `QRYACESSODIAGYMPASS`: whether LiberaGympass holds a release of the student for the date.
    Result<bool> partnerPassRelease(const QString& matricula, const QDate& date) const;

    // grantedCount as the condition of the grant's own insert (binding :LMATRICULA), with
    // the rows it counts held against other terminals until the insert commits.
    static QString grantedCountForInsert(const Dialect& dialect);
    // `QRYACESSODIAGYMPASS` as a delete: the statement that removes every release of a student.
    static QString deletePartnerPassReleases();

private:
    const ClubConnection& connection_;
};

} // namespace orvalen::store
