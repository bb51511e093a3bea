#pragma once

#include "store/datalink.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

namespace orvalen::store {

// The text of a data-link file and the encoding it came in, so that a rewrite keeps it.
struct DecodedText {
    DataLink::Encoding encoding;
    QString text;
};

// UTF-16LE with BOM (the platform's data-link editor), UTF-8 with or without BOM, or
// 8-bit text when the bytes are not valid UTF-8.
DecodedText decodeDataLinkText(const QByteArray& bytes);
QByteArray encodeDataLinkText(DataLink::Encoding encoding, const QString& text);

// Lines split at CR LF, LF or CR; a final line break adds no empty line.
QStringList splitDataLinkLines(const QString& text);

// The key=value pairs of the initialisation string. Header lines ("[oledb]"), comment
// lines (";...") and blank lines are skipped. Pairs are separated by ";"; a value may be
// quoted with " or ', a doubled quote standing for itself; unquoted values are trimmed.
QMap<QString, QString> parseDataLinkProperties(const QString& text);

} // namespace orvalen::store
