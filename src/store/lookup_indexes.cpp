#include "store/lookup_indexes.h"

#include "store/connection.h"
#include "store/statement_catalogue.h"

#include <QSqlError>
#include <QSqlQuery>
#include <map>

namespace orvalen::store {

namespace {

LookupIndex index(const char* table, std::initializer_list<const char*> columns) {
    LookupIndex made{{}, QLatin1String(table), {}, false};
    for (const char* column : columns) {
        made.columns << QLatin1String(column);
    }
    made.name = QStringLiteral("IX_%1_%2").arg(made.table, made.columns.join(QLatin1Char('_')));
    return made;
}

std::vector<LookupIndex> buildList() {
    std::vector<LookupIndex> list{
        index("AlunosAtivos", {"MATRICULA"}),
        // The name search: the first name at or after the typed text, ties by number.
        LookupIndex{QStringLiteral("AlunosAtivos_NOME_NOCASE"),
                    QStringLiteral("AlunosAtivos"),
                    {QStringLiteral("NOME"), QStringLiteral("MATRICULA")},
                    true},
        index("Alunos", {"Matricula"}),
        index("Funcionarios", {"MATRICULA"}),
        index("FotosAlunos", {"MATRICULA"}),
        index("FotosFuncionarios", {"MATRICULA"}),
        index("PLANOS", {"CODIGO"}),
        index("MENSALIDADES", {"CODIGO"}),
        // The receipts of a member, and the receipt of one month.
        index("RECEB", {"MATRICULA"}),
        index("Turma", {"CODIGO"}),
        index("ATIVIDADES", {"CODIGO"}),
        index("ALUNOSATIVIDADES", {"MATRICULA"}),
        index("FrequenciaAula", {"MATRICULA"}),
        index("AulasColetivas", {"Codigo"}),
        // Today's grants of a member (re-entry, daily count).
        index("AcessoDia", {"MATRICULA"}),
        index("LiberaGympass", {"Matricula"}),
        // The desk page: the rows of a day, and a member's last entries in the history.
        index("Acesso", {"DATA"}),
        index("Acesso", {"MATRICULA"}),
        index("AcessoFuncionarios", {"DATA"}),
        index("AcessoVisitantes", {"DATA"}),
        index("Usuarios", {"CODIGO"}),
    };
    return list;
}

// The key columns of one existing index, each with its collation ("" when not known).
struct KeyColumn {
    QString name;
    QString collation;
};
using IndexKeys = std::vector<std::vector<KeyColumn>>;

const Statement kIndexesOfTable{
    "indexes of a table", "doctor: the indexes a table has", [](const Dialect& d) {
        return d.isSqlite() ? QStringLiteral("SELECT name FROM sqlite_master WHERE type = "
                                             "'index' AND lower(tbl_name) = lower(:TABLE)")
                            : QStringLiteral("SELECT ic.index_id, c.name FROM "
                                             "sys.index_columns ic JOIN sys.columns c ON "
                                             "c.object_id = ic.object_id AND c.column_id = "
                                             "ic.column_id WHERE ic.object_id = "
                                             "OBJECT_ID(:TABLE) AND ic.key_ordinal > 0 "
                                             "ORDER BY ic.index_id, ic.key_ordinal");
    }};
const Statement kIndexColumns{
    "columns of an index", "doctor: the key columns of an index and their collation",
    [](const Dialect& d) {
        return d.isSqlite() ? QStringLiteral("SELECT seqno, cid, name, \"desc\", coll, \"key\" "
                                             "FROM pragma_index_xinfo(:INDEX)")
                            : QString();
    }};

// The index each lookup needs: SQLite's are made where missing, the server's DBA is told.
std::vector<CatalogueEntry> indexEntries(const Dialect& dialect) {
    std::vector<CatalogueEntry> entries;
    for (const LookupIndex& index : lookupIndexes()) {
        entries.push_back({QStringLiteral("index %1").arg(index.name),
                           dialect.isSqlite()
                               ? QStringLiteral("making an SQLite club, and the name search")
                               : QStringLiteral("not sent: the doctor advises it to the DBA"),
                           createIndexStatement(index, dialect)});
    }
    return entries;
}

const StatementFamily kIndexes{&indexEntries};

// Runs one catalogue query with a value bound to :name.
Status listIndexes(QSqlQuery& query, const QString& sql, const char* name, const QString& value) {
    noteStatement(sql);
    query.prepare(sql);
    query.bindValue(QLatin1Char(':') + QLatin1String(name), value);
    if (!query.exec()) {
        return Error{QStringLiteral("cannot read the index catalogue for %1: %2")
                         .arg(value, query.lastError().text())};
    }
    return Status::success();
}

Result<IndexKeys> sqliteIndexKeys(const QSqlDatabase& db, const QString& table) {
    QSqlQuery names(db);
    const Dialect sqlite(Dialect::Kind::Sqlite);
    if (Status listed = listIndexes(names, kIndexesOfTable.text(sqlite), "TABLE", table);
        !listed.ok()) {
        return listed.error();
    }
    IndexKeys keys;
    while (names.next()) {
        QSqlQuery info(db);
        if (Status read =
                listIndexes(info, kIndexColumns.text(sqlite), "INDEX", names.value(0).toString());
            !read.ok()) {
            return read.error();
        }
        std::map<int, KeyColumn> ordered; // seqno, cid, name, desc, coll, key
        while (info.next()) {
            if (info.value(5).toInt() == 1) {
                ordered[info.value(0).toInt()] = {info.value(2).toString(),
                                                  info.value(4).toString()};
            }
        }
        std::vector<KeyColumn> columns;
        for (const auto& [position, column] : ordered) {
            columns.push_back(column);
        }
        keys.push_back(std::move(columns));
    }
    return keys;
}

Result<IndexKeys> sqlServerIndexKeys(const QSqlDatabase& db, const QString& table) {
    QSqlQuery query(db);
    if (Status listed = listIndexes(query, kIndexesOfTable.text(Dialect(Dialect::Kind::SqlServer)),
                                    "TABLE", table);
        !listed.ok()) {
        return listed.error();
    }
    IndexKeys keys;
    int current = -1;
    while (query.next()) {
        if (query.value(0).toInt() != current) {
            current = query.value(0).toInt();
            keys.emplace_back();
        }
        keys.back().push_back({query.value(1).toString(), QString()});
    }
    return keys;
}

bool serves(const std::vector<KeyColumn>& existing, const LookupIndex& needed, bool sqlite) {
    if (existing.size() < static_cast<std::size_t>(needed.columns.size())) {
        return false;
    }
    for (qsizetype i = 0; i < needed.columns.size(); ++i) {
        const KeyColumn& column = existing[static_cast<std::size_t>(i)];
        if (column.name.compare(needed.columns.at(i), Qt::CaseInsensitive) != 0) {
            return false;
        }
        if (sqlite && i == 0 && needed.firstWithoutCase &&
            column.collation.compare(QLatin1String("NOCASE"), Qt::CaseInsensitive) != 0) {
            return false;
        }
    }
    return true;
}

bool hasTable(const QStringList& tables, const QString& table) {
    for (const QString& existing : tables) {
        if (existing.compare(table, Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    return false;
}

} // namespace

const std::vector<LookupIndex>& lookupIndexes() {
    static const std::vector<LookupIndex> list = buildList();
    return list;
}

QString createIndexStatement(const LookupIndex& index, const Dialect& dialect) {
    QStringList keys = index.columns;
    if (dialect.isSqlite() && index.firstWithoutCase) {
        keys.first() += QStringLiteral(" COLLATE NOCASE");
    }
    return QStringLiteral("CREATE INDEX %1%2 ON %3 (%4)")
        .arg(dialect.isSqlite() ? QStringLiteral("IF NOT EXISTS ") : QString(), index.name,
             index.table, keys.join(QStringLiteral(", ")));
}

Result<std::vector<LookupIndex>> missingLookupIndexes(const QSqlDatabase& db,
                                                      const Dialect& dialect) {
    const QStringList tables = db.tables();
    std::map<QString, IndexKeys> keysOf; // per table, read once
    std::vector<LookupIndex> missing;
    for (const LookupIndex& index : lookupIndexes()) {
        if (!hasTable(tables, index.table)) {
            continue;
        }
        const QString key = index.table.toLower();
        if (!keysOf.contains(key)) {
            auto keys = dialect.isSqlite() ? sqliteIndexKeys(db, index.table)
                                           : sqlServerIndexKeys(db, index.table);
            if (!keys.ok()) {
                return keys.error();
            }
            keysOf.emplace(key, std::move(keys.value()));
        }
        bool served = false;
        for (const auto& existing : keysOf.at(key)) {
            served = served || serves(existing, index, dialect.isSqlite());
        }
        if (!served) {
            missing.push_back(index);
        }
    }
    return missing;
}

} // namespace orvalen::store
