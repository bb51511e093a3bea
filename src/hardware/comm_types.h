#pragma once

#include <QFlags>
#include <optional>

// The event-driven port's own types. They live in their own namespace because the
// line-terminated port names its parity type TParity as well.
namespace orvalen::hardware::comm {

enum class TBaudrate {
    br110,
    br300,
    br600,
    br1200,
    br2400,
    br4800,
    br9600,
    br14400,
    br19200,
    br38400,
    br56000,
    br57600,
    br115200,
    br128000,
    br256000
};
enum class TParity { paNone, paOdd, paEven, paMark, paSpace };
enum class TStopbits { sb10, sb15, sb20 };
enum class TDatabits { da4, da5, da6, da7, da8 };
enum class TFlowControl { fcNone, fcCTS, fcDTR, fcSoftware, fcDefault };

enum class TCommOption {
    coParityCheck = 0x01,
    coDsrSensitivity = 0x02,
    coIgnoreXOff = 0x04,
    coErrorChar = 0x08,
    coNullStrip = 0x10
};
Q_DECLARE_FLAGS(TCommOptions, TCommOption)

// The line events, by the bit each has in an event mask.
enum class TCommEventType {
    evRxChar = 0x01,
    evRxFlag = 0x02,
    evTxEmpty = 0x04,
    evCts = 0x08,
    evDsr = 0x10,
    evRlsd = 0x20,
    evBreak = 0x40,
    evError = 0x80,
    evRing = 0x100
};
Q_DECLARE_FLAGS(TCommEventTypes, TCommEventType)

inline constexpr TCommEventTypes kAllCommEvents = TCommEventTypes::fromInt(0x1FF);

// The characters the driver treats specially.
struct TCommEventChars {
    char XonChar = 17;
    char XoffChar = 19;
    char ErrorChar = 0;
    char EofChar = 0;
    char EvtChar = 0;
};

// The baud rate in the name; br2400 is 2400.
int baudRateValue(TBaudrate rate);
// Members for plain numbers (19200 baud, 7 data bits, 2 stop bits); nothing for a number
// that has no member.
std::optional<TBaudrate> baudRateFor(int rate);
std::optional<TDatabits> databitsFor(int bits);
std::optional<TStopbits> stopbitsFor(int stopBits);

} // namespace orvalen::hardware::comm

Q_DECLARE_OPERATORS_FOR_FLAGS(orvalen::hardware::comm::TCommOptions)
Q_DECLARE_OPERATORS_FOR_FLAGS(orvalen::hardware::comm::TCommEventTypes)
