#include "store/datalink_text.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringEncoder>

namespace orvalen::store {

namespace {

const QByteArray kUtf16LeBom("\xFF\xFE", 2);
const QByteArray kUtf8Bom("\xEF\xBB\xBF", 3);

// Reads one key=value pair starting at position at; returns the position after it.
qsizetype readPair(const QString& line, qsizetype at, QMap<QString, QString>& into) {
    const qsizetype n = line.size();
    const qsizetype equals = line.indexOf(QLatin1Char('='), at);
    const qsizetype semicolon = line.indexOf(QLatin1Char(';'), at);
    if (equals < 0 || (semicolon >= 0 && semicolon < equals)) {
        // A fragment without "=": nothing to keep.
        return semicolon < 0 ? n : semicolon + 1;
    }
    const QString key = line.mid(at, equals - at).trimmed();
    qsizetype i = equals + 1;
    while (i < n && line.at(i).isSpace()) {
        ++i;
    }
    QString value;
    if (i < n && (line.at(i) == QLatin1Char('"') || line.at(i) == QLatin1Char('\''))) {
        const QChar quote = line.at(i++);
        while (i < n) {
            if (line.at(i) == quote) {
                if (i + 1 < n && line.at(i + 1) == quote) {
                    value += quote;
                    i += 2;
                    continue;
                }
                ++i;
                break;
            }
            value += line.at(i++);
        }
        const qsizetype next = line.indexOf(QLatin1Char(';'), i);
        i = next < 0 ? n : next + 1;
    } else {
        const qsizetype next = line.indexOf(QLatin1Char(';'), i);
        const qsizetype end = next < 0 ? n : next;
        value = line.mid(i, end - i).trimmed();
        i = next < 0 ? n : next + 1;
    }
    if (!key.isEmpty()) {
        into.insert(key, value);
    }
    return i;
}

} // namespace

DecodedText decodeDataLinkText(const QByteArray& bytes) {
    if (bytes.startsWith(kUtf16LeBom)) {
        QStringDecoder decoder(QStringConverter::Utf16LE);
        return {DataLink::Encoding::Utf16LeBom, decoder(bytes.mid(kUtf16LeBom.size()))};
    }
    if (bytes.startsWith(kUtf8Bom)) {
        QStringDecoder decoder(QStringConverter::Utf8);
        return {DataLink::Encoding::Utf8Bom, decoder(bytes.mid(kUtf8Bom.size()))};
    }
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString text = utf8(bytes);
    if (!utf8.hasError()) {
        return {DataLink::Encoding::Utf8, text};
    }
    return {DataLink::Encoding::Latin1, QString::fromLatin1(bytes)};
}

QByteArray encodeDataLinkText(DataLink::Encoding encoding, const QString& text) {
    switch (encoding) {
    case DataLink::Encoding::Utf16LeBom: {
        QStringEncoder encoder(QStringConverter::Utf16LE);
        return kUtf16LeBom + QByteArray(encoder(text));
    }
    case DataLink::Encoding::Utf8Bom:
        return kUtf8Bom + text.toUtf8();
    case DataLink::Encoding::Latin1:
        return text.toLatin1();
    case DataLink::Encoding::Utf8:
        break;
    }
    return text.toUtf8();
}

QStringList splitDataLinkLines(const QString& text) {
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\n|\r"));
    QStringList lines = text.split(lineBreak);
    if (!lines.isEmpty() && lines.last().isEmpty()) {
        lines.removeLast();
    }
    return lines;
}

QMap<QString, QString> parseDataLinkProperties(const QString& text) {
    QMap<QString, QString> properties;
    for (const QString& raw : splitDataLinkLines(text)) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')) ||
            line.startsWith(QLatin1Char('['))) {
            continue;
        }
        qsizetype at = 0;
        while (at < line.size()) {
            at = readPair(line, at, properties);
        }
    }
    return properties;
}

} // namespace orvalen::store
