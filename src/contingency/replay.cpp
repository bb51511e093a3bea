#include "contingency/replay.h"

#include "contingency/change_text.h"
#include "contingency/ledger.h"
#include "store/db_values.h"
#include "store/schema.h"

#include <QElapsedTimer>
#include <QStringList>

namespace orvalen::contingency {

namespace {

const QString kWaitingWrites =
    QStringLiteral("SELECT SEQUENCIA, TERMINAL, DECIDED_AT, CHANGE FROM ContingencyOutbox "
                   "WHERE REPLAYED = 0 ORDER BY SEQUENCIA");
const QString kMarkReplayed =
    QStringLiteral("UPDATE ContingencyOutbox SET REPLAYED = 1 WHERE SEQUENCIA = :SEQUENCIA");
const QString kNoteConflict = QStringLiteral(
    "UPDATE ContingencyLedger SET CONFLITO = :CONFLITO WHERE TERMINAL = :TERMINAL AND "
    "SEQUENCIA = :SEQUENCIA");

struct Waiting {
    qint64 sequence = 0;
    QString terminal;
    QString decidedAt;
    terminal::LogWrite change;
};

// A date column's value as the club database takes it: the copy keeps dates as text.
QVariant clubValue(const store::ClubConnection& club, const QString& table, const QString& name,
                   const QVariant& value) {
    const store::Table* schema = store::findTable(table);
    const store::Column* column = schema != nullptr ? schema->column(name) : nullptr;
    if (column == nullptr || column->type != store::ColumnType::DateTime ||
        value.metaType().id() != QMetaType::QString) {
        return value;
    }
    const QDateTime read =
        QDateTime::fromString(value.toString(), QLatin1String(store::kDateTimeTextFormat));
    return read.isValid() ? store::dateTimeValue(club.dialect(), read) : value;
}

// The row as the club database takes it, its limit dropped: the person has passed.
store::Status insertRow(const store::ClubConnection& club, const terminal::LogRow& row) {
    terminal::LogRow converted{row.table, {}, std::nullopt};
    for (const auto& [name, value] : row.columns) {
        converted.columns.emplace_back(name, clubValue(club, row.table, name, value));
    }
    int inserted = 0;
    return terminal::insertLogRow(club, converted, inserted);
}

QString tablesOf(const terminal::LogWrite& change) {
    QStringList tables;
    for (const terminal::LogStatement& statement : change.statements) {
        tables << statement.table;
    }
    for (const terminal::LogRow& row : change.rows) {
        tables << row.table;
    }
    tables.removeDuplicates();
    return tables.join(QLatin1Char(','));
}

QString memberOf(const terminal::LogWrite& change) {
    for (const terminal::LogRow& row : change.rows) {
        const QVariant number = row.value(QStringLiteral("MATRICULA"));
        if (!number.isNull()) {
            return number.toString();
        }
    }
    return {};
}

// One write and its ledger key in one transaction; `conflict` says which release was gone.
store::Status replayOne(const store::ClubConnection& club, const Waiting& write,
                        const QDateTime& now, QString& conflict) {
    return club.inTransaction([&]() -> store::Status {
        auto keyed =
            club.execute(kInsertLedger.text(club.dialect()),
                         {{QStringLiteral(":TERMINAL"), write.terminal},
                          {QStringLiteral(":SEQUENCIA"), write.sequence},
                          {QStringLiteral(":DECIDED_AT"), write.decidedAt},
                          {QStringLiteral(":REPLAYED_AT"), now.toString(Qt::ISODateWithMs)},
                          {QStringLiteral(":TABELAS"), tablesOf(write.change)},
                          {QStringLiteral(":MATRICULA"), memberOf(write.change)},
                          {QStringLiteral(":CONFLITO"), QVariant(QMetaType(QMetaType::QString))}});
        if (!keyed.ok()) {
            return keyed.error();
        }
        for (const terminal::LogStatement& statement : write.change.statements) {
            auto ran = club.execute(statement.sql, statement.bindings);
            if (!ran.ok()) {
                return ran.error();
            }
            // The person passed on the release: the rows stay, the conflict is told.
            if (statement.mustChangeRow && ran->numRowsAffected() == 0) {
                conflict = QStringLiteral("%1 of %2 was used at another turnstile while the "
                                          "database was away")
                               .arg(statement.table, memberOf(write.change));
            }
        }
        for (const terminal::LogRow& row : write.change.rows) {
            if (store::Status inserted = insertRow(club, row); !inserted.ok()) {
                return inserted;
            }
        }
        if (!conflict.isEmpty()) {
            auto noted =
                club.execute(kNoteConflict, {{QStringLiteral(":CONFLITO"), conflict},
                                             {QStringLiteral(":TERMINAL"), write.terminal},
                                             {QStringLiteral(":SEQUENCIA"), write.sequence}});
            if (!noted.ok()) {
                return noted.error();
            }
        }
        return store::Status::success();
    });
}

store::Result<std::vector<Waiting>> waitingWrites(const store::ClubConnection& copy) {
    auto rows = copy.fetchAll(kWaitingWrites);
    if (!rows.ok()) {
        return rows.error();
    }
    std::vector<Waiting> writes;
    for (const QSqlRecord& row : rows.value()) {
        auto change = changeFromText(row.value(3).toString());
        if (!change.ok()) {
            return change.error();
        }
        writes.push_back({row.value(0).toLongLong(), row.value(1).toString(),
                          row.value(2).toString(), std::move(change).value()});
    }
    return writes;
}

} // namespace

store::Result<ReplayFigures> replayOutbox(const store::ClubConnection& club,
                                          const store::ClubConnection& copy, store::ErrorLog& log,
                                          const QDateTime& now) {
    QElapsedTimer clock;
    clock.start();
    if (store::Status ledger = ensureLedger(club); !ledger.ok()) {
        return ledger.error();
    }
    auto writes = waitingWrites(copy);
    if (!writes.ok()) {
        return writes.error();
    }
    ReplayFigures figures;
    figures.waiting = static_cast<int>(writes->size());
    for (const Waiting& write : writes.value()) {
        QString conflict;
        const store::Status replayed = replayOne(club, write, now, conflict);
        if (replayed.ok()) {
            ++figures.replayed;
            if (!conflict.isEmpty()) {
                ++figures.conflicts;
                log.record(conflict);
            }
        } else {
            // Refused because another replay holds the key already, or for a reason that
            // stops this replay here.
            auto held = ledgerHas(club, write.terminal, write.sequence);
            if (!held.ok() || !held.value()) {
                figures.milliseconds = clock.elapsed();
                return store::Error{QStringLiteral("the write %1/%2 waiting since %3 was not "
                                                   "replayed: %4")
                                        .arg(write.terminal)
                                        .arg(write.sequence)
                                        .arg(write.decidedAt, replayed.error().message)};
            }
            ++figures.already;
        }
        copy.execute(kMarkReplayed, {{QStringLiteral(":SEQUENCIA"), write.sequence}});
        --figures.waiting;
    }
    figures.milliseconds = clock.elapsed();
    return figures;
}

} // namespace orvalen::contingency
