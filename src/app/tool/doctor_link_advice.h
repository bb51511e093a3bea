#pragma once

#include "store/connection.h"

#include <QString>

namespace orvalen::tool {

// What to do when the data-link file gives no connection: an integrated-security link needs a
// SQL Server login; anything else, the general advice given.
QString dataLinkFix(const QString& file, const QString& generalFix);

// What to do when the database a data link names does not open: for an SQLite file the user
// cannot read or write (or whose folder SQLite cannot keep its journal in), the rights; for
// another SQLite file, a good copy; for a server, that it runs and the link is right.
QString openFix(const store::ConnectionSpec& spec, const QString& file);

} // namespace orvalen::tool
