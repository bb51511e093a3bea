#include "hardware/serial_device.h"

#include "hardware/tty_line_settings.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

namespace orvalen::hardware {

namespace {

QString systemText(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

long long nowMs() {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

bool hungUp(int error) {
    return error == EIO || error == ENXIO || error == ENODEV || error == EBADF;
}

} // namespace

bool SerialDevice::open(const QString& path, QString* error) {
    close();
    const int fd =
        ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (error != nullptr) {
            *error = systemText(errno);
        }
        return false;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISCHR(info.st_mode)) {
        ::close(fd);
        if (error != nullptr) {
            *error = QStringLiteral("%1 is not a character device").arg(path);
        }
        return false;
    }
    struct termios2 t {};
    if (::ioctl(fd, TCGETS2, &t) != 0) {
        const int reason = errno;
        ::close(fd);
        if (error != nullptr) {
            *error = QStringLiteral("%1 is not a serial line: %2").arg(path, systemText(reason));
        }
        return false;
    }
    // Not shared: a second program opening the line would steal the reader's bytes, or
    // throw away the ones waiting when it sets the line up. The driver's exclusive mode
    // does not hold against root, which a kiosk often runs as; the lock does.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int reason = errno;
        ::close(fd);
        if (error != nullptr) {
            *error = reason == EWOULDBLOCK
                         ? QStringLiteral("%1 is in use by another program").arg(path)
                         : QStringLiteral("%1 cannot be locked: %2").arg(path, systemText(reason));
        }
        return false;
    }
    ::ioctl(fd, TIOCEXCL);
    fd_ = fd;
    return true;
}

void SerialDevice::close() {
    if (fd_ >= 0) {
        ::ioctl(fd_, TIOCNXCL);
        ::close(fd_);
        fd_ = -1;
    }
}

bool SerialDevice::configure(const LineSettings& settings) {
    struct termios2 t {};
    if (fd_ < 0 || ::ioctl(fd_, TCGETS2, &t) != 0) {
        return false;
    }
    if (!applyLineSettings(t, settings)) {
        return false;
    }
    return ::ioctl(fd_, TCSETS2, &t) == 0;
}

std::optional<int> SerialDevice::inQueue() const {
    int count = 0;
    if (fd_ < 0 || ::ioctl(fd_, FIONREAD, &count) != 0) {
        return std::nullopt;
    }
    return count;
}

std::optional<int> SerialDevice::outQueue() const {
    int count = 0;
    if (fd_ < 0 || ::ioctl(fd_, TIOCOUTQ, &count) != 0) {
        return std::nullopt;
    }
    return count;
}

SerialDevice::Transfer SerialDevice::read(char* buffer, int count) {
    if (count <= 0) {
        return {};
    }
    for (;;) {
        const ssize_t n = ::read(fd_, buffer, static_cast<size_t>(count));
        if (n > 0) {
            return {Outcome::Done, static_cast<int>(n)};
        }
        if (n == 0) {
            return {Outcome::Lost, 0}; // a hung-up line reads as end of file
        }
        if (errno == EINTR) {
            continue;
        }
        if (errno == EAGAIN) {
            return {};
        }
        return {hungUp(errno) ? Outcome::Lost : Outcome::TimedOut, 0};
    }
}

SerialDevice::Transfer SerialDevice::write(const char* buffer, int count, int timeoutMs) {
    const long long deadline = nowMs() + timeoutMs;
    int written = 0;
    while (written < count) {
        const ssize_t n = ::write(fd_, buffer + written, static_cast<size_t>(count - written));
        if (n > 0) {
            written += static_cast<int>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0 && errno != EAGAIN) {
            return {hungUp(errno) ? Outcome::Lost : Outcome::TimedOut, written};
        }
        const long long left = deadline - nowMs();
        if (left <= 0) {
            return {Outcome::TimedOut, written};
        }
        pollfd waitFor{fd_, POLLOUT, 0};
        ::poll(&waitFor, 1, static_cast<int>(left));
        if ((waitFor.revents & (POLLHUP | POLLERR)) != 0) {
            return {Outcome::Lost, written};
        }
    }
    return {Outcome::Done, written};
}

void SerialDevice::purge(bool input, bool output) {
    if (fd_ < 0 || (!input && !output)) {
        return;
    }
    ::ioctl(fd_, TCFLSH, input && output ? TCIOFLUSH : (input ? TCIFLUSH : TCOFLUSH));
}

void SerialDevice::setOutputFlow(bool on) {
    if (fd_ >= 0) {
        ::ioctl(fd_, TCXONC, on ? TCOON : TCOOFF);
    }
}

} // namespace orvalen::hardware
