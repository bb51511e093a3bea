#pragma once

#include "store/error_log.h"

#include <QDateTime>
#include <QString>
#include <functional>

namespace orvalen::shell {

// One line of the exception log: date and time ("dd/MM/yyyy HH:mm:ss", the time left out at
// exactly midnight), a colon with no blank after it, the message, CR LF.
QByteArray exceptionLogLine(const QDateTime& when, const QString& message);

// Where the log goes: the executable's path with its extension replaced by ".log" when that
// folder is writable; otherwise the configured path; otherwise the user's own data folder,
// so that an error is never lost for want of a place to write it.
QString exceptionLogPath(const QString& executablePath, const QString& configuredPath);

// The application's exception log: every error is appended as one line; the file is
// created when missing and never truncated. Nothing is shown on screen.
class ExceptionLogFile : public store::ErrorLog {
public:
    using Now = std::function<QDateTime()>;

    explicit ExceptionLogFile(QString path, Now now = &QDateTime::currentDateTime);

    const QString& path() const { return path_; }
    void record(const QString& message) override;

private:
    QString path_;
    Now now_;
};

} // namespace orvalen::shell
