#pragma once

#include <QHostAddress>
#include <QString>
#include <QTextStream>

namespace orvalen::monitor {

struct MonitorSettings {
    QString folder; // the data links
    QHostAddress address = QHostAddress::LocalHost;
    quint16 port = 8470;
};

// Opens the club database read-only, serves the desk page until the process is stopped;
// the log of logins and releases goes to out. 1, after saying why on err, when the database
// or the address cannot be used.
int runMonitor(const MonitorSettings& settings, QTextStream& out, QTextStream& err);

} // namespace orvalen::monitor
