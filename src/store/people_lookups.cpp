#include "store/people_lookups.h"

#include "store/lookup_indexes.h"
#include "store/number_match.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace orvalen::store {

namespace {

const QString kMatricula = QStringLiteral(":MATRICULA");

} // namespace

Result<std::optional<QSqlRecord>> PeopleLookups::oneRow(const QString& sql,
                                                        const Bindings& bindings) const {
    auto query = connection_.execute(sql, bindings);
    if (!query.ok()) {
        return query.error();
    }
    if (!query->next()) {
        return std::optional<QSqlRecord>{};
    }
    return std::optional<QSqlRecord>{query->record()};
}

QString PeopleLookups::orderKey(StudentOrder order) const {
    if (order == StudentOrder::Matricula) {
        return QStringLiteral("MATRICULA");
    }
    // SQL Server compares names without regard to case by its collation; SQLite is told so.
    return connection_.dialect().isSqlite() ? QStringLiteral("NOME COLLATE NOCASE")
                                            : QStringLiteral("NOME");
}

Result<std::optional<QSqlRecord>> PeopleLookups::activeStudent(const QString& matricula) const {
    return oneRow(QStringLiteral("SELECT * FROM AlunosAtivos WHERE MATRICULA = :MATRICULA"),
                  {{kMatricula, matricula}});
}

Result<std::optional<QSqlRecord>>
PeopleLookups::activeStudentByNumber(const QString& matricula) const {
    const NumberCondition condition = sameNumberCondition(QStringLiteral("MATRICULA"), matricula);
    return oneRow(QStringLiteral("SELECT * FROM AlunosAtivos WHERE ") + condition.sql,
                  condition.bindings);
}

Status PeopleLookups::prepareIndexes() const {
    if (!connection_.dialect().isSqlite()) {
        return Status::success(); // the club's server compares names without regard to case already
    }
    for (const LookupIndex& index : lookupIndexes()) {
        if (!index.firstWithoutCase) {
            continue;
        }
        const auto created =
            connection_.execute(createIndexStatement(index, connection_.dialect()));
        if (!created.ok()) {
            return created.error();
        }
    }
    return Status::success();
}

Result<bool> PeopleLookups::studentOnFile(const QString& matricula) const {
    const NumberCondition condition = sameNumberCondition(QStringLiteral("Matricula"), matricula);
    auto row = oneRow(QStringLiteral("SELECT Matricula FROM Alunos WHERE ") + condition.sql,
                      condition.bindings);
    if (!row.ok()) {
        return row.error();
    }
    return row->has_value();
}

Result<std::optional<StudentListRow>> PeopleLookups::firstActiveFrom(StudentOrder order,
                                                                     const QString& key) const {
    const QString column = orderKey(order);
    const QString top = connection_.dialect().isSqlite() ? QString() : QStringLiteral("TOP 1 ");
    const QString limit = connection_.dialect().isSqlite() ? QStringLiteral(" LIMIT 1") : QString();
    auto row = oneRow(
        QStringLiteral(
            "SELECT %1MATRICULA, NOME FROM AlunosAtivos WHERE %2 >= :KEY ORDER BY %2, MATRICULA%3")
            .arg(top, column, limit),
        {{QStringLiteral(":KEY"), key}});
    if (!row.ok()) {
        return row.error();
    }
    if (!row->has_value()) {
        return std::optional<StudentListRow>{};
    }
    const QSqlRecord& record = *row.value();
    return std::optional<StudentListRow>{
        StudentListRow{record.value(0).toString(), record.value(1).toString()}};
}

Result<int> PeopleLookups::activeCount() const {
    auto row = oneRow(QStringLiteral("SELECT COUNT(*) FROM AlunosAtivos"), {});
    if (!row.ok()) {
        return row.error();
    }
    return row->has_value() ? row.value()->value(0).toInt() : 0;
}

Result<int> PeopleLookups::activePosition(StudentOrder order, const StudentListRow& listRow) const {
    QString sql;
    Bindings bindings{{kMatricula, listRow.matricula}};
    if (order == StudentOrder::Matricula) {
        sql = QStringLiteral("SELECT COUNT(*) FROM AlunosAtivos WHERE MATRICULA < :MATRICULA");
    } else {
        // Two counts, each along the name index.
        sql =
            QStringLiteral(
                "SELECT (SELECT COUNT(*) FROM AlunosAtivos WHERE %1 < :NOME) + "
                "(SELECT COUNT(*) FROM AlunosAtivos WHERE %1 = :NOME2 AND MATRICULA < :MATRICULA)")
                .arg(orderKey(order));
        bindings.emplace_back(QStringLiteral(":NOME"), listRow.nome);
        bindings.emplace_back(QStringLiteral(":NOME2"), listRow.nome);
    }
    auto row = oneRow(sql, bindings);
    if (!row.ok()) {
        return row.error();
    }
    return row->has_value() ? row.value()->value(0).toInt() : 0;
}

Result<std::vector<StudentListRow>> PeopleLookups::activePage(StudentOrder order, int offset,
                                                              int limit) const {
    const QString column = orderKey(order);
    const QString paging = connection_.dialect().isSqlite()
                               ? QStringLiteral(" LIMIT :LIMIT OFFSET :OFFSET")
                               : QStringLiteral(" OFFSET :OFFSET ROWS FETCH NEXT :LIMIT ROWS ONLY");
    auto query = connection_.execute(
        QStringLiteral("SELECT MATRICULA, NOME FROM AlunosAtivos ORDER BY %1, MATRICULA")
                .arg(column) +
            paging,
        {{QStringLiteral(":LIMIT"), limit}, {QStringLiteral(":OFFSET"), offset}});
    if (!query.ok()) {
        return query.error();
    }
    std::vector<StudentListRow> rows;
    while (query->next()) {
        rows.push_back({query->value(0).toString(), query->value(1).toString()});
    }
    return rows;
}

Result<PhotoRow> PeopleLookups::photo(const QString& table, const QString& matricula) const {
    const NumberCondition condition = sameNumberCondition(QStringLiteral("MATRICULA"), matricula);
    auto row = oneRow(QStringLiteral("SELECT FOTO1 FROM %1 WHERE ").arg(table) + condition.sql,
                      condition.bindings);
    if (!row.ok()) {
        return row.error();
    }
    PhotoRow photo;
    if (row->has_value()) {
        photo.found = true;
        const QVariant value = row.value()->value(0);
        photo.isNull = value.isNull();
        photo.bytes = value.toByteArray();
    }
    return photo;
}

Result<PhotoRow> PeopleLookups::studentPhoto(const QString& matricula) const {
    return photo(QStringLiteral("FotosAlunos"), matricula);
}

Result<PhotoRow> PeopleLookups::employeePhoto(const QString& matricula) const {
    return photo(QStringLiteral("FotosFuncionarios"), matricula);
}

Result<std::optional<QSqlRecord>> PeopleLookups::employee(const QString& matricula) const {
    return oneRow(QStringLiteral("SELECT * FROM Funcionarios WHERE MATRICULA = :MATRICULA"),
                  {{kMatricula, matricula}});
}

Result<std::optional<QSqlRecord>> PeopleLookups::plan(const QString& code) const {
    return oneRow(QStringLiteral("SELECT * FROM PLANOS WHERE CODIGO = :CODIGO"),
                  {{QStringLiteral(":CODIGO"), code}});
}

Result<std::optional<QSqlRecord>> PeopleLookups::monthlyFee(const QString& code) const {
    return oneRow(QStringLiteral("SELECT * FROM MENSALIDADES WHERE CODIGO = :CODIGO"),
                  {{QStringLiteral(":CODIGO"), code}});
}

Result<int> PeopleLookups::branchCount() const {
    auto row = oneRow(QStringLiteral("SELECT COUNT(*) FROM Filial"), {});
    if (!row.ok()) {
        return row.error();
    }
    return row->has_value() ? row.value()->value(0).toInt() : 0;
}

Result<std::optional<QSqlRecord>> PeopleLookups::firstAccessRow() const {
    const bool sqlite = connection_.dialect().isSqlite();
    return oneRow(sqlite ? QStringLiteral("SELECT MATRICULA, STATUS, OBS FROM Acesso LIMIT 1")
                         : QStringLiteral("SELECT TOP 1 MATRICULA, STATUS, OBS FROM Acesso"),
                  {});
}

} // namespace orvalen::store
