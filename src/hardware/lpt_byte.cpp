#include "hardware/lpt_byte.h"

namespace orvalen::hardware {

namespace {

constexpr std::uint8_t kProbeRegister = 10;

// The driver's two-byte request: register number, then value.
QByteArray twoBytes(std::uint8_t first, std::uint8_t second) {
    QByteArray buffer(2, '\0');
    buffer[0] = char(first);
    buffer[1] = char(second);
    return buffer;
}

void closeRefused(ConverterDriver& driver, ConverterHandle& handle) {
    if (handle != kInvalidConverterHandle) {
        driver.close(handle);
        handle = kInvalidConverterHandle;
    }
}

// One read request: the answer's second byte, or nothing after a refusal.
int readRegister(ConverterDriver& driver, ConverterHandle& handle, std::uint8_t reg) {
    if (handle == kInvalidConverterHandle) {
        return -1;
    }
    const QByteArray request = twoBytes(reg, 0);
    QByteArray answer(2, '\0');
    if (driver.control(handle, kReadRegisterCode, request, answer) < 0) {
        closeRefused(driver, handle);
        return -1;
    }
    return std::uint8_t(answer.at(1));
}

} // namespace

ConverterHandle AbreConversor(ConverterDriver& driver, const QString& path, QString* why) {
    QString reason;
    const ConverterHandle handle = driver.open(path, reason);
    if (why != nullptr) {
        *why = reason;
    }
    return handle;
}

std::uint16_t EscreveConversor(ConverterDriver& driver, ConverterHandle& handle, std::uint8_t reg,
                               std::uint8_t value) {
    if (handle == kInvalidConverterHandle) {
        return kConverterFailure;
    }
    const QByteArray request = twoBytes(reg, value);
    QByteArray noAnswer;
    const int count = driver.control(handle, kWriteRegisterCode, request, noAnswer);
    if (count < 0) {
        closeRefused(driver, handle);
        return kConverterFailure;
    }
    return std::uint16_t(count);
}

std::uint16_t LeConversor(ConverterDriver& driver, ConverterHandle& handle, std::uint8_t reg) {
    const int value = readRegister(driver, handle, reg);
    return value < 0 ? kConverterFailure : std::uint16_t(value);
}

bool TestaConversor(ConverterDriver& driver, ConverterHandle& handle) {
    return readRegister(driver, handle, kProbeRegister) >= 0;
}

} // namespace orvalen::hardware
