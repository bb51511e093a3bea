// Acesso.txt as a hand or another program might have left it: any bytes, read as the
// terminal reads them, and the codes written back and read again.
#include "activities/access_point_file.h"
#include "fuzz_input.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

using orvalen::fuzz::require;

QString scratchFile() {
    static QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/orvalen-fuzz-XXXXXX"));
    return folder.filePath(QLatin1String(orvalen::activities::kAccessPointFileName));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    namespace activities = orvalen::activities;
    const QByteArray bytes = orvalen::fuzz::bytesOf(data, size);
    const QString text = activities::accessPointText(bytes);
    const QStringList all = activities::accessPointPieces(text);
    require(all.join(QString()) == text, "the pieces do not put the text back together");
    for (const QString& piece : all) {
        require(piece.size() == 1 || piece.size() == 2,
                "a piece of neither one nor two characters");
    }
    const QStringList kept = activities::accessPointPieces(text, activities::kAccessPointSlots);
    require(kept.size() <= activities::kAccessPointSlots, "more pieces than the terminal's slots");

    const QString file = scratchFile();
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        orvalen::fuzz::broken("cannot write the scratch Acesso.txt");
    }
    out.write(bytes);
    out.close();
    const auto codes = activities::readAccessPointCodes(file);
    require(codes.ok(), "a small regular file could not be read");
    const QStringList read = codes.value();
    require(read.size() <= activities::kAccessPointSlots, "more codes read than slots");
    if (activities::writeAccessPointCodes(file, read).ok()) {
        activities::readAccessPointCodes(file);
    }
    QFile::remove(file);
    return 0;
}
