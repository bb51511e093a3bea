#pragma once

#include <QMap>
#include <QString>
#include <cstddef>
#include <cstdint>

namespace orvalen::hardware {

// The system calls the parallel-port output makes. A seam at the edge of the machine:
// where no parallel port is fitted a test double records what the port would receive.
class PortSystemCalls {
public:
    virtual ~PortSystemCalls() = default;
    // Each returns what the system call returns; on failure errno tells why.
    virtual int open(const QByteArray& path, int flags) = 0;
    virtual int ioctl(int fd, unsigned long request, void* argument) = 0;
    virtual long pwrite(int fd, const void* data, std::size_t size, long offset) = 0;
    virtual int close(int fd) = 0;
};

class SystemPortCalls : public PortSystemCalls {
public:
    int open(const QByteArray& path, int flags) override;
    int ioctl(int fd, unsigned long request, void* argument) override;
    long pwrite(int fd, const void* data, std::size_t size, long offset) override;
    int close(int fd) override;
};

// Where one port address is written: the kernel's parallel-port device (/dev/parportN), or
// one byte at offset `address` of the raw port file (/dev/port).
struct ParallelPortDevice {
    QString path;
    bool rawPort = false;
    std::uint32_t address = 0;
};

// Out32 on Linux: one byte to the data lines of a parallel port. A port is claimed on its
// first write and kept until release(), so its lines hold their level between writes and
// no other program takes the port in the middle of a pulse.
class ParallelPort {
public:
    explicit ParallelPort(PortSystemCalls& calls) : calls_(calls) {}
    ~ParallelPort() { release(); }
    ParallelPort(const ParallelPort&) = delete;
    ParallelPort& operator=(const ParallelPort&) = delete;

    // Empty on success, otherwise what went wrong with the device path and the system's
    // reason.
    QString write(const ParallelPortDevice& device, std::uint8_t value);
    void release();

private:
    struct Claimed {
        int fd = -1;
        bool rawPort = false;
    };
    int claim(const ParallelPortDevice& device, QString& problem);
    // Gives a parallel-port device back and closes the file.
    void drop(const QString& path);

    PortSystemCalls& calls_;
    QMap<QString, Claimed> claimed_; // by path
};

} // namespace orvalen::hardware
