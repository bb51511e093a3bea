#pragma once

#include "store/result.h"

#include <QString>

namespace orvalen::demo {

// Writes a data-link file as club PCs keep them: UTF-16LE with a byte-order mark, the
// [oledb] header, the comment line and one initialisation string.
store::Status writeDataLinkFile(const QString& file, const QString& initString);

// The local settings file with every key commented out at its default; with a reader line,
// the demo's reader port mapped to it; with a finger reader, the virtual fingerprint reader's
// socket.
store::Status writeLocalSettingsFile(const QString& file, const QString& readerLine = {},
                                     const QString& fingerReader = {});

} // namespace orvalen::demo
