#include "contingency/copy_file.h"

#include <QAtomicInt>
#include <QFileInfo>

namespace orvalen::contingency {

namespace {

QString uniqueName(const QString& stem) {
    static QAtomicInt counter;
    return QStringLiteral("%1-%2").arg(stem).arg(counter.fetchAndAddRelaxed(1));
}

} // namespace

store::Result<std::unique_ptr<store::ClubConnection>> openCopy(const QString& path,
                                                               const QString& connectionName) {
    store::ConnectionSpec spec{QStringLiteral("QSQLITE"),
                               path,
                               store::Dialect(store::Dialect::Kind::Sqlite),
                               QStringLiteral("the contingency copy"),
                               QString(),
                               0};
    auto copy = std::make_unique<store::ClubConnection>(spec, connectionName);
    if (const store::Status opened = copy->open(); !opened.ok()) {
        return opened.error();
    }
    // A write-ahead log is kept beside the file under its name: a refresh renaming a new
    // copy into place would inherit the old one's. The rollback journal lives only while
    // a write runs.
    copy->execute(QStringLiteral("PRAGMA journal_mode = DELETE"));
    return copy;
}

store::Result<CopyInfo> readCopyInfo(const store::ClubConnection& copy, const QString& path) {
    auto stamp = copy.fetchAll(kReadCopyStamp);
    if (!stamp.ok() || stamp->size() != 1) {
        return store::Error{
            QStringLiteral("the contingency copy %1 is not a complete copy%2")
                .arg(path, stamp.ok() ? QString() : QStringLiteral(": ") + stamp.error().message)};
    }
    CopyInfo info;
    info.takenAt = QDateTime::fromString(stamp->front().value(0).toString(), Qt::ISODateWithMs);
    info.terminal = stamp->front().value(1).toString();
    if (!info.takenAt.isValid()) {
        return store::Error{
            QStringLiteral("the contingency copy %1 does not say when it was taken").arg(path)};
    }
    auto waiting = copy.fetchAll(kCountWaiting);
    if (!waiting.ok()) {
        return waiting.error();
    }
    info.waiting = waiting->front().value(0).toInt();
    info.bytes = QFileInfo(path).size();
    return info;
}

store::Result<CopyInfo> readCopyInfo(const QString& path) {
    auto copy = openCopy(path, uniqueName(QStringLiteral("contingency-info")));
    if (!copy.ok()) {
        return copy.error();
    }
    return readCopyInfo(*copy.value(), path);
}

bool youngEnough(const QDateTime& takenAt, const QDateTime& now, int maxAgeHours) {
    return takenAt.isValid() && takenAt <= now.addSecs(60) &&
           takenAt.secsTo(now) < static_cast<qint64>(maxAgeHours) * 3600;
}

} // namespace orvalen::contingency
