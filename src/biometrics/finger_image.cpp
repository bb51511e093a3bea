#include "biometrics/finger_image.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstring>

// Resources of a static library are registered by hand, outside any namespace.
static void registerSampleFingers() {
    Q_INIT_RESOURCE(sample_fingers);
}

namespace orvalen::biometrics {

namespace {

const QString kSampleFolder = QStringLiteral(":/fingerprints");

// Reads the next blank-separated header field of a PGM, skipping comments.
QByteArray nextField(const QByteArray& data, qsizetype& at) {
    for (;;) {
        while (at < data.size() && QChar::isSpace(uchar(data[at]))) {
            ++at;
        }
        if (at < data.size() && data[at] == '#') {
            while (at < data.size() && data[at] != '\n') {
                ++at;
            }
            continue;
        }
        break;
    }
    const qsizetype start = at;
    while (at < data.size() && !QChar::isSpace(uchar(data[at]))) {
        ++at;
    }
    return data.mid(start, at - start);
}

} // namespace

QImage FingerImage::toQImage() const {
    QImage image(width, height, QImage::Format_Grayscale8);
    for (int row = 0; row < height; ++row) {
        std::memcpy(image.scanLine(row), pixels.constData() + qsizetype(row) * width, width);
    }
    return image;
}

store::Result<FingerImage> fingerImageFromPgm(const QByteArray& data, const QString& origin) {
    qsizetype at = 0;
    const QByteArray magic = nextField(data, at);
    bool widthOk = false, heightOk = false, maxOk = false;
    const int width = nextField(data, at).toInt(&widthOk);
    const int height = nextField(data, at).toInt(&heightOk);
    const int maximum = nextField(data, at).toInt(&maxOk);
    if (magic != "P5" || !widthOk || !heightOk || !maxOk || maximum != 255 || width <= 0 ||
        height <= 0 || width > 5000 || height > 5000) {
        return store::Error{
            QStringLiteral("%1 is not an 8-bit binary grey PGM picture (P5, at most 5000 pixels a "
                           "side)")
                .arg(origin)};
    }
    ++at; // the one blank after the maximum
    const qsizetype size = qsizetype(width) * height;
    if (data.size() - at < size) {
        return store::Error{
            QStringLiteral("%1 ends before its %2 x %3 pixels").arg(origin).arg(width).arg(height)};
    }
    return FingerImage{width, height, data.mid(at, size)};
}

store::Result<FingerImage> loadFingerImage(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return store::Error{QStringLiteral("cannot read the fingerprint picture %1: %2")
                                .arg(path, file.errorString())};
    }
    return fingerImageFromPgm(file.readAll(), path);
}

QStringList sampleFingerNames() {
    static const bool registered = (registerSampleFingers(), true);
    (void)registered;
    QStringList names;
    for (const QString& file : QDir(kSampleFolder).entryList({QStringLiteral("*.pgm")})) {
        names << file.chopped(4);
    }
    return names;
}

store::Result<FingerImage> sampleFinger(const QString& name) {
    const QStringList names = sampleFingerNames();
    const QString path = kSampleFolder + QLatin1Char('/') + name + QStringLiteral(".pgm");
    if (!QFile::exists(path)) {
        return store::Error{QStringLiteral("there is no sample finger \"%1\" (samples: %2)")
                                .arg(name, names.join(QStringLiteral(", ")))};
    }
    return loadFingerImage(path);
}

store::Result<FingerImage> fingerNamed(const QString& name) {
    if (name.endsWith(QLatin1String(".pgm"), Qt::CaseInsensitive) || QFileInfo::exists(name)) {
        return loadFingerImage(name);
    }
    if (!sampleFingerNames().contains(name)) {
        return store::Error{QStringLiteral("\"%1\" is neither a sample finger (%2) nor a .pgm file")
                                .arg(name, sampleFingerNames().join(QStringLiteral(", ")))};
    }
    return sampleFinger(name);
}

} // namespace orvalen::biometrics
