#include "store/connection.h"
#include "store/db_values.h"
#include "store/stored_date_time.h"
#include "support/test_database.h"

#include <QDir>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace orvalen::test {
namespace {

// One column as a club's SQL Server types it, what it holds, and what the rule must read.
struct ColumnForm {
    const char* column;
    const char* declared; // the server's type, given to the SQLite ODBC driver as declared
    QVariant stored;
    std::function<void(const QVariant&)> check;
};

const QByteArray kJpeg("\xFF\xD8\xFF\xE0jpeg", 8);
const QByteArray kTemplate("\x01\x00\x7F\x80\xFF", 5);

std::vector<ColumnForm> forms() {
    return {
        // Sacvar.CLIENTE and Filial.CLIENTE: the branch code compared as a number.
        {"CLIENTE", "float", 2.0, [](const QVariant& v) { EXPECT_EQ(v.toDouble(), 2.0); }},
        {"DATA", "datetime", QStringLiteral("2026-03-16 10:30:15.123"),
         [](const QVariant& v) {
             const auto read = store::StoredDateTime::read(v);
             EXPECT_TRUE(read.hasValue());
             EXPECT_EQ(read.date(), QDate(2026, 3, 16));
             EXPECT_EQ(read.time(), QTime(10, 30, 15, 123));
         }},
        {"HORA", "smalldatetime", QStringLiteral("1899-12-30 14:05:00"),
         [](const QVariant& v) {
             EXPECT_EQ(store::readTime(v), QTime(14, 5));
             EXPECT_EQ(store::readDate(v), QDate(1899, 12, 30));
         }},
        // The server's image comes through ODBC as SQL_LONGVARBINARY; the stand-in driver
        // knows that name and not "image" (it would hand back X'...' text).
        {"FOTO1", "longvarbinary", kJpeg,
         [](const QVariant& v) { EXPECT_EQ(v.toByteArray(), kJpeg); }},
        {"DIGITAL", "varbinary", kTemplate,
         [](const QVariant& v) { EXPECT_EQ(v.toByteArray(), kTemplate); }},
        // MENSALIDADES.VALOR: a fee with cents.
        {"VALOR", "money", 89.9, [](const QVariant& v) { EXPECT_DOUBLE_EQ(v.toDouble(), 89.9); }},
        {"ACESSOLIVRE", "bit", 1, [](const QVariant& v) { EXPECT_TRUE(store::readBool(v)); }},
        {"ATIVO", "bit", 0, [](const QVariant& v) { EXPECT_FALSE(store::readBool(v)); }},
        // A number in a char column comes back padded: it is still the number typed.
        {"MATRICULA", "char(10)", QStringLiteral("12345     "),
         [](const QVariant& v) {
             EXPECT_TRUE(store::sameKey(v.toString(), QStringLiteral("12345")));
         }},
    };
}

// Each form written to a table declared with the server's types and read back through the
// ODBC route, as the terminal reads the club's server.
TEST(ServerColumnForms, AValueReadIsTheValueTheRuleNeeds) {
    QTemporaryDir dir(qEnvironmentVariable("ORVALEN_TEST_TMP", QDir::tempPath()) +
                      QStringLiteral("/forms-XXXXXX"));
    const QString file = dir.filePath(QStringLiteral("forms.db"));
    const auto table = forms();
    {
        store::ClubConnection direct(sqliteSpec(file, Route::Direct),
                                     QStringLiteral("forms-direct"), store::OpenMode::Create);
        ASSERT_TRUE(direct.open().ok());
        QStringList columns;
        QStringList markers;
        store::Bindings values;
        for (const ColumnForm& form : table) {
            columns << QStringLiteral("%1 %2").arg(QLatin1String(form.column),
                                                   QLatin1String(form.declared));
            markers << QStringLiteral(":%1").arg(QLatin1String(form.column));
            values.emplace_back(markers.last(), form.stored);
        }
        ASSERT_TRUE(direct
                        .execute(QStringLiteral("CREATE TABLE Forms (%1)")
                                     .arg(columns.join(QStringLiteral(", "))))
                        .ok());
        ASSERT_TRUE(direct
                        .execute(QStringLiteral("INSERT INTO Forms VALUES (%1)")
                                     .arg(markers.join(QStringLiteral(", "))),
                                 values)
                        .ok());
    }
    store::ClubConnection odbc(sqliteSpec(file, Route::Odbc), QStringLiteral("forms-odbc"));
    ASSERT_TRUE(odbc.open().ok());
    for (const ColumnForm& form : table) {
        SCOPED_TRACE(std::string(form.column) + " " + form.declared);
        auto query =
            odbc.execute(QStringLiteral("SELECT %1 FROM Forms").arg(QLatin1String(form.column)));
        ASSERT_TRUE(query.ok()) << query.error().message.toStdString();
        ASSERT_TRUE(query->next());
        form.check(query->value(0));
    }
}

} // namespace
} // namespace orvalen::test
