#pragma once

#include <optional>
#include <pthread.h>

namespace orvalen::hardware {

// Modem status bits as the kernel reports them (TIOCM_*), for modem-line events.
struct ModemStatus {
    bool cts = false;
    bool dsr = false;
    bool ring = false;
    bool rlsd = false; // carrier detect
};

// The control and status lines of a serial device. Kept behind this interface because
// only real serial hardware has them: a pseudo-terminal refuses every call (ENOTTY), so
// tests put a recording double here and still see each change and its time.
class ModemLines {
public:
    virtual ~ModemLines() = default;

    // Each returns whether the device took the change.
    virtual bool setRts(int fd, bool on) = 0;
    virtual bool setDtr(int fd, bool on) = 0;
    virtual bool setBreak(int fd, bool on) = 0;

    // The lines now, or nothing when the device has no modem lines.
    virtual std::optional<ModemStatus> status(int fd) = 0;

    enum class Wait { Changed, Interrupted, Failed };

    // Blocks until CTS, DSR, RING or carrier changes. Interrupted: cut short by a signal
    // (interruptWait among them). Failed: the device cannot wait (vanished, no modem lines).
    virtual Wait waitForChange(int fd) = 0;

    // Ends a waitForChange running on another thread; the waiter must check afterwards
    // whether it was asked to stop, since a change may have woken it as well.
    virtual void interruptWait(pthread_t waitingThread) = 0;
};

// The kernel's tty ioctls: TIOCMBIS/TIOCMBIC, TIOCSBRK/TIOCCBRK, TIOCMGET, TIOCMIWAIT.
class KernelModemLines : public ModemLines {
public:
    bool setRts(int fd, bool on) override;
    bool setDtr(int fd, bool on) override;
    bool setBreak(int fd, bool on) override;
    std::optional<ModemStatus> status(int fd) override;
    Wait waitForChange(int fd) override;
    void interruptWait(pthread_t waitingThread) override;
};

// The one production instance; the ports use it unless given another.
ModemLines& kernelModemLines();

} // namespace orvalen::hardware
