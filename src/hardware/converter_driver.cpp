#include "hardware/converter_driver.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace orvalen::hardware {

ConverterHandle SystemConverterDriver::open(const QString& path, QString& why) {
    // Existing devices only: the converter is never created as a plain file by mistake.
    const int fd = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        why = QString::fromLocal8Bit(std::strerror(errno));
        return kInvalidConverterHandle;
    }
    return fd;
}

int SystemConverterDriver::control(ConverterHandle handle, unsigned long code,
                                   const QByteArray& input, QByteArray& output) {
    if (handle < 0) {
        return -1;
    }
    // One buffer carries the request in and the answer out, as the driver expects.
    QByteArray buffer(std::max(input.size(), output.size()), '\0');
    std::copy(input.begin(), input.end(), buffer.begin());
    const int result = ::ioctl(handle, code, buffer.data());
    if (result < 0) {
        return -1;
    }
    std::copy_n(buffer.constBegin(), output.size(), output.begin());
    return result;
}

void SystemConverterDriver::close(ConverterHandle handle) {
    if (handle >= 0) {
        ::close(handle);
    }
}

} // namespace orvalen::hardware
