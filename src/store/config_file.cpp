#include "store/config_file.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvalen::store {

namespace {

QString systemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// What stands where a file should be, for the message.
QString kindOf(mode_t mode) {
    if (S_ISDIR(mode)) {
        return QStringLiteral("a folder");
    }
    if (S_ISFIFO(mode)) {
        return QStringLiteral("a FIFO");
    }
    if (S_ISCHR(mode) || S_ISBLK(mode)) {
        return QStringLiteral("a device");
    }
    if (S_ISSOCK(mode)) {
        return QStringLiteral("a socket");
    }
    return QStringLiteral("not a regular file");
}

Error notAFile(const QString& path, const QString& what, mode_t mode) {
    return Error{QStringLiteral("%1 %2 is %3, not a regular file: replace it with the file")
                     .arg(what, path, kindOf(mode))};
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

} // namespace

Result<std::optional<QByteArray>> readConfigFile(const QString& path, const QString& what) {
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    if (::stat(name.constData(), &info) != 0) {
        const int error = errno;
        struct stat link {};
        if (error == ENOENT && ::lstat(name.constData(), &link) != 0) {
            return std::optional<QByteArray>();
        }
        if (error == ENOENT) {
            return Error{
                QStringLiteral("%1 %2 is a link to a file that does not exist").arg(what, path)};
        }
        return Error{QStringLiteral("cannot read %1 %2: %3").arg(what, path, systemReason(error))};
    }
    if (!S_ISREG(info.st_mode)) {
        return notAFile(path, what, info.st_mode);
    }
    // Opened without waiting, and checked again: the name may have been swapped since.
    const FileDescriptor file(
        ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.get() < 0) {
        return Error{QStringLiteral("cannot read %1 %2: %3").arg(what, path, systemReason(errno))};
    }
    if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return notAFile(path, what, info.st_mode);
    }
    const auto tooLarge = [&] {
        return Error{QStringLiteral("%1 %2 is larger than %3 bytes, too large for this file: "
                                    "replace it with the file")
                         .arg(what, path)
                         .arg(kConfigFileLimit)};
    };
    if (info.st_size > kConfigFileLimit) {
        return tooLarge();
    }
    QByteArray bytes;
    char buffer[16384];
    for (;;) {
        const ssize_t got = ::read(file.get(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return Error{
                QStringLiteral("cannot read %1 %2: %3").arg(what, path, systemReason(errno))};
        }
        if (got == 0) {
            break;
        }
        bytes.append(buffer, got);
        if (bytes.size() > kConfigFileLimit) {
            return tooLarge();
        }
    }
    return std::optional<QByteArray>(std::move(bytes));
}

} // namespace orvalen::store
