// Kept apart from the pseudo-terminal code: the kernel's termios2 clashes with the C
// library's <termios.h>, which <pty.h> brings in.
#include "hardware/tty_line_settings.h"
#include "support/serial_fixtures.h"

#include <sys/ioctl.h>

namespace orvalen::test {

unsigned ReaderDevice::speed() const {
    struct termios2 t {};
    ::ioctl(reserved_, TCGETS2, &t);
    return t.c_ospeed;
}

bool ReaderDevice::twoStopBits() const {
    struct termios2 t {};
    ::ioctl(reserved_, TCGETS2, &t);
    return (t.c_cflag & CSTOPB) != 0;
}

bool ReaderDevice::checksParity() const {
    struct termios2 t {};
    ::ioctl(reserved_, TCGETS2, &t);
    return (t.c_iflag & INPCK) != 0;
}

} // namespace orvalen::test
