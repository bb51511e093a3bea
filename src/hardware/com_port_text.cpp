#include "hardware/com_port.h"

#include <array>

namespace orvalen::hardware {

namespace {

constexpr std::array kParityNames{"ptNONE", "ptODD", "ptEVEN", "ptMARK", "ptSPACE"};
constexpr std::array kStopBitNames{"sbONE", "sbONE5", "snTWO"};

const QString kIllegalTerminator =
    QStringLiteral("Illegal terminator string.\rformat : #<asciicode>#<asciicode>#<...>\r"
                   "example: #13#10");

} // namespace

QString NextToken(QString& s, QChar Separator) {
    const qsizetype at = s.indexOf(Separator);
    if (at < 0) {
        QString all = s;
        s.clear();
        return all;
    }
    QString token = s.left(at);
    s.remove(0, at + 1);
    return token;
}

QString TComPort::Terminator() const {
    QString text;
    for (char c : terminator_) {
        text += QLatin1Char('#') + QString::number(static_cast<unsigned char>(c));
    }
    return text;
}

void TComPort::setTerminator(const QString& text) {
    // The leading "#" is not read: "#13#10" and "x13#10" are the same terminator.
    QString rest = text.mid(1);
    QByteArray parsed;
    while (!rest.isEmpty()) {
        const QString token = NextToken(rest, QLatin1Char('#'));
        bool ok = false;
        const int code = token.toInt(&ok, 10);
        if (!ok) {
            terminator_ = QByteArrayLiteral("\r\n");
            throw EComError(kIllegalTerminator);
        }
        parsed.append(static_cast<char>(code & 0xFF));
    }
    if (parsed.isEmpty()) {
        throw EComError(QStringLiteral("Terminator string cannot be empty!"));
    }
    terminator_ = parsed;
}

QString ParityToStr(TParity ParityMember) {
    return QLatin1String(kParityNames.at(static_cast<size_t>(ParityMember)));
}

QString StopbToStr(TStopBit Stopmember) {
    return QLatin1String(kStopBitNames.at(static_cast<size_t>(Stopmember)));
}

TParity StrToParity(const QString& sParity) {
    for (size_t i = 0; i < kParityNames.size(); ++i) {
        if (sParity == QLatin1String(kParityNames.at(i))) {
            return static_cast<TParity>(i);
        }
    }
    return TParity::ptNONE;
}

TStopBit StrToStopb(const QString& sStopBit) {
    for (size_t i = 0; i < kStopBitNames.size(); ++i) {
        if (sStopBit == QLatin1String(kStopBitNames.at(i))) {
            return static_cast<TStopBit>(i);
        }
    }
    return TStopBit::sbONE;
}

} // namespace orvalen::hardware
