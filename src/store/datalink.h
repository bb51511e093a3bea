#pragma once

#include "store/connection.h"
#include "store/local_settings.h"
#include "store/result.h"

#include <QMap>
#include <QString>

namespace orvalen::store {

// The data-link files of an installation, found in the data-link folder.
inline constexpr auto kMainDataLink = "Orvalen.udl";
inline constexpr auto kBranchDataLink = "OrvalenFilial.udl";
inline constexpr auto kPortalDataLink = "Velmora.udl";

// An OLE DB data-link file as written by club PCs: UTF-16LE with BOM or 8-bit text,
// an [oledb] header, a comment line and one initialisation string of key=value pairs.
struct DataLink {
    enum class Encoding { Utf16LeBom, Utf8, Utf8Bom, Latin1 };

    QString file;
    Encoding encoding = Encoding::Utf8;
    QString text;                      // the whole text as read
    QMap<QString, QString> properties; // keys as written; look up with property()

    QString property(const QString& key) const; // case-insensitive, empty when absent
    QString provider() const { return property(QStringLiteral("Provider")); }
};

Result<DataLink> readDataLink(const QString& file);

// Maps a data link to a Qt SQL connection: SQL Server providers to an ODBC connection
// string for the driver named in the local settings; Provider=SQLite to a file relative
// to the data-link folder. Errors name the file and the reason.
Result<ConnectionSpec> connectionSpecFor(const DataLink& link, const LocalSettings& local);

// readDataLink followed by connectionSpecFor.
Result<ConnectionSpec> connectionSpecFromFile(const QString& file, const LocalSettings& local);

// Points the branch data link at a branch server: everything up to the first "ce=" is
// kept, followed by the address trimmed of blanks; written back in the file's own
// encoding only when the text has at least one line.
Status rewriteBranchDataLink(const QString& file, const QString& branchAddress);

} // namespace orvalen::store
