#pragma once

#include "store/result.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace orvalen::store {

// The installation's own files (data links, terminal.ini, Acesso.txt) are a few hundred
// bytes; one larger than this is not one of them.
inline constexpr qint64 kConfigFileLimit = 1024 * 1024;

// A configuration file's bytes, or nothing when no file of that name exists. Only a regular
// file of at most kConfigFileLimit bytes is read: a FIFO, a device, a folder or a dangling
// link in its place, a larger file, or one that cannot be read is an error naming the file
// (`what` says which file it is, "the data-link file"). A FIFO never blocks the reader and a
// device is never read from.
Result<std::optional<QByteArray>> readConfigFile(const QString& path, const QString& what);

} // namespace orvalen::store
