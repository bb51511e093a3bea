#include "biometrics/finger_template.h"

#include <algorithm>

namespace orvalen::biometrics {

namespace {

const QLatin1String kMarker("OFT1");
constexpr char kVersion = 1;
constexpr int kPersonaOffset = 48;
constexpr int kThetaOffset = 512;

// version, count, then 4 bytes a minutia: x (11 bits), y (11 bits), theta + 512 (10 bits;
// the library gives directions from -180 to 180 degrees).
QByteArray pack(const Minutiae& minutiae) {
    const int count = std::min<int>(int(minutiae.size()), kMaximumMinutiae);
    QByteArray bytes;
    bytes.reserve(2 + 4 * count);
    bytes.append(kVersion);
    bytes.append(char(count));
    for (int i = 0; i < count; ++i) {
        const Minutia& m = minutiae[i];
        const quint32 word = (quint32(std::clamp(m.x, 0, 2047)) << 21) |
                             (quint32(std::clamp(m.y, 0, 2047)) << 10) |
                             quint32(std::clamp(m.theta + kThetaOffset, 0, 1023));
        for (int shift : {24, 16, 8, 0}) {
            bytes.append(char((word >> shift) & 0xFF));
        }
    }
    return bytes;
}

store::Result<Minutiae> unpack(const QByteArray& bytes, bool exact) {
    const auto invalid = [] {
        return store::Error{QStringLiteral("the fingerprint template is damaged")};
    };
    if (bytes.size() < 2 || bytes[0] != kVersion) {
        return invalid();
    }
    const int count = uchar(bytes[1]);
    const qsizetype size = 2 + 4 * qsizetype(count);
    if (count == 0 || count > kMaximumMinutiae || bytes.size() < size ||
        (exact && bytes.size() != size)) {
        return invalid();
    }
    Minutiae minutiae;
    minutiae.reserve(count);
    for (int i = 0; i < count; ++i) {
        quint32 word = 0;
        for (int k = 0; k < 4; ++k) {
            word = (word << 8) | uchar(bytes[2 + 4 * i + k]);
        }
        minutiae.push_back(
            {int(word >> 21), int((word >> 10) & 0x7FF), int(word & 0x3FF) - kThetaOffset});
    }
    return minutiae;
}

// Base64 digits as values 0 to 63, which Digital_Persona carries as the characters "0" to "o".
QString toSextetCharacters(const QByteArray& base64) {
    static const QByteArray alphabet =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    QString text;
    text.reserve(base64.size());
    for (char c : base64) {
        text.append(QChar(kPersonaOffset + int(alphabet.indexOf(c))));
    }
    return text;
}

QByteArray fromSextets(const QByteArray& sextets) {
    static const char* alphabet =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    QByteArray base64;
    for (char value : sextets) {
        if (uchar(value) > 63) {
            break;
        }
        base64.append(alphabet[uchar(value)]);
    }
    // The count in the payload says where the template ends; later bytes are ignored.
    return QByteArray::fromBase64(base64);
}

QByteArray markerBytes() {
    QByteArray bytes;
    for (QChar c : QString(kMarker)) {
        bytes.append(char(c.unicode() - kPersonaOffset));
    }
    return bytes;
}

} // namespace

QString digitalText(const Minutiae& minutiae) {
    return kMarker + QString::fromLatin1(pack(minutiae).toBase64(QByteArray::OmitTrailingEquals));
}

QString personaText(const Minutiae& minutiae) {
    return kMarker + toSextetCharacters(pack(minutiae).toBase64(QByteArray::OmitTrailingEquals));
}

TemplateForm digitalForm(const QString& text) {
    if (text.isEmpty()) {
        return TemplateForm::Empty;
    }
    return text.startsWith(kMarker) ? TemplateForm::Ours : TemplateForm::Foreign;
}

store::Result<Minutiae> minutiaeFromDigital(const QString& text) {
    if (digitalForm(text) != TemplateForm::Ours) {
        return store::Error{QStringLiteral("the fingerprint template was not written by this "
                                           "terminal's reader software")};
    }
    const auto decoded = QByteArray::fromBase64Encoding(text.mid(kMarker.size()).toLatin1(),
                                                        QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded) {
        return store::Error{QStringLiteral("the fingerprint template is damaged")};
    }
    return unpack(*decoded, true);
}

QByteArray personaBytes(const QString& text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (QChar c : text) {
        bytes.append(char((c.unicode() - kPersonaOffset) & 0xFF));
    }
    return bytes;
}

store::Result<Minutiae> minutiaeFromPersonaBytes(const QByteArray& bytes) {
    static const QByteArray marker = markerBytes();
    if (!bytes.startsWith(marker)) {
        return store::Error{QStringLiteral("the fingerprint template was not written by this "
                                           "terminal's reader software")};
    }
    return unpack(fromSextets(bytes.mid(marker.size())), false);
}

} // namespace orvalen::biometrics
