#include "app/tool/doctor_database_checks.h"

#include "store/db_values.h"
#include "store/schema.h"
#include "store/settings.h"
#include "store/statement_catalogue.h"
#include "store/table_opening.h"

#include <QSqlQuery>

namespace orvalen::tool {

namespace {

const QString kSchemaFix = QStringLiteral(
    "update the club database with the back office so that it has every table and column the "
    "terminal reads (for a demo, create a fresh one with `orvalen demo create DIR`)");

struct NumericSetting {
    const char* table;
    const char* column;
    const char* example;
};

constexpr NumericSetting kNumericSettings[] = {
    {"Sacvar", "ACESSO_TEMPO", "2000 (milliseconds)"},
    {"Sacvar", "ACESSO_PULSO", "1000 (milliseconds)"},
    {"Sacvar", "ULTIMO_DIA", "0 (off) or a day of the month"},
    {"Sacvar2", "DATABIT", "8"},
    {"Sacvar2", "STOPBIT", "1"},
};

const store::Statement kSacvarRows{"doctor Sacvar rows",
                                   "doctor: whether the settings row is there",
                                   "SELECT COUNT(*) FROM Sacvar"};
const store::Statement kSacvar2Rows{"doctor Sacvar2 rows",
                                    "doctor: whether the settings row is there",
                                    "SELECT COUNT(*) FROM Sacvar2"};
const store::Statement kBranchRows{"doctor Filial rows", "doctor: whether the club has branches",
                                   "SELECT COUNT(*) FROM Filial"};

// The first row of a statement's first column, or an invalid value.
QVariant firstValue(const store::ClubConnection& connection, const QString& sql) {
    auto rows = connection.execute(sql);
    return rows && rows->next() ? rows->value(0) : QVariant();
}

bool checkSchema(const store::ClubConnection& connection, DoctorReport& report) {
    const QStringList missing = store::missingFromSchema(connection.database());
    for (const QString& name : missing) {
        const bool column = name.contains(QLatin1Char('.'));
        report.problem(QStringLiteral("the club database has no %1 %2 (%3)")
                           .arg(column ? QStringLiteral("column") : QStringLiteral("table"), name,
                                connection.spec().origin),
                       kSchemaFix);
    }
    if (missing.isEmpty()) {
        report.fact(QStringLiteral("schema: all %1 tables and their columns are there")
                        .arg(store::clubSchema().size()));
    }
    return missing.isEmpty();
}

void checkSettings(const store::ClubConnection& connection, ClubFacts& facts,
                   DoctorReport& report) {
    for (const char* table : {"Sacvar", "Sacvar2"}) {
        const QString name = QLatin1String(table);
        auto row = store::SettingsRow::load(connection, name);
        if (!row) {
            report.problem(row.error().message, kSchemaFix);
            continue;
        }
        if (firstValue(connection, (name == QLatin1String("Sacvar") ? kSacvarRows : kSacvar2Rows)
                                       .text(connection.dialect()))
                .toInt() < 1) {
            report.problem(
                QStringLiteral("the settings table %1 has no row").arg(name),
                QStringLiteral("enter this terminal's settings in the back office, which "
                               "writes the one row of %1")
                    .arg(name));
            continue;
        }
        for (const NumericSetting& setting : kNumericSettings) {
            if (name != QLatin1String(setting.table)) {
                continue;
            }
            try {
                row->number(QLatin1String(setting.column));
            } catch (const store::SettingError& error) {
                report.problem(QString::fromStdString(error.what()),
                               QStringLiteral("store it as decimal digits, for example %1")
                                   .arg(QLatin1String(setting.example)));
            }
        }
        if (name == QLatin1String("Sacvar2")) {
            facts.portalBookings = row->isSim(QStringLiteral("AgendamentoAulaPortal"));
        }
    }
    report.fact(QStringLiteral("settings: Sacvar and Sacvar2 have their row"));
}

void checkCashPeriod(const store::ClubConnection& connection, const QDate& today,
                     DoctorReport& report) {
    const auto business = store::readBusinessDate(connection);
    // The last row, as the login reads it: on SQL Server the rows come in storage order.
    const auto control =
        store::lastRow(connection, QStringLiteral("CaixaControle"), store::cashControlColumns());
    const QString openFix =
        QStringLiteral("open today's cash period in the back office (for the demo club, run "
                       "`orvalen demo create DIR` again)");
    if (!business) {
        report.problem(business.error().message, kSchemaFix);
        return;
    }
    if (!business->known()) {
        report.problem(business->problem +
                           QStringLiteral(": the terminal refuses every identification"),
                       QStringLiteral("open the cash period in the back office, or correct "
                                      "caixa.DATAABERTURA of its last row to the day it was "
                                      "opened (for the demo club, run `orvalen demo create DIR` "
                                      "again)"));
        return;
    }
    if (!control || !control->has_value() || !store::readBool(control.value()->value(2)) ||
        control.value()->value(1).toInt() == 0) {
        report.problem(
            QStringLiteral("no cash period is open (CaixaControle): the login refuses with "
                           "\"Por favor abrir o CAIXA !\""),
            openFix);
        return;
    }
    const QDate controlDay = store::readDate(control.value()->value(0));
    if (today > controlDay) {
        report.problem(
            QStringLiteral("the open cash period is of %1: the login refuses with \"Por favor "
                           "fechar o CAIXA do dia anterior!\"")
                .arg(controlDay.toString(QStringLiteral("dd/MM/yyyy"))),
            QStringLiteral("close that cash period and open today's in the back office (for "
                           "the demo club, run `orvalen demo create DIR` again)"));
        return;
    }
    report.fact(QStringLiteral("cash period: open; business date %1")
                    .arg(business->day.toString(QStringLiteral("dd/MM/yyyy"))));
}

// Day rows the day purge cannot place: they stay and count towards the daily limit.
void checkDayRows(const store::ClubConnection& connection, DoctorReport& report) {
    const auto undated = store::undatedDayRows(connection);
    if (!undated) {
        report.problem(undated.error().message, kSchemaFix);
        return;
    }
    if (undated->isEmpty()) {
        return;
    }
    constexpr qsizetype kShown = 5;
    report.problem(
        QStringLiteral("%1 AcessoDia row(s) have a DATA that is empty or no date (%2); the day "
                       "purge leaves them, so they count towards the daily access limit")
            .arg(undated->size())
            .arg(undated->mid(0, kShown).join(QStringLiteral("; "))),
        QStringLiteral("correct DATA of those rows to the day they were written, or delete them "
                       "if they belong to an earlier day"));
}

} // namespace

ClubFacts checkClubDatabase(const store::ClubConnection& connection, const QDate& today,
                            DoctorReport& report) {
    ClubFacts facts;
    const bool complete = checkSchema(connection, report);
    const QStringList tables = connection.database().tables();
    auto has = [&](const char* table) {
        return tables.contains(QLatin1String(table), Qt::CaseInsensitive);
    };
    if (has("Sacvar") && has("Sacvar2")) {
        checkSettings(connection, facts, report);
    }
    if (complete || (has("caixa") && has("CaixaControle"))) {
        checkCashPeriod(connection, today, report);
    }
    if (complete || has("AcessoDia")) {
        checkDayRows(connection, report);
    }
    if (has("Filial")) {
        facts.hasBranches =
            firstValue(connection, kBranchRows.text(connection.dialect())).toInt() > 0;
    }
    return facts;
}

void checkTables(const store::ClubConnection& connection, const QString& what,
                 const QStringList& tables, DoctorReport& report) {
    const QStringList present = connection.database().tables();
    QStringList missing;
    for (const QString& table : tables) {
        if (!present.contains(table, Qt::CaseInsensitive)) {
            missing << table;
        }
    }
    if (!missing.isEmpty()) {
        report.problem(
            QStringLiteral("the %1 (%2) has no table %3")
                .arg(what, connection.spec().origin, missing.join(QStringLiteral(", "))),
            QStringLiteral("point %1 at a database that has them").arg(connection.spec().origin));
    }
}

} // namespace orvalen::tool
