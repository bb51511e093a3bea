#include "demo_club/installation_files.h"

#include "demo_club/demo_devices.h"

#include <QFile>
#include <QSaveFile>

namespace orvalen::demo {

namespace {

store::Status writeBytes(const QString& file, const QByteArray& bytes) {
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
        return store::Error{QStringLiteral("cannot write %1: %2").arg(file, out.errorString())};
    }
    return store::Status::success();
}

} // namespace

store::Status writeDataLinkFile(const QString& file, const QString& initString) {
    const QString text =
        QStringLiteral("[oledb]\r\n; Everything after this line is an OLE DB initstring\r\n") +
        initString + QStringLiteral("\r\n");
    QByteArray bytes("\xFF\xFE", 2);
    for (const QChar c : text) {
        bytes.append(char(c.unicode() & 0xFF));
        bytes.append(char(c.unicode() >> 8));
    }
    return writeBytes(file, bytes);
}

store::Status writeLocalSettingsFile(const QString& file, const QString& readerLine,
                                     const QString& fingerReader) {
    const char* text =
        "; Orvalen Terminal: what this PC needs that the club database cannot hold.\n"
        "; Every key is optional; remove the ';' in front of a line to change it.\n"
        "\n"
        "[database]\n"
        "; ODBC driver for SQL Server data links (Provider=SQLOLEDB.1 and the like)\n"
        ";odbc_driver=FreeTDS\n"
        "\n"
        "[ports]\n"
        "; COMn is /dev/ttyS(n-1) unless mapped here\n"
        ";COM1=/dev/ttyS0\n"
        ";COM3=/dev/ttyUSB0\n"
        "; a parallel port address (Sacvar2.ENDERECO_LPT) is /dev/parport0 for 378\n"
        ";278=/dev/parport1\n"
        "%1"
        "\n"
        "[devices]\n"
        "; raw port output of a parallel-port turnstile, and the USB-to-parallel converter\n"
        ";port_output=/dev/port\n"
        "; converter=simulated: a converter in memory, for a demonstration without one\n"
        ";converter=/dev/usblpt0\n"
        "%2"
        "\n"
        "[log]\n"
        "; exception log; empty: beside the executable\n"
        ";path=/var/log/orvalen/orvalen-terminal.log\n"
        "\n"
        "[contingency]\n"
        "; while the club database is away, decide from a local copy of it (yes or no)\n"
        "enabled=yes\n"
        ";copy=contingency-copy.db\n"
        ";refresh_minutes=5\n"
        ";max_age_hours=24\n"
        ";photos=yes\n";
    const QString ports =
        readerLine.isEmpty()
            ? QString()
            : QStringLiteral("; the demo's reader line, held by orvalen reader-sim\n%1=%2\n")
                  .arg(QLatin1String(kReaderPort), readerLine);
    const QString finger =
        fingerReader.isEmpty()
            ? QString()
            : QStringLiteral("; the demo's fingerprint reader: orvalen send finger lays a finger "
                             "on it\nfingerprint_virtual=%1\n")
                  .arg(fingerReader);
    return writeBytes(file, QString::fromUtf8(text).arg(ports, finger).toUtf8());
}

} // namespace orvalen::demo
