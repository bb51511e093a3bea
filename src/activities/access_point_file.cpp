#include "activities/access_point_file.h"

#include <QFile>
#include <QSaveFile>

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

QStringList readAccessPointCodes(const QString& file, int limit) {
    QFile input(file);
    if (!input.exists() || !input.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QByteArray bytes = input.readAll();
    input.close();
    if (bytes.isEmpty()) {
        // An empty file is no filter; removing it keeps the folder saying so plainly.
        QFile::remove(file);
        return {};
    }
    // 8-bit text, no byte-order mark.
    return accessPointPieces(QString::fromLatin1(bytes), limit);
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
