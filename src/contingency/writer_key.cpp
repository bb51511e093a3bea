#include "contingency/writer_key.h"

#include <QSysInfo>
#include <QUuid>

namespace orvalen::contingency {

QString newWriterKey() {
    return QSysInfo::machineHostName().left(20) + QLatin1Char('-') +
           QUuid::createUuid().toString(QUuid::Id128).left(12);
}

} // namespace orvalen::contingency
