#include "desk/access_rows.h"

#include "store/db_values.h"
#include "store/statement_catalogue.h"

#include <QSqlRecord>
#include <algorithm>

namespace orvalen::desk {

namespace {

// The statement of one table, its columns under the same names for every table.
struct TableQuery {
    const char* table;
    // MATRICULA, DATA, HORA, STATUS, OBS, FILIAL, NOME, CODIGO_FILIAL, and the person's name
    // on file (NOME_CADASTRO) for a row that does not carry it.
    const char* select;
    bool hasStatus;
    bool hasNumber;
};

const TableQuery kTables[] = {
    {"Acesso",
     "SELECT a.MATRICULA, a.DATA, a.HORA, a.STATUS, a.OBS, a.FILIAL, a.NOME, a.CODIGO_FILIAL, "
     "s.NOME AS NOME_CADASTRO FROM Acesso a LEFT JOIN AlunosAtivos s ON s.MATRICULA = a.MATRICULA",
     true, true},
    {"AcessoDia",
     "SELECT a.MATRICULA, a.DATA, a.HORA, a.STATUS, a.OBS, a.FILIAL, a.NOME, a.CODIGO_FILIAL, "
     "s.NOME AS NOME_CADASTRO FROM AcessoDia a "
     "LEFT JOIN AlunosAtivos s ON s.MATRICULA = a.MATRICULA",
     true, true},
    {"AcessoFuncionarios",
     "SELECT a.MATRICULA, a.DATA, a.HORA, NULL AS STATUS, a.OBS, a.FILIAL, NULL AS NOME, "
     "NULL AS CODIGO_FILIAL, f.NOME AS NOME_CADASTRO FROM AcessoFuncionarios a "
     "LEFT JOIN Funcionarios f ON f.MATRICULA = a.MATRICULA",
     false, true},
    {"AcessoVisitantes",
     "SELECT NULL AS MATRICULA, a.DATA, a.HORA, 'V' AS STATUS, a.OBS, a.FILIAL, NULL AS NOME, "
     "NULL AS CODIGO_FILIAL, NULL AS NOME_CADASTRO FROM AcessoVisitantes a",
     true, false},
};

// The conditions a filter may ask for, one bit each: day, number, status, from a time of day.
struct Condition {
    const char* word;
    const char* sql;
};
constexpr Condition kConditions[] = {{"day", "a.DATA >= :DESDE AND a.DATA < :ATE"},
                                     {"number", "a.MATRICULA = :MATRICULA"},
                                     {"status", "a.STATUS = :STATUS"},
                                     {"from", "a.HORA >= :DESDE_HORA"}};
constexpr int kNumberBit = 2;
constexpr int kStatusBit = 4;
constexpr int kFromBit = 8;

QStringList conditionParts(int filter, bool sql) {
    QStringList parts;
    for (int bit = 0; bit < 4; ++bit) {
        if ((filter & (1 << bit)) != 0) {
            const Condition& condition = kConditions[bit];
            parts << QLatin1String(sql ? condition.sql : condition.word);
        }
    }
    return parts;
}

// The table's statement with the conditions of the filter.
QString accessRowsText(const TableQuery& query, int filter) {
    const QStringList conditions = conditionParts(filter, true);
    QString sql = QString::fromLatin1(query.select);
    if (!conditions.isEmpty())
        sql += QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND "));
    return sql;
}

// Each table's statement under every filter that can reach it.
std::vector<store::CatalogueEntry> accessRowsEntries(const store::Dialect&) {
    std::vector<store::CatalogueEntry> entries;
    for (const TableQuery& query : kTables) {
        for (int filter = 0; filter < 16; ++filter) {
            // A number or a status condition only where the table has the column.
            if (((filter & kNumberBit) != 0 && !query.hasNumber) ||
                ((filter & kStatusBit) != 0 && !(query.hasNumber && query.hasStatus)))
                continue;
            const QStringList by = conditionParts(filter, false);
            entries.push_back(
                {QStringLiteral("log rows %1%2")
                     .arg(QLatin1String(query.table),
                          by.isEmpty() ? QString() : QStringLiteral(" by ") + by.join(u'+')),
                 QStringLiteral(
                     "`orvalen log`, `orvalen explain` and the desk page: the access rows"),
                 accessRowsText(query, filter)});
        }
    }
    return entries;
}

const store::StatementFamily kAccessRows{&accessRowsEntries};

QString unitOf(const QSqlRecord& record) {
    const QString filial = record.value(QStringLiteral("FILIAL")).toString().trimmed();
    const QVariant code = record.value(QStringLiteral("CODIGO_FILIAL"));
    if (code.isNull() || code.toString().isEmpty())
        return filial;
    const QString branch = QString::number(code.toDouble());
    return filial.isEmpty() ? branch : filial + QLatin1Char('/') + branch;
}

QString nameOf(const QSqlRecord& record) {
    const QString logged = record.value(QStringLiteral("NOME")).toString().trimmed();
    return logged.isEmpty() ? record.value(QStringLiteral("NOME_CADASTRO")).toString().trimmed()
                            : logged;
}

} // namespace

store::Result<std::vector<AccessRow>> readAccessRows(const store::ClubConnection& connection,
                                                     const AccessFilter& filter) {
    const store::Dialect& dialect = connection.dialect();
    std::vector<AccessRow> rows;
    for (const TableQuery& query : kTables) {
        if (filter.number && !query.hasNumber)
            continue;
        if (filter.status &&
            (!query.hasStatus || (!query.hasNumber && *filter.status != QLatin1String("V"))))
            continue;
        store::Bindings bindings;
        if (filter.date) {
            bindings.emplace_back(QStringLiteral(":DESDE"),
                                  store::dateTimeValue(dialect, QDateTime(*filter.date, {})));
            bindings.emplace_back(
                QStringLiteral(":ATE"),
                store::dateTimeValue(dialect, QDateTime(filter.date->addDays(1), {})));
        }
        if (filter.from) {
            bindings.emplace_back(QStringLiteral(":DESDE_HORA"),
                                  store::timeOfDayValue(dialect, *filter.from));
        }
        if (filter.number) {
            bindings.emplace_back(QStringLiteral(":MATRICULA"), *filter.number);
        }
        if (filter.status && query.hasNumber) {
            bindings.emplace_back(QStringLiteral(":STATUS"), *filter.status);
        }
        auto fetched = connection.fetchAll(
            accessRowsText(query, (filter.date ? 1 : 0) | (filter.number ? kNumberBit : 0) |
                                      (filter.status && query.hasNumber ? kStatusBit : 0) |
                                      (filter.from ? kFromBit : 0)),
            bindings);
        if (!fetched.ok())
            return store::Error{QString::fromLatin1(query.table) + QStringLiteral(": ") +
                                fetched.error().message};
        for (const QSqlRecord& record : fetched.value()) {
            rows.push_back({QString::fromLatin1(query.table),
                            store::readDate(record.value(QStringLiteral("DATA"))),
                            store::readTime(record.value(QStringLiteral("HORA"))),
                            record.value(QStringLiteral("MATRICULA")).toString().trimmed(),
                            nameOf(record),
                            record.value(QStringLiteral("STATUS")).toString().trimmed(),
                            record.value(QStringLiteral("OBS")).toString(), unitOf(record)});
        }
    }
    std::stable_sort(rows.begin(), rows.end(), [](const AccessRow& a, const AccessRow& b) {
        return std::pair(a.date, a.time) < std::pair(b.date, b.time);
    });
    return rows;
}

} // namespace orvalen::desk
