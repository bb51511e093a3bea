#include "store/sqlserver_check.h"

#include "store/lookup_indexes.h"
#include "store/schema.h"

#include <QStringList>

namespace orvalen::store {

namespace {

// The server types whose values the terminal reads as the declared type.
QString acceptedTypes(ColumnType type) {
    switch (type) {
    case ColumnType::Text:
    case ColumnType::Ansi:
    case ColumnType::Memo:
        return QStringLiteral("nvarchar,nchar,varchar,char,ntext,text");
    case ColumnType::Int16:
    case ColumnType::Int32:
    case ColumnType::Identity:
        return QStringLiteral("tinyint,smallint,int,bigint,numeric,decimal");
    case ColumnType::Float:
    case ColumnType::Money:
        return QStringLiteral("float,real,money,smallmoney,numeric,decimal,tinyint,smallint,int,"
                              "bigint");
    case ColumnType::Bool:
        return QStringLiteral("bit,tinyint,smallint,int");
    case ColumnType::DateTime:
    case ColumnType::Date:
        return QStringLiteral("datetime,smalldatetime,datetime2,date");
    case ColumnType::Blob:
        return QStringLiteral("image,varbinary,binary");
    }
    return {};
}

QString quoted(const QString& text) {
    return QStringLiteral("N'%1'").arg(
        QString(text).replace(QLatin1Char('\''), QStringLiteral("''")));
}

QString columnRows() {
    QStringList rows;
    for (const Table& table : clubSchema()) {
        for (const Column& column : table.columns) {
            rows << QStringLiteral("    (%1, %2, %3, %4, %5)")
                        .arg(quoted(table.name), quoted(column.name),
                             quoted(declaredType(column, Dialect(Dialect::Kind::SqlServer))),
                             quoted(acceptedTypes(column.type)))
                        .arg(column.type == ColumnType::Text || column.type == ColumnType::Ansi
                                 ? column.size
                                 : 0);
        }
    }
    return rows.join(QStringLiteral(",\n"));
}

QString indexRows() {
    QStringList rows;
    for (const LookupIndex& index : lookupIndexes()) {
        rows << QStringLiteral("    (%1, %2, %3)")
                    .arg(quoted(index.name), quoted(index.table),
                         quoted(createIndexStatement(index, Dialect(Dialect::Kind::SqlServer))));
    }
    return rows.join(QStringLiteral(",\n"));
}

QString indexColumnRows() {
    QStringList rows;
    for (const LookupIndex& index : lookupIndexes()) {
        for (qsizetype i = 0; i < index.columns.size(); ++i) {
            rows << QStringLiteral("    (%1, %2, %3)")
                        .arg(quoted(index.name))
                        .arg(i + 1)
                        .arg(quoted(index.columns.at(i)));
        }
    }
    return rows.join(QStringLiteral(",\n"));
}

constexpr auto kScript =
    R"(-- What the access terminal expects of the club's database: every table and column it
-- reads or writes, with a type it can read, and the indexes its lookups need.
-- Read-only: run it in sqlcmd or Management Studio on the club's database (the system
-- views are spelled as a case-sensitive collation needs them). `orvalen
-- doctor` makes the same checks over the terminal's own connection.
-- Made by `orvalen statements --check-script`; do not edit by hand.

SET NOCOUNT ON;

DECLARE @expected_columns TABLE (
    table_name SYSNAME,
    column_name SYSNAME,
    declared_type NVARCHAR(40),
    accepted_types NVARCHAR(200),
    declared_length INT
);

INSERT INTO @expected_columns (
    table_name, column_name, declared_type, accepted_types, declared_length
)
VALUES
%1;

-- One row per expected column: ok, or what is wrong with it.
SELECT
    e.table_name,
    e.column_name,
    e.declared_type,
    c.DATA_TYPE AS found_type,
    c.CHARACTER_MAXIMUM_LENGTH AS found_length,
    CASE
        WHEN t.TABLE_NAME IS NULL THEN 'table missing'
        WHEN c.COLUMN_NAME IS NULL THEN 'column missing'
        WHEN
            CHARINDEX(',' + c.DATA_TYPE + ',', ',' + e.accepted_types + ',') = 0
            THEN 'type the terminal cannot read'
        WHEN
            e.declared_length > 0
            AND c.CHARACTER_MAXIMUM_LENGTH > 0
            AND c.CHARACTER_MAXIMUM_LENGTH < e.declared_length
            THEN 'shorter than the terminal writes'
        ELSE 'ok'
    END AS verdict
FROM @expected_columns AS e
LEFT JOIN INFORMATION_SCHEMA.TABLES AS t
    ON t.TABLE_NAME = e.table_name
LEFT JOIN INFORMATION_SCHEMA.COLUMNS AS c
    ON c.TABLE_NAME = e.table_name AND c.COLUMN_NAME = e.column_name
ORDER BY e.table_name, e.column_name;

DECLARE @expected_indexes TABLE (
    index_name SYSNAME,
    table_name SYSNAME,
    create_statement NVARCHAR(400)
);

INSERT INTO @expected_indexes (index_name, table_name, create_statement)
VALUES
%2;

DECLARE @expected_index_columns TABLE (
    index_name SYSNAME,
    key_position INT,
    column_name SYSNAME
);

INSERT INTO @expected_index_columns (index_name, key_position, column_name)
VALUES
%3;

-- One row per index a lookup needs: present when some index of the table starts with
-- its columns in order; otherwise the statement that makes it.
SELECT
    n.table_name,
    n.index_name,
    CASE
        WHEN OBJECT_ID(n.table_name) IS NULL THEN 'table missing'
        WHEN EXISTS (
            SELECT 1
            FROM sys.indexes AS i
            WHERE
                i.object_id = OBJECT_ID(n.table_name)
                AND NOT EXISTS (
                    SELECT 1
                    FROM @expected_index_columns AS k
                    WHERE
                        k.index_name = n.index_name
                        AND NOT EXISTS (
                            SELECT 1
                            FROM sys.index_columns AS ic
                            INNER JOIN sys.columns AS c
                                ON
                                    c.object_id = ic.object_id
                                    AND c.column_id = ic.column_id
                            WHERE
                                ic.object_id = i.object_id
                                AND ic.index_id = i.index_id
                                AND ic.key_ordinal = k.key_position
                                AND c.name = k.column_name
                        )
                )
        ) THEN 'present'
        ELSE 'missing: ' + n.create_statement
    END AS verdict
FROM @expected_indexes AS n
ORDER BY n.table_name, n.index_name;
)";

} // namespace

QString sqlServerCheckScript() {
    return QString::fromLatin1(kScript).arg(columnRows(), indexRows(), indexColumnRows());
}

} // namespace orvalen::store
