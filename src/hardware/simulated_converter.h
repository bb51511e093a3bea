#pragma once

#include "hardware/converter_driver.h"

#include <array>
#include <cstdint>
#include <set>
#include <vector>

namespace orvalen::hardware {

// A converter with its registers in memory, for tests and for demonstrations without the
// device. It checks every request as the driver does (known code, two-byte buffers) and
// refuses anything else.
class SimulatedConverter : public ConverterDriver {
public:
    enum class Behaviour {
        Answers,     // register 1 reads back the status byte
        AnswersZero, // register 1 reads back 0: the converter is taken to be absent
        Refuses,     // the device opens but refuses every request
        Missing      // the device cannot be opened
    };
    struct Request {
        unsigned long code;
        QByteArray input;
    };

    void setBehaviour(Behaviour behaviour) { behaviour_ = behaviour; }
    void setStatusByte(std::uint8_t status) { status_ = status; }
    std::uint8_t reg(int number) const { return registers_.at(number); }
    // Every request accepted or refused, in order.
    const std::vector<Request>& requests() const { return requests_; }
    // The values written to one register, in order.
    std::vector<std::uint8_t> writesTo(std::uint8_t number) const;
    int openHandles() const { return int(open_.size()); }

    ConverterHandle open(const QString& path, QString& why) override;
    int control(ConverterHandle handle, unsigned long code, const QByteArray& input,
                QByteArray& output) override;
    void close(ConverterHandle handle) override;

private:
    Behaviour behaviour_ = Behaviour::Answers;
    std::uint8_t status_ = 0x78;
    std::array<std::uint8_t, 256> registers_{};
    std::vector<Request> requests_;
    std::set<ConverterHandle> open_;
    ConverterHandle next_ = 3;
};

} // namespace orvalen::hardware
