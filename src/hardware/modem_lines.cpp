#include "hardware/modem_lines.h"

#include <cerrno>
#include <csignal>
#include <mutex>
#include <sys/ioctl.h>

namespace orvalen::hardware {

namespace {

bool changeLine(int fd, int line, bool on) {
    return ::ioctl(fd, on ? TIOCMBIS : TIOCMBIC, &line) == 0;
}

// TIOCMIWAIT has no time-out; the only way to end it early is a signal to the waiting
// thread. A handler that does nothing, installed without SA_RESTART, makes the wait
// return EINTR instead of resuming.
int wakeSignal() {
    static const int signal = SIGRTMIN + 3;
    static std::once_flag installed;
    std::call_once(installed, [] {
        struct sigaction action {};
        action.sa_handler = [](int) {};
        sigemptyset(&action.sa_mask);
        action.sa_flags = 0;
        ::sigaction(signal, &action, nullptr);
    });
    return signal;
}

} // namespace

bool KernelModemLines::setRts(int fd, bool on) {
    return changeLine(fd, TIOCM_RTS, on);
}

bool KernelModemLines::setDtr(int fd, bool on) {
    return changeLine(fd, TIOCM_DTR, on);
}

bool KernelModemLines::setBreak(int fd, bool on) {
    return ::ioctl(fd, on ? TIOCSBRK : TIOCCBRK) == 0;
}

std::optional<ModemStatus> KernelModemLines::status(int fd) {
    int bits = 0;
    if (::ioctl(fd, TIOCMGET, &bits) != 0) {
        return std::nullopt;
    }
    return ModemStatus{(bits & TIOCM_CTS) != 0, (bits & TIOCM_DSR) != 0, (bits & TIOCM_RNG) != 0,
                       (bits & TIOCM_CD) != 0};
}

ModemLines::Wait KernelModemLines::waitForChange(int fd) {
    wakeSignal();
    const int lines = TIOCM_CTS | TIOCM_DSR | TIOCM_RNG | TIOCM_CD;
    if (::ioctl(fd, TIOCMIWAIT, lines) == 0) {
        return Wait::Changed;
    }
    return errno == EINTR ? Wait::Interrupted : Wait::Failed;
}

void KernelModemLines::interruptWait(pthread_t waitingThread) {
    ::pthread_kill(waitingThread, wakeSignal());
}

ModemLines& kernelModemLines() {
    static KernelModemLines lines;
    return lines;
}

} // namespace orvalen::hardware
