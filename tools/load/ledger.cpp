#include "load/ledger.h"

namespace orvalen::load {

QString ledgerLine(const RowKey& key) {
    return key.table + QLatin1Char('\t') + key.matricula + QLatin1Char('\t') + key.status;
}

QStringList addLedger(const QString& text, RowCounts& counts) {
    QStringList unreadable;
    for (const QString& line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QStringList fields = line.split(QLatin1Char('\t'));
        if (fields.size() != 3 || fields[0].isEmpty()) {
            unreadable << line;
            continue;
        }
        ++counts[RowKey{fields[0], fields[1], fields[2]}];
    }
    return unreadable;
}

} // namespace orvalen::load
