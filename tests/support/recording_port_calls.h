#pragma once

#include "hardware/parallel_port.h"

#include <QMap>
#include <QStringList>
#include <cerrno>
#include <linux/ppdev.h>
#include <sys/ioctl.h>

namespace orvalen::test {

// The parallel-port driver as far as the output uses it, recorded call by call (into a
// timeline the test shares, when given); a path in `failingOpen` or a request in
// `failingIoctl` fails with the errno given.
class RecordingPortCalls : public hardware::PortSystemCalls {
public:
    RecordingPortCalls() : calls(own_) {}
    explicit RecordingPortCalls(QStringList& timeline) : calls(timeline) {}

    QStringList& calls;
    QMap<QByteArray, int> failingOpen;
    QMap<unsigned long, int> failingIoctl;

    int open(const QByteArray& path, int) override {
        calls << QStringLiteral("open ") + QString::fromLatin1(path);
        if (failingOpen.contains(path)) {
            errno = failingOpen.value(path);
            return -1;
        }
        return 7;
    }
    int ioctl(int, unsigned long request, void* argument) override {
        if (request == PPWDATA) {
            calls << QStringLiteral("PPWDATA %1").arg(*static_cast<unsigned char*>(argument));
        } else {
            calls << (request == PPCLAIM     ? QStringLiteral("PPCLAIM")
                      : request == PPRELEASE ? QStringLiteral("PPRELEASE")
                                             : QStringLiteral("ioctl %1").arg(request));
        }
        if (failingIoctl.contains(request)) {
            errno = failingIoctl.value(request);
            return -1;
        }
        return 0;
    }
    long pwrite(int, const void*, std::size_t, long offset) override {
        calls << QStringLiteral("pwrite %1").arg(offset);
        return 1;
    }
    int close(int) override {
        calls << QStringLiteral("close");
        return 0;
    }

private:
    QStringList own_;
};

} // namespace orvalen::test
