#pragma once

#include <QDate>
#include <QRandomGenerator>
#include <QString>

namespace orvalen::demo {

// A plausible Brazilian Portuguese full name of at most 35 characters, the width of NOME.
QString portugueseName(QRandomGenerator& random);

// A random date between the two dates, both included.
QDate dateBetween(QRandomGenerator& random, const QDate& first, const QDate& last);

} // namespace orvalen::demo
