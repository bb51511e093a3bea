#pragma once

#include "hardware/converter_driver.h"

#include <QString>
#include <cstdint>

namespace orvalen::hardware {

// What a refused write or read returns: bit 8 set, the low eight bits zero.
inline constexpr std::uint16_t kConverterFailure = 256;

// Opens the converter device at `path` for reading and writing. The invalid handle when it
// cannot be opened, with the reason in `why` when given.
ConverterHandle AbreConversor(ConverterDriver& driver, const QString& path, QString* why = nullptr);

// Writes `value` to converter register `reg`: the driver's byte count, or 256 after a
// refusal. A refusal closes the handle and leaves it invalid, so later requests fail too
// instead of reaching whatever the system hands that number to next.
std::uint16_t EscreveConversor(ConverterDriver& driver, ConverterHandle& handle, std::uint8_t reg,
                               std::uint8_t value);

// Reads converter register `reg`: the value in the low eight bits, or 256 after a refusal
// (which closes the handle as above).
std::uint16_t LeConversor(ConverterDriver& driver, ConverterHandle& handle, std::uint8_t reg);

// Whether the device answers a read of register 10 as a converter does; a refusal closes
// the handle.
bool TestaConversor(ConverterDriver& driver, ConverterHandle& handle);

} // namespace orvalen::hardware
