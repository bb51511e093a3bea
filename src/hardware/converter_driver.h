#pragma once

#include <QByteArray>
#include <QString>

namespace orvalen::hardware {

// An open converter device; the invalid handle stands for none.
using ConverterHandle = int;
inline constexpr ConverterHandle kInvalidConverterHandle = -1;

// The converter driver's two device control codes. Both take a two-byte buffer: the
// register number, then the value to write (or 0 for a read, whose answer comes back in
// the second byte of the same buffer).
inline constexpr unsigned long kWriteRegisterCode = 0x160184;
inline constexpr unsigned long kReadRegisterCode = 0x160188;

// The USB-to-parallel converter's driver as the terminal reaches it: open a device by its
// path, send device control requests with an input and an output buffer, close it.
class ConverterDriver {
public:
    virtual ~ConverterDriver() = default;
    // A handle, or kInvalidConverterHandle with the reason in `why`.
    virtual ConverterHandle open(const QString& path, QString& why) = 0;
    // Sends `code` with `input`; a driver that answers fills `output` (sized by the caller).
    // Returns the driver's byte count, or -1 when the driver refused the request.
    virtual int control(ConverterHandle handle, unsigned long code, const QByteArray& input,
                        QByteArray& output) = 0;
    virtual void close(ConverterHandle handle) = 0;
};

// The converter's kernel driver: open(2) and ioctl(2) on its device file.
class SystemConverterDriver : public ConverterDriver {
public:
    ConverterHandle open(const QString& path, QString& why) override;
    int control(ConverterHandle handle, unsigned long code, const QByteArray& input,
                QByteArray& output) override;
    void close(ConverterHandle handle) override;
};

} // namespace orvalen::hardware
