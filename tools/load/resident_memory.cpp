#include "load/resident_memory.h"

#include <QFile>

namespace orvalen::load {

long residentKilobytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    // A /proc file has no size: read it whole rather than to an end it does not report.
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) {
            bool ok = false;
            const long kilobytes = line.mid(6).trimmed().split(' ').value(0).toLong(&ok);
            return ok ? kilobytes : -1;
        }
    }
    return -1;
}

} // namespace orvalen::load
