#pragma once

#include "store/connection.h"
#include "store/result.h"

#include <QDateTime>
#include <QString>
#include <memory>

namespace orvalen::contingency {

// What the copy holds beside the club's tables: when it was taken and under which terminal
// key its outbox rows go, and the outbox itself.
inline constexpr auto kCopyTable = "ContingencyCopy";
inline constexpr auto kOutboxTable = "ContingencyOutbox";

const QString kCreateCopyTable =
    QStringLiteral("CREATE TABLE ContingencyCopy (TAKEN_AT TEXT NOT NULL, TERMINAL TEXT NOT NULL)");
const QString kCreateOutboxTable =
    QStringLiteral("CREATE TABLE ContingencyOutbox (SEQUENCIA INTEGER PRIMARY KEY AUTOINCREMENT, "
                   "TERMINAL TEXT NOT NULL, DECIDED_AT TEXT NOT NULL, CHANGE TEXT NOT NULL, "
                   "REPLAYED INTEGER NOT NULL DEFAULT 0)");
const QString kReadCopyStamp = QStringLiteral("SELECT TAKEN_AT, TERMINAL FROM ContingencyCopy");
const QString kCountWaiting =
    QStringLiteral("SELECT COUNT(*) FROM ContingencyOutbox WHERE REPLAYED = 0");

// What `status`, the doctor and the switch need to know about a copy file.
struct CopyInfo {
    QDateTime takenAt;
    QString terminal;
    qint64 bytes = 0;
    int waiting = 0; // outbox rows not yet in the club database
};

// Opens an existing copy for reading and writing; a missing file is an error, never a new
// empty copy.
store::Result<std::unique_ptr<store::ClubConnection>> openCopy(const QString& path,
                                                               const QString& connectionName);

store::Result<CopyInfo> readCopyInfo(const store::ClubConnection& copy, const QString& path);

// readCopyInfo on a connection of its own, closed again.
store::Result<CopyInfo> readCopyInfo(const QString& path);

// Whether a copy taken at `takenAt` may still decide at `now`.
bool youngEnough(const QDateTime& takenAt, const QDateTime& now, int maxAgeHours);

} // namespace orvalen::contingency
