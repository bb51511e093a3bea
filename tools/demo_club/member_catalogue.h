#pragma once

#include "demo_club/club_plan.h"
#include "store/result.h"

#include <QDate>
#include <QList>
#include <QString>

namespace orvalen::demo {

inline constexpr auto kCatalogueFile = "demo-members.txt";

// The human-readable list of who to try at the terminal:
//
//   operator 01 password 1234 (Operador Demo)
//   visitor 0000999999
//
//   [paid]
//   0000010001  Name: what is special -> "what the terminal shows"
//
// A section per situation, one line per number: the ten digits, two blanks, the text.
QString catalogueText(const QList<CatalogueEntry>& entries, const QDate& businessDate);

store::Status writeCatalogue(const QString& file, const QList<CatalogueEntry>& entries,
                             const QDate& businessDate);

// Reads the sections back: situation -> numbers, in file order.
QList<CatalogueEntry> readCatalogue(const QString& text);

} // namespace orvalen::demo
