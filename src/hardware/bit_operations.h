#pragma once

#include <QString>
#include <cstdint>

namespace orvalen::hardware {

// `valor` with bit number `Bit` (0 = least significant) set.
std::uint8_t LigaBit(std::uint8_t valor, std::uint8_t Bit);
// `valor` with bit number `Bit` cleared.
std::uint8_t DesligaBit(std::uint8_t valor, std::uint8_t Bit);
// Eight "1"/"0" characters, most significant bit first: 0x02 gives "00000010".
QString ByteParaStrBin(std::uint8_t Valor);

} // namespace orvalen::hardware
