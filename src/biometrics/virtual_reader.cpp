#include "biometrics/virtual_reader.h"

#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace orvalen::biometrics {

QByteArray virtualReaderMessage(const FingerImage& image) {
    QByteArray message(8, '\0');
    const qint32 size[2] = {image.width, image.height};
    std::memcpy(message.data(), size, sizeof(size));
    return message + image.pixels;
}

store::Status sendToVirtualReader(const QString& socketPath, const FingerImage& image) {
    const QByteArray path = socketPath.toLocal8Bit();
    const auto failure = [&](const char* what) {
        return store::Error{QStringLiteral("cannot %1 the virtual fingerprint reader at %2: %3")
                                .arg(QLatin1String(what), socketPath,
                                     QString::fromLocal8Bit(std::strerror(errno)))};
    };
    sockaddr_un address{};
    if (path.size() >= qsizetype(sizeof(address.sun_path))) {
        return store::Error{QStringLiteral("the socket path %1 is too long").arg(socketPath)};
    }
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return failure("reach");
    }
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.constData(), path.size());
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0) {
        const store::Status status = failure("reach");
        ::close(fd);
        return status;
    }
    const QByteArray message = virtualReaderMessage(image);
    qsizetype sent = 0;
    while (sent < message.size()) {
        const ssize_t n =
            ::send(fd, message.constData() + sent, message.size() - sent, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            const store::Status status = failure("write to");
            ::close(fd);
            return status;
        }
        sent += n;
    }
    ::close(fd);
    return store::Status::success();
}

} // namespace orvalen::biometrics
