#include "contingency/copy_refresh.h"

#include "contingency/copy_file.h"
#include "contingency/copy_selection.h"
#include "contingency/writer_key.h"
#include "store/db_values.h"
#include "store/schema.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <cstdio>
#include <mutex>

namespace orvalen::contingency {

namespace {

const QString kInsertCopyStamp = QStringLiteral(
    "INSERT INTO ContingencyCopy (TAKEN_AT, TERMINAL) VALUES (:TAKEN_AT, :TERMINAL)");
const QString kAttachPrevious = QStringLiteral("ATTACH DATABASE :FILE AS previous");
const QString kCarryWaiting = QStringLiteral(
    "INSERT INTO ContingencyOutbox (SEQUENCIA, TERMINAL, DECIDED_AT, CHANGE, REPLAYED) "
    "SELECT SEQUENCIA, TERMINAL, DECIDED_AT, CHANGE, 0 FROM previous.ContingencyOutbox "
    "WHERE REPLAYED = 0");

// A date from the club in the copy's one text form; SQLite clubs already give that text.
QVariant copyValue(const store::Column& column, const QVariant& value) {
    static const store::Dialect sqlite(store::Dialect::Kind::Sqlite);
    if (value.isNull()) {
        return value;
    }
    if (column.type == store::ColumnType::DateTime || column.type == store::ColumnType::Date) {
        if (value.metaType().id() == QMetaType::QDateTime) {
            return store::dateTimeValue(sqlite, value.toDateTime());
        }
        if (value.metaType().id() == QMetaType::QDate) {
            return store::dateTimeValue(sqlite, QDateTime(value.toDate(), QTime(0, 0)));
        }
    }
    return value;
}

store::Status fail(const QString& what, const QSqlQuery& query) {
    return store::Error{QStringLiteral("%1: %2").arg(what, store::describeError(query))};
}

// Copies the kept rows of one table; `rows` counts them.
store::Status copyTable(const store::ClubConnection& club, QSqlDatabase& copy,
                        const TableSelection& selection, const QDate& since, qint64& rows) {
    const store::Table* table = store::findTable(selection.table);
    store::Bindings bindings;
    if (selection.where.contains(QLatin1String(":DESDE"))) {
        bindings.emplace_back(QStringLiteral(":DESDE"),
                              store::dateTimeValue(club.dialect(), QDateTime(since, QTime(0, 0))));
    }
    auto source = club.execute(selectStatement(selection), bindings);
    if (!source.ok()) {
        return store::Error{
            QStringLiteral("cannot read %1: %2").arg(selection.table, source.error().message)};
    }
    QStringList markers;
    for (int i = 0; i < static_cast<int>(table->columns.size()); ++i) {
        markers << QStringLiteral("?");
    }
    QSqlQuery insert(copy);
    if (!insert.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                            .arg(table->name, table->columnNames().join(QStringLiteral(", ")),
                                 markers.join(QStringLiteral(", "))))) {
        return fail(QStringLiteral("cannot write %1 into the copy").arg(table->name), insert);
    }
    while (source->next()) {
        for (int i = 0; i < static_cast<int>(table->columns.size()); ++i) {
            insert.bindValue(
                i, copyValue(table->columns[static_cast<std::size_t>(i)], source->value(i)));
        }
        if (!insert.exec()) {
            return fail(QStringLiteral("cannot write %1 into the copy").arg(table->name), insert);
        }
        ++rows;
    }
    return store::Status::success();
}

store::Status run(QSqlDatabase& copy, const QString& sql, const store::Bindings& bindings = {}) {
    QSqlQuery query(copy);
    query.prepare(sql);
    for (const auto& [name, value] : bindings) {
        query.bindValue(name, value);
    }
    if (!query.exec()) {
        return fail(QStringLiteral("cannot prepare the copy"), query);
    }
    return store::Status::success();
}

// Everything of the new copy, in the file `path`.
store::Status buildCopy(const store::ClubConnection& club, QSqlDatabase& copy,
                        const store::ContingencySettings& settings, const QDateTime& now,
                        RefreshFigures& figures) {
    static const store::Dialect sqlite(store::Dialect::Kind::Sqlite);
    // The file is written once and renamed: a journal would only slow it down.
    run(copy, QStringLiteral("PRAGMA journal_mode = OFF"));
    run(copy, QStringLiteral("PRAGMA synchronous = OFF"));
    if (store::Status made = store::createSchema(copy, sqlite); !made.ok()) {
        return made;
    }
    for (const QString& ddl : {kCreateCopyTable, kCreateOutboxTable}) {
        if (store::Status made = run(copy, ddl); !made.ok()) {
            return made;
        }
    }
    if (!copy.transaction()) {
        return store::Error{copy.lastError().text()};
    }
    const QDate since = now.date().addDays(-1);
    for (const TableSelection& selection : copySelection(settings.photos)) {
        if (store::Status copied = copyTable(club, copy, selection, since, figures.rows);
            !copied.ok()) {
            copy.rollback();
            return copied;
        }
    }
    if (store::Status stamped = run(copy, kInsertCopyStamp,
                                    {{QStringLiteral(":TAKEN_AT"), now.toString(Qt::ISODateWithMs)},
                                     {QStringLiteral(":TERMINAL"), newWriterKey()}});
        !stamped.ok()) {
        copy.rollback();
        return stamped;
    }
    if (!copy.commit()) {
        return store::Error{copy.lastError().text()};
    }
    return store::Status::success();
}

// The writes still waiting in the copy about to be replaced; `carried` counts them.
void carryWaiting(QSqlDatabase& copy, const QString& previous, int& carried) {
    if (!QFileInfo::exists(previous)) {
        return;
    }
    // An old copy that cannot be read has nothing to carry; its rows were never readable.
    if (run(copy, kAttachPrevious, {{QStringLiteral(":FILE"), previous}}).ok()) {
        QSqlQuery carry(copy);
        if (carry.exec(kCarryWaiting)) {
            carried = carry.numRowsAffected();
        }
        run(copy, QStringLiteral("DETACH DATABASE previous"));
    }
}

// The half-built copies that refreshes killed on their way left beside the copy: each
// file carries its builder's process number, and one whose process is gone is removed.
void removeLeftoverRefreshes(const QString& copyPath) {
    const QFileInfo copy(copyPath);
    const QString prefix = copy.fileName() + QStringLiteral(".new-");
    const QDir folder = copy.absoluteDir();
    const QStringList left = folder.entryList({prefix + QLatin1Char('*')}, QDir::Files);
    for (const QString& name : left) {
        const QString pid = name.mid(prefix.size()).section(QLatin1Char('-'), 0, 0);
        if (!pid.isEmpty() && !QFileInfo::exists(QStringLiteral("/proc/") + pid)) {
            QFile::remove(folder.filePath(name));
        }
    }
}

} // namespace

store::Result<RefreshFigures> refreshCopy(const store::ClubConnection& club,
                                          const store::ContingencySettings& settings,
                                          const QDateTime& now, const ReplaceGate& gate) {
    static QAtomicInt counter;
    QElapsedTimer clock;
    clock.start();
    removeLeftoverRefreshes(settings.copyPath);
    const QString fresh = QStringLiteral("%1.new-%2-%3")
                              .arg(settings.copyPath)
                              .arg(QCoreApplication::applicationPid())
                              .arg(counter.fetchAndAddRelaxed(1));
    QFile::remove(fresh);
    RefreshFigures figures;
    store::Status built;
    {
        const QString name = QStringLiteral("contingency-refresh-%1").arg(counter.loadRelaxed());
        {
            QSqlDatabase copy = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            copy.setDatabaseName(fresh);
            built = copy.open() ? buildCopy(club, copy, settings, now, figures)
                                : store::Error{copy.lastError().text()};
            if (built.ok()) {
                // From the last carried write to the rename nobody writes the old copy.
                std::unique_lock<std::mutex> hold;
                if (gate.lock != nullptr) {
                    hold = std::unique_lock<std::mutex>(*gate.lock);
                }
                if (gate.mayReplace && !gate.mayReplace()) {
                    built = store::Error{QStringLiteral("the terminal is deciding from it")};
                } else {
                    carryWaiting(copy, settings.copyPath, figures.carried);
                    copy.close();
                    // rename(2) replaces the old copy in one step: a reader has the old file
                    // or the new one.
                    if (std::rename(QFile::encodeName(fresh).constData(),
                                    QFile::encodeName(settings.copyPath).constData()) != 0) {
                        built = store::Error{QStringLiteral("it cannot be replaced")};
                    }
                }
            }
            copy.close();
        }
        QSqlDatabase::removeDatabase(name);
    }
    if (!built.ok()) {
        QFile::remove(fresh);
        return store::Error{QStringLiteral("the contingency copy %1 was not refreshed: %2")
                                .arg(settings.copyPath, built.error().message)};
    }
    figures.bytes = QFileInfo(settings.copyPath).size();
    figures.milliseconds = clock.elapsed();
    return figures;
}

} // namespace orvalen::contingency
