#include "terminal/reader_bytes.h"

namespace orvalen::terminal {

namespace {

constexpr unsigned char kFirstPrintable = 32;

} // namespace

QString MyStrToAscii(const QString& Texto) {
    QString codes;
    for (const QChar character : Texto) {
        codes += QString::number(character.unicode());
    }
    return codes;
}

KeypadKey keypadKey(char byte) {
    if (byte >= '0' && byte <= '9') {
        return KeypadKey::Digit;
    }
    const QString code = MyStrToAscii(QString(QLatin1Char(byte)));
    if (byte == '*' || code == QLatin1String("27")) {
        return KeypadKey::Clear;
    }
    if (byte == '#' || code == QLatin1String("13")) {
        return KeypadKey::Enter;
    }
    return KeypadKey::Other;
}

QString cardFrameText(const char* bytes, int count) {
    QString text;
    for (int i = 0; i < count; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte >= kFirstPrintable) {
            text += QChar(QLatin1Char(static_cast<char>(byte)));
        }
    }
    return text;
}

} // namespace orvalen::terminal
