#include "hardware/parallel_port.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/ppdev.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace orvalen::hardware {

int SystemPortCalls::open(const QByteArray& path, int flags) {
    return ::open(path.constData(), flags);
}
int SystemPortCalls::ioctl(int fd, unsigned long request, void* argument) {
    return ::ioctl(fd, request, argument);
}
long SystemPortCalls::pwrite(int fd, const void* data, std::size_t size, long offset) {
    return ::pwrite(fd, data, size, offset);
}
int SystemPortCalls::close(int fd) {
    return ::close(fd);
}

namespace {

QString failure(const QString& what, const QString& path) {
    return QStringLiteral("%1 %2: %3")
        .arg(what, path, QString::fromLocal8Bit(std::strerror(errno)));
}

} // namespace

void ParallelPort::drop(const QString& path) {
    const Claimed port = claimed_.take(path);
    if (!port.rawPort) {
        calls_.ioctl(port.fd, PPRELEASE, nullptr);
    }
    calls_.close(port.fd);
}

int ParallelPort::claim(const ParallelPortDevice& device, QString& problem) {
    const auto known = claimed_.constFind(device.path);
    if (known != claimed_.constEnd()) {
        return known->fd;
    }
    const int fd = calls_.open(device.path.toLocal8Bit(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        problem = failure(QStringLiteral("cannot open"), device.path);
        return -1;
    }
    if (!device.rawPort && calls_.ioctl(fd, PPCLAIM, nullptr) < 0) {
        problem = failure(QStringLiteral("cannot claim the parallel port"), device.path);
        calls_.close(fd);
        return -1;
    }
    claimed_.insert(device.path, {fd, device.rawPort});
    return fd;
}

QString ParallelPort::write(const ParallelPortDevice& device, std::uint8_t value) {
    QString problem;
    const int fd = claim(device, problem);
    if (fd < 0) {
        return problem;
    }
    unsigned char data = value;
    const bool written = device.rawPort ? calls_.pwrite(fd, &data, 1, long(device.address)) == 1
                                        : calls_.ioctl(fd, PPWDATA, &data) >= 0;
    if (!written) {
        problem = failure(QStringLiteral("cannot write to"), device.path);
        // A port that failed (unplugged, taken away) is opened afresh next time.
        drop(device.path);
    }
    return problem;
}

void ParallelPort::release() {
    while (!claimed_.isEmpty()) {
        drop(claimed_.firstKey());
    }
}

} // namespace orvalen::hardware
