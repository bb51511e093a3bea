#include "app/tool/doctor_database_checks.h"
#include "store/db_values.h"
#include "support/test_database.h"

#include <QTextStream>
#include <gtest/gtest.h>

namespace orvalen::test {
namespace {

// SQL Server hands a table's rows in storage order with no way to ask for the last: the
// doctor, like the login, must keep the last cash control, not take the first. The SQL
// Server dialect over the ODBC route sends the server's statements to the SQLite file.
TEST(DoctorOnServerOrder, TheLastCashControlDecidesWhetherTheCashPeriodIsOpen) {
    TestDatabase club;
    const store::Dialect file(store::Dialect::Kind::Sqlite);
    const QDate today(2026, 3, 16);
    club.exec(QStringLiteral("INSERT INTO caixa (DATAABERTURA, ATIVO) VALUES (:D, 1)"),
              {{QStringLiteral(":D"), store::dateValue(file, today)}});
    for (const auto& [day, open] : {std::pair(today.addDays(-1), 0), std::pair(today, 1)}) {
        club.exec(
            QStringLiteral("INSERT INTO CaixaControle (DATA, CONTADORPDR, ABERTO) "
                           "VALUES (:D, 1, :A)"),
            {{QStringLiteral(":D"), store::dateValue(file, day)}, {QStringLiteral(":A"), open}});
    }
    store::ConnectionSpec spec = sqliteSpec(club.file(), Route::Odbc);
    spec.dialect = store::Dialect(store::Dialect::Kind::SqlServer);
    store::ClubConnection server(spec, QStringLiteral("doctor-server-order"));
    ASSERT_TRUE(server.open().ok());

    tool::DoctorReport report;
    tool::checkClubDatabase(server, today, report);
    QString printed;
    QTextStream out(&printed);
    report.print(out, club.folder());
    out.flush();
    EXPECT_FALSE(printed.contains(QLatin1String("CaixaControle"))) << printed.toStdString();
}

} // namespace
} // namespace orvalen::test
