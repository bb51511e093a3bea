#pragma once

#include "store/result.h"

#include <QString>
#include <QStringList>

namespace orvalen::activities {

// Acesso.txt: the activity codes this access point admits, kept beside the executable
// (on Linux: in the data-link folder).
inline constexpr auto kAccessPointFileName = "Acesso.txt";

// The terminal keeps at most this many codes.
inline constexpr int kAccessPointSlots = 101;

// Reads the codes in file order as two-character pieces; a missing or empty file gives
// an empty list (no filter).
QStringList readAccessPointCodes(const QString& file);

// Writes the codes in list order; an empty list deletes the file (no filter).
store::Status writeAccessPointCodes(const QString& file, const QStringList& codes);

} // namespace orvalen::activities
