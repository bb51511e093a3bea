#include "store/class_lookups.h"
#include "store/db_values.h"
#include "store/login_lookups.h"
#include "store/payment_lookups.h"
#include "store/statement_catalogue.h"
#include "support/test_database.h"
#include "terminal/log_writer.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace orvalen::test {
namespace {

using store::Dialect;

// The driver manager's trace of every call, for connections opened while it lives: the
// test's own odbcinst.ini names the SQLite driver and turns tracing on.
class OdbcTrace {
public:
    OdbcTrace() {
        QFile ini(dir_.filePath(QStringLiteral("odbcinst.ini")));
        ini.open(QIODevice::WriteOnly);
        ini.write(QStringLiteral("[ODBC]\nTrace=Yes\nTraceFile=%1\n\n[SQLite3]\n"
                                 "Driver=libsqlite3odbc.so\n")
                      .arg(file())
                      .toUtf8());
        previous_ = qgetenv("ODBCSYSINI");
        qputenv("ODBCSYSINI", dir_.path().toLocal8Bit());
    }
    ~OdbcTrace() {
        if (previous_.isNull()) {
            qunsetenv("ODBCSYSINI");
        } else {
            qputenv("ODBCSYSINI", previous_);
        }
    }
    QString file() const { return dir_.filePath(QStringLiteral("trace.log")); }

private:
    QTemporaryDir dir_;
    QByteArray previous_;
};

// One parameter as the driver manager saw it bound.
struct BoundParameter {
    QString statement; // as prepared, with "?" for each parameter
    int number = 0;
    QString cType;
    QString sqlType;
    int size = 0;
    int digits = 0;
};

std::vector<BoundParameter> boundParameters(const QString& traceFile) {
    QFile file(traceFile);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << traceFile.toStdString();
    const QString trace = QString::fromUtf8(file.readAll());
    static const QRegularExpression call(
        QStringLiteral(
            R"(\[(SQLPrepareW?|SQLBindParameter)\.c\]\[\d+\]\s+Entry:\s+Statement = (0x[0-9a-f]+)\s+)"
            R"((?:SQL = \[(.*?)\]\[length|Param Number = (\d+)\s+Param Type = \d+\s+)"
            R"(C Type = -?\d+ (\w+)\s+SQL Type = -?\d+ (\w+)\s+Col Def = (\d+)\s+Scale = (\d+)))"),
        QRegularExpression::DotMatchesEverythingOption);
    std::map<QString, QString> prepared; // per statement handle
    std::vector<BoundParameter> bound;
    for (auto it = call.globalMatch(trace); it.hasNext();) {
        const auto match = it.next();
        if (match.captured(1).startsWith(QLatin1String("SQLPrepare"))) {
            prepared[match.captured(2)] = match.captured(3);
            continue;
        }
        bound.push_back({prepared[match.captured(2)], match.captured(4).toInt(), match.captured(5),
                         match.captured(6), match.captured(7).toInt(), match.captured(8).toInt()});
    }
    return bound;
}

// The catalogue's name of a prepared statement and the name of each of its parameters.
std::pair<QString, QStringList> catalogueNames(const QString& prepared) {
    static const QRegularExpression marker(QStringLiteral(R"((?<![:\w]):(\w+))"));
    for (const store::CatalogueEntry& entry :
         store::statementCatalogue(Dialect(Dialect::Kind::SqlServer))) {
        QStringList names;
        for (auto it = marker.globalMatch(entry.text); it.hasNext();) {
            names << it.next().captured(1);
        }
        QString asPrepared = entry.text;
        asPrepared.replace(marker, QStringLiteral("?"));
        // The trace cuts a long statement short with "...".
        const bool cut = prepared.endsWith(QLatin1String("..."));
        if (asPrepared == prepared || (cut && asPrepared.startsWith(prepared.chopped(3)))) {
            return {entry.name, names};
        }
        // An access-log row names the columns its outcome sets.
        static const QRegularExpression insert(QStringLiteral(R"(^INSERT INTO (\w+) \(([^)]*)\))"));
        const auto row = insert.match(prepared);
        if (row.hasMatch() && entry.name == QLatin1String("log row ") + row.captured(1)) {
            return {entry.name, row.captured(2).split(QStringLiteral(", "))};
        }
    }
    return {prepared, {}};
}

QString bindingTable(const std::vector<BoundParameter>& bound) {
    QStringList lines{
        QStringLiteral("| statement | parameter | bound as | SQL type | size | decimal digits |"),
        QStringLiteral("|---|---|---|---|---|---|")};
    for (const BoundParameter& parameter : bound) {
        const auto [name, parameters] = catalogueNames(parameter.statement);
        const QString parameterName = parameter.number <= parameters.size()
                                          ? parameters.at(parameter.number - 1)
                                          : QString::number(parameter.number);
        const QString line = QStringLiteral("| %1 | %2 | %3 | %4 | %5 | %6 |")
                                 .arg(name, parameterName, parameter.cType, parameter.sqlType)
                                 .arg(parameter.size)
                                 .arg(parameter.digits);
        if (!lines.contains(line)) {
            lines << line;
        }
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

// The terminal's lookups and an access-log row, sent with the values the server gets: the
// SQL Server dialect over the ODBC route (the SQLite driver stands in for the server). One
// trace serves every test.
std::vector<BoundParameter> traceTheTerminalsValues() {
    OdbcTrace trace;
    TestDatabase club;
    {
        store::ConnectionSpec spec = sqliteSpec(club.file(), Route::Odbc);
        spec.dialect = Dialect(Dialect::Kind::SqlServer);
        // The driver manager reads odbcinst.ini's trace switch with the process's first
        // connection; asking on the connection as well traces it in any order of tests.
        spec.connectOptions =
            QStringLiteral("SQL_ATTR_TRACE=SQL_OPT_TRACE_ON;SQL_ATTR_TRACEFILE=%1")
                .arg(trace.file());
        store::ClubConnection odbc(spec, QStringLiteral("binding-trace"));
        EXPECT_TRUE(odbc.open().ok());
        const QDate day(2026, 3, 16);
        const QDateTime at(day, QTime(10, 30, 15, 123));
        EXPECT_TRUE(
            store::PaymentLookups(odbc).partnerPassRelease(QStringLiteral("0000012345"), day).ok());
        EXPECT_TRUE(store::PaymentLookups(odbc).paid(QStringLiteral("0000012345"), 3, 2026).ok());
        EXPECT_TRUE(
            store::ClassLookups(odbc).bookings(QStringLiteral("0000012345"), day, 1.0).ok());
        EXPECT_TRUE(store::findUsuario(odbc, QStringLiteral("01")).ok());
        terminal::LogWrite write;
        write.rows.push_back(
            {QStringLiteral("AcessoDia"),
             {{QStringLiteral("MATRICULA"), QStringLiteral("0000012345")},
              {QStringLiteral("DATA"), store::dateValue(odbc.dialect(), day)},
              {QStringLiteral("HORA"), store::timeOfDayValue(odbc.dialect(), at.time())},
              {QStringLiteral("FILIAL"), QStringLiteral("01")},
              {QStringLiteral("STATUS"), QStringLiteral("L")},
              {QStringLiteral("OBS"), QStringLiteral("Acesso Livre")},
              {QStringLiteral("NOME"), QStringLiteral("ANA")},
              {QStringLiteral("CODIGO_FILIAL"), 1.0},
              {QStringLiteral("DIA_VENCIMENTO"), 10},
              {QStringLiteral("FOTO"), QByteArray("\xFF\xD8\xFF", 3)}},
             std::nullopt});
        EXPECT_FALSE(terminal::DatabaseLogWriter(odbc).write(write).failure.has_value());
    }
    return boundParameters(trace.file());
}

const std::vector<BoundParameter>& sendTheTerminalsValues() {
    static const std::vector<BoundParameter> bound = traceTheTerminalsValues();
    return bound;
}

// Dates go as timestamps, never as text a server would read by its language; text as wide
// characters, as the schema's nvarchar columns hold it. Size and decimal digits of a
// timestamp are the driver's own (Qt asks its type information).
TEST(OdbcBinding, DatesAreTimestampsAndTextIsWide) {
    const auto& bound = sendTheTerminalsValues();
    ASSERT_GT(bound.size(), 15U);
    int dates = 0;
    for (const BoundParameter& parameter : bound) {
        SCOPED_TRACE(parameter.statement.toStdString());
        const auto [name, parameters] = catalogueNames(parameter.statement);
        const QString column = parameters.value(parameter.number - 1);
        if (column.contains(QLatin1String("DATA")) || column == QLatin1String("HORA")) {
            EXPECT_EQ(parameter.cType, QStringLiteral("SQL_C_TIMESTAMP")) << column.toStdString();
            EXPECT_TRUE(parameter.sqlType.contains(QLatin1String("TIMESTAMP")));
            ++dates;
        }
        if (parameter.sqlType.contains(QLatin1String("CHAR"))) {
            EXPECT_EQ(parameter.cType, QStringLiteral("SQL_C_WCHAR")) << column.toStdString();
            EXPECT_EQ(parameter.sqlType, QStringLiteral("SQL_WVARCHAR"));
        }
    }
    EXPECT_EQ(dates, 4) << bindingTable(bound).toStdString(); // the release's date, the booking's,
                                                              // the log row's DATA and HORA
}

// The installer's guide shows the table this trace gives; ORVALEN_WRITE_DOCS=1 writes it.
TEST(OdbcBinding, InstallerGuideShowsTheBindingTable) {
    const QString table = bindingTable(sendTheTerminalsValues());
    QFile guide(QStringLiteral(ORVALEN_SOURCE_DIR "/docs/installer-guide.md"));
    ASSERT_TRUE(guide.open(QIODevice::ReadOnly));
    QString text = QString::fromUtf8(guide.readAll());
    guide.close();
    const QString begin = QStringLiteral("<!-- binding table: made by OdbcBinding -->\n");
    const QString end = QStringLiteral("<!-- end of the binding table -->");
    const qsizetype from = text.indexOf(begin);
    const qsizetype to = text.indexOf(end);
    ASSERT_TRUE(from >= 0 && to > from) << "the guide has no binding table section";
    if (qEnvironmentVariableIntValue("ORVALEN_WRITE_DOCS") == 1) {
        text.replace(from + begin.size(), to - from - begin.size(), table);
        ASSERT_TRUE(guide.open(QIODevice::WriteOnly));
        guide.write(text.toUtf8());
        return;
    }
    EXPECT_EQ(text.mid(from + begin.size(), to - from - begin.size()).toStdString(),
              table.toStdString());
}

} // namespace
} // namespace orvalen::test
