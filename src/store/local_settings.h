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
//   [ports]    COM3=/dev/ttyUSB0   278=/dev/parport1   378=/dev/port
//   [devices]  port_output=/dev/port   converter=/dev/usblpt0   fingerprint_virtual=PATH
//   [log]      path=/var/log/orvalen/orvalen-terminal.log
//   [contingency] enabled=yes  copy=PATH  refresh_minutes=5  max_age_hours=24  photos=yes

// Whether the terminal keeps deciding from a local copy of the club database while the
// database is away, and how that copy is kept.
struct ContingencySettings {
    bool enabled = false;
    QString copyPath; // absolute; by default contingency-copy.db in the data-link folder
    int refreshMinutes = 5;
    int maxAgeHours = 24;
    bool photos = true;
    // A value that could not be read, naming the setting and the value. The terminal then
    // keeps contingency off: a half-understood setting must not decide who gets in.
    QString problem;
};

struct LocalSettings {
    QString folder; // the data-link folder
    QString odbcDriver = QStringLiteral("FreeTDS");
    // The protocol version FreeTDS speaks: 7.3 and later read date and datetime2 as dates.
    QString tdsVersion = QStringLiteral("7.4");
    QMap<QString, QString> ports; // "COM3" -> "/dev/ttyUSB0", "278" -> "/dev/parport1"
    // The raw port file: a parallel address mapped to it is written as one byte at the
    // address's offset instead of through the parallel-port driver.
    QString portOutputDevice = QStringLiteral("/dev/port");
    // Empty: the converter's name maps like a port; "simulated": a converter in memory, for
    // demonstrations without the device.
    QString converterDevice;
    QString exceptionLogPath; // empty: beside the executable
    // The socket of a virtual fingerprint reader fed whole images (demonstrations); relative
    // paths are in the data-link folder. Empty: only real readers.
    QString virtualFingerReader;
    ContingencySettings contingency;

    // Reads terminal.ini of the folder; a missing file gives the defaults.
    static Result<LocalSettings> load(const QString& folder);

    // COMn -> the mapped device, or /dev/ttyS(n-1).
    QString deviceForPort(const QString& portName) const;
    // A parallel port's I/O address in hexadecimal digits ("378", "$378" or "0x378") -> the
    // mapped device; 378 is /dev/parport0 unless mapped. Empty for an address neither
    // mapped nor known.
    QString deviceForParallelAddress(const QString& address) const;
    // The converter named by the settings (Sacvar.ROLETA) -> [devices] converter=, or the
    // name mapped like a port when that is not set.
    QString deviceForConverter(const QString& name) const;
    QString filePath(const QString& name) const;
};

// A parallel address as the port map keys it ("$378", "0x0378" -> "378"); empty when the
// text is not a hexadecimal number.
QString portAddressKey(const QString& address);

// The data-link folder: --datalink-dir DIR, else ORVALEN_DATALINK_DIR, else /etc/orvalen.
QString dataLinkFolder(const QStringList& arguments);

} // namespace orvalen::store
