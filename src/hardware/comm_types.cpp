#include "hardware/comm_types.h"

#include <array>

namespace orvalen::hardware::comm {

namespace {

constexpr std::array kRates{110,   300,   600,   1200,  2400,   4800,   9600,  14400,
                            19200, 38400, 56000, 57600, 115200, 128000, 256000};

} // namespace

int baudRateValue(TBaudrate rate) {
    return kRates.at(static_cast<size_t>(rate));
}

std::optional<TBaudrate> baudRateFor(int rate) {
    for (size_t i = 0; i < kRates.size(); ++i) {
        if (kRates.at(i) == rate) {
            return static_cast<TBaudrate>(i);
        }
    }
    return std::nullopt;
}

std::optional<TDatabits> databitsFor(int bits) {
    if (bits < 4 || bits > 8) {
        return std::nullopt;
    }
    return static_cast<TDatabits>(bits - 4);
}

std::optional<TStopbits> stopbitsFor(int stopBits) {
    switch (stopBits) {
    case 1:
        return TStopbits::sb10;
    case 2:
        return TStopbits::sb20;
    default:
        return std::nullopt;
    }
}

} // namespace orvalen::hardware::comm
