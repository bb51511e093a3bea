#include "hardware/bit_operations.h"

namespace orvalen::hardware {

namespace {

// A bit number beyond the byte names no bit: the value is left as it is.
std::uint8_t maskOf(std::uint8_t bit) {
    return bit < 8 ? std::uint8_t(1u << bit) : std::uint8_t(0);
}

} // namespace

std::uint8_t LigaBit(std::uint8_t valor, std::uint8_t Bit) {
    return std::uint8_t(valor | maskOf(Bit));
}

std::uint8_t DesligaBit(std::uint8_t valor, std::uint8_t Bit) {
    return std::uint8_t(valor & ~maskOf(Bit));
}

QString ByteParaStrBin(std::uint8_t Valor) {
    QString text(8, QLatin1Char('0'));
    for (int bit = 0; bit < 8; ++bit) {
        if (Valor & (1u << bit)) {
            text[7 - bit] = QLatin1Char('1');
        }
    }
    return text;
}

} // namespace orvalen::hardware
