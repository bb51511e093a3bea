#include "shell/exception_log.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QStandardPaths>

namespace orvalen::shell {

QByteArray exceptionLogLine(const QDateTime& when, const QString& message) {
    QString stamp = when.date().toString(QStringLiteral("dd/MM/yyyy"));
    if (when.time() != QTime(0, 0)) {
        stamp += QLatin1Char(' ') + when.time().toString(QStringLiteral("HH:mm:ss"));
    }
    // Linux's own code page is UTF-8; a log read on the PC itself shows its accents.
    return (stamp + QLatin1Char(':') + message).toUtf8() + "\r\n";
}

QString exceptionLogPath(const QString& executablePath, const QString& configuredPath) {
    const QFileInfo executable(executablePath);
    const QString base =
        executable.suffix().isEmpty() ? executable.fileName() : executable.completeBaseName();
    const QString beside = executable.dir().filePath(base + QStringLiteral(".log"));
    if (QFileInfo(executable.absolutePath()).isWritable()) {
        return beside;
    }
    if (!configuredPath.isEmpty()) {
        return configuredPath;
    }
    const QString own = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return QDir(own).filePath(QStringLiteral("orvalen/") + base + QStringLiteral(".log"));
}

ExceptionLogFile::ExceptionLogFile(QString path, Now now)
    : path_(std::move(path)), now_(std::move(now)) {}

void ExceptionLogFile::record(const QString& message) {
    // The copy's refresher records from a thread of its own.
    static QMutex writing;
    const QMutexLocker hold(&writing);
    QDir().mkpath(QFileInfo(path_).absolutePath());
    QFile file(path_);
    // The log is the last resort: if it cannot be written there is nowhere left to say so.
    if (file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        file.write(exceptionLogLine(now_(), message));
    }
}

} // namespace orvalen::shell
