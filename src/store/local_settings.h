#pragma once

#include "store/result.h"

#include <QMap>
#include <QString>
#include <QStringList>

namespace orvalen::store {

// What Linux needs and the club database cannot hold: terminal.ini in the data-link
// folder. Every key is optional.
//
//   [database] odbc_driver=FreeTDS   tds_version=7.4
//   [ports]    COM3=/dev/ttyUSB0
//   [devices]  port_output=/dev/port   converter=/dev/usblpt0
//   [log]      path=/var/log/orvalen/orvalen-terminal.log
struct LocalSettings {
    QString folder; // the data-link folder
    QString odbcDriver = QStringLiteral("FreeTDS");
    // The protocol version FreeTDS speaks: 7.3 and later read date and datetime2 as dates.
    QString tdsVersion = QStringLiteral("7.4");
    QMap<QString, QString> ports; // "COM3" -> "/dev/ttyUSB0"
    QString portOutputDevice = QStringLiteral("/dev/port");
    QString converterDevice;  // empty: the converter's name maps like a port
    QString exceptionLogPath; // empty: beside the executable

    // Reads terminal.ini of the folder; a missing file gives the defaults.
    static Result<LocalSettings> load(const QString& folder);

    // COMn -> the mapped device, or /dev/ttyS(n-1).
    QString deviceForPort(const QString& portName) const;
    QString filePath(const QString& name) const;
};

// The data-link folder: --datalink-dir DIR, else ORVALEN_DATALINK_DIR, else /etc/orvalen.
QString dataLinkFolder(const QStringList& arguments);

} // namespace orvalen::store
