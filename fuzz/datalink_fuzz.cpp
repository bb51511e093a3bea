// A data-link file as the club's PCs might leave it: any bytes. The text is decoded, split
// and read as key=value pairs, then turned into a connection; the ODBC connection string
// must carry the user, password and catalogue exactly as written and nothing besides.
#include "fuzz_input.h"
#include "store/datalink.h"
#include "store/datalink_text.h"

#include <QMap>

namespace {

using orvalen::fuzz::require;

// Reads an ODBC connection string back: KEY=value pairs split at ";", a value in braces
// running to its closing "}" with "}}" standing for "}".
QMap<QString, QString> readOdbcString(const QString& text) {
    QMap<QString, QString> pairs;
    qsizetype at = 0;
    while (at < text.size()) {
        const qsizetype equals = text.indexOf(QLatin1Char('='), at);
        require(equals >= 0, "an ODBC attribute without '='");
        const QString key = text.mid(at, equals - at);
        qsizetype i = equals + 1;
        QString value;
        if (i < text.size() && text.at(i) == QLatin1Char('{')) {
            ++i;
            for (;;) {
                require(i < text.size(), "an ODBC value opened with '{' is never closed");
                if (text.at(i) == QLatin1Char('}')) {
                    if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('}')) {
                        value += QLatin1Char('}');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                value += text.at(i++);
            }
            require(i == text.size() || text.at(i) == QLatin1Char(';'),
                    "text after a braced ODBC value");
        } else {
            const qsizetype end = text.indexOf(QLatin1Char(';'), i);
            value = text.mid(i, (end < 0 ? text.size() : end) - i);
            i = end < 0 ? text.size() : end;
        }
        require(!pairs.contains(key.toUpper()), "an ODBC attribute given twice");
        pairs.insert(key.toUpper(), value);
        at = i + 1;
    }
    return pairs;
}

void checkConnection(const orvalen::store::DataLink& link) {
    orvalen::store::LocalSettings local;
    local.folder = QStringLiteral("/nonexistent/orvalen");
    const auto spec = orvalen::store::connectionSpecFor(link, local);
    if (!spec.ok()) {
        require(spec.error().message.contains(link.file), "an error that does not name the file");
        return;
    }
    if (spec->driver != QLatin1String("QODBC")) {
        return;
    }
    require(!spec->databaseName.contains(QChar(u'\0')),
            "a NUL character in the ODBC connection string cuts it short");
    const QMap<QString, QString> odbc = readOdbcString(spec->databaseName);
    require(odbc.value(QStringLiteral("UID")) == link.property(QStringLiteral("User ID")),
            "the user read back differs");
    require(odbc.value(QStringLiteral("PWD")) == link.property(QStringLiteral("Password")),
            "the password read back differs");
    require(odbc.value(QStringLiteral("DATABASE")) ==
                link.property(QStringLiteral("Initial Catalog")),
            "the catalogue read back differs");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes = orvalen::fuzz::bytesOf(data, size);
    const orvalen::store::DecodedText decoded = orvalen::store::decodeDataLinkText(bytes);
    orvalen::store::splitDataLinkLines(decoded.text);

    orvalen::store::DataLink link;
    link.file = QStringLiteral("/nonexistent/orvalen/Orvalen.udl");
    link.encoding = decoded.encoding;
    link.text = decoded.text;
    link.properties = orvalen::store::parseDataLinkProperties(decoded.text);
    checkConnection(link);

    // Rewriting keeps the encoding: what is written in UTF-16 or UTF-8 reads back the same.
    if (decoded.encoding != orvalen::store::DataLink::Encoding::Latin1) {
        const QByteArray again = orvalen::store::encodeDataLinkText(decoded.encoding, decoded.text);
        require(orvalen::store::decodeDataLinkText(again).text == decoded.text,
                "a rewritten data link reads back differently");
    }
    return 0;
}
