#include "app/terminal/file_error_log.h"

#include <QDateTime>
#include <QFile>
#include <QTextStream>

namespace orvalen::app {

void FileErrorLog::record(const QString& message) {
    QFile file(path_);
    if (!file.open(QIODevice::Append | QIODevice::Text)) {
        return;
    }
    QTextStream out(&file);
    out << QDateTime::currentDateTime().toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")) << ' '
        << message << '\n';
}

} // namespace orvalen::app
