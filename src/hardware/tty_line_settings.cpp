#include "hardware/tty_line_settings.h"

namespace orvalen::hardware {

using comm::TCommOption;
using comm::TDatabits;
using comm::TFlowControl;
using comm::TParity;
using comm::TStopbits;

namespace {

std::optional<tcflag_t> characterSize(TDatabits bits) {
    switch (bits) {
    case TDatabits::da5:
        return CS5;
    case TDatabits::da6:
        return CS6;
    case TDatabits::da7:
        return CS7;
    case TDatabits::da8:
        return CS8;
    case TDatabits::da4:
        break;
    }
    return std::nullopt; // no UART here sends 4-bit characters
}

tcflag_t parityFlags(TParity parity) {
    switch (parity) {
    case TParity::paOdd:
        return PARENB | PARODD;
    case TParity::paEven:
        return PARENB;
    case TParity::paMark:
        return PARENB | CMSPAR | PARODD;
    case TParity::paSpace:
        return PARENB | CMSPAR;
    case TParity::paNone:
        break;
    }
    return 0;
}

} // namespace

bool applyLineSettings(struct termios2& t, const LineSettings& settings) {
    const std::optional<tcflag_t> size = characterSize(settings.dataBits);
    // One and a half stop bits exist only with 5-bit characters, where the UART's two-stop
    // setting gives exactly that.
    const bool stopBitsValid =
        settings.stopBits != TStopbits::sb15 || settings.dataBits == TDatabits::da5;
    if (!size || !stopBitsValid || settings.baudRate <= 0) {
        return false;
    }
    struct termios2 next = t;

    // Binary mode: every byte passes unchanged, nothing is echoed or interpreted.
    next.c_iflag &= ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IUCLC | IMAXBEL);
    next.c_oflag &= ~OPOST;
    next.c_lflag &= ~(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    next.c_cflag |= CREAD | CLOCAL;
    // With at least one byte asked for, a non-blocking read of an empty queue says "try
    // again" rather than 0, so 0 keeps its meaning of a hung-up line.
    next.c_cc[VMIN] = 1;
    next.c_cc[VTIME] = 0;

    next.c_cflag &= ~(CBAUD | CIBAUD);
    next.c_cflag |= BOTHER;
    next.c_ispeed = static_cast<speed_t>(settings.baudRate);
    next.c_ospeed = static_cast<speed_t>(settings.baudRate);

    next.c_cflag &= ~(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB);
    next.c_cflag |= *size | parityFlags(settings.parity);
    if (settings.stopBits != TStopbits::sb10) {
        next.c_cflag |= CSTOPB;
    }

    next.c_cc[VSTART] = static_cast<cc_t>(settings.chars.XonChar);
    next.c_cc[VSTOP] = static_cast<cc_t>(settings.chars.XoffChar);

    switch (settings.flow) {
    case TFlowControl::fcNone:
        next.c_cflag &= ~CRTSCTS;
        next.c_iflag &= ~(IXON | IXOFF | IXANY);
        break;
    case TFlowControl::fcCTS:
        next.c_cflag |= CRTSCTS;
        break;
    case TFlowControl::fcSoftware:
        next.c_iflag |= IXON | IXOFF;
        break;
    case TFlowControl::fcDTR:     // the kernel has no DSR/DTR handshake
    case TFlowControl::fcDefault: // the driver's flags stay as read
        break;
    }

    // A character with a parity error is then read as the error character 0.
    if (settings.options.testFlag(TCommOption::coParityCheck)) {
        next.c_iflag |= INPCK;
    } else {
        next.c_iflag &= ~INPCK;
    }
    next.c_iflag &= ~IGNPAR;

    t = next;
    return true;
}

} // namespace orvalen::hardware
