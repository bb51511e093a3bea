#include "activities/access_point_file.h"

#include "store/config_file.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

namespace orvalen::activities {

QStringList accessPointPieces(const QString& text, int limit) {
    QStringList pieces;
    for (qsizetype at = 0; at < text.size(); at += 2) {
        if (limit != kAllPieces && pieces.size() >= limit) {
            break;
        }
        pieces.append(text.mid(at, 2));
    }
    return pieces;
}

QString accessPointText(const QByteArray& bytes) {
    // 8-bit text as the terminal writes it; a file saved by an editor with a byte-order mark
    // is decoded by that mark, which is not part of the text.
    QString text;
    if (const auto encoding = QStringConverter::encodingForData(bytes)) {
        text = QStringDecoder(*encoding, QStringDecoder::Flag::Default).decode(bytes);
    } else {
        text = QString::fromLatin1(bytes);
    }
    // Editors on Linux end lines with LF alone (old ones with CR): every line end counts as
    // the CR LF the terminal writes, so a code on each line still starts a piece.
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

store::Result<QStringList> readAccessPointCodes(const QString& file, int limit, EmptyFile empty) {
    auto bytes = store::readConfigFile(file, QStringLiteral("the activity file"));
    if (!bytes.ok()) {
        return bytes.error();
    }
    if (!bytes->has_value()) {
        return QStringList();
    }
    if (bytes->value().isEmpty()) {
        // An empty file is no filter; removing it keeps the folder saying so plainly.
        if (empty == EmptyFile::Delete) {
            QFile::remove(file);
        }
        return QStringList();
    }
    return accessPointPieces(accessPointText(bytes->value()), limit);
}

store::Status writeAccessPointCodes(const QString& file, const QStringList& codes) {
    if (QFile::exists(file) && !QFile::remove(file)) {
        return store::Error{QStringLiteral("Cannot delete %1").arg(file)};
    }
    const QString line = codes.join(QString()).trimmed();
    if (line.isEmpty()) {
        return store::Status::success();
    }
    QSaveFile output(file);
    if (!output.open(QIODevice::WriteOnly)) {
        return store::Error{QStringLiteral("Cannot write %1: %2").arg(file, output.errorString())};
    }
    output.write(line.toLatin1() + "\r\n");
    if (!output.commit()) {
        return store::Error{QStringLiteral("Cannot write %1: %2").arg(file, output.errorString())};
    }
    return store::Status::success();
}

} // namespace orvalen::activities
