#include "hardware/simulated_converter.h"

namespace orvalen::hardware {

namespace {

// The register that answers whether the converter is there, and the probe register.
constexpr std::uint8_t kStatusRegister = 1;
constexpr std::uint8_t kProbeRegister = 10;
constexpr std::uint8_t kProbeAnswer = 0x50;

} // namespace

std::vector<std::uint8_t> SimulatedConverter::writesTo(std::uint8_t number) const {
    std::vector<std::uint8_t> values;
    for (const Request& request : requests_) {
        if (request.code == kWriteRegisterCode && request.input.size() == 2 &&
            std::uint8_t(request.input.at(0)) == number) {
            values.push_back(std::uint8_t(request.input.at(1)));
        }
    }
    return values;
}

ConverterHandle SimulatedConverter::open(const QString& path, QString& why) {
    if (behaviour_ == Behaviour::Missing) {
        why = QStringLiteral("no converter at %1").arg(path);
        return kInvalidConverterHandle;
    }
    const ConverterHandle handle = next_++;
    open_.insert(handle);
    return handle;
}

int SimulatedConverter::control(ConverterHandle handle, unsigned long code, const QByteArray& input,
                                QByteArray& output) {
    requests_.push_back({code, input});
    if (!open_.contains(handle) || behaviour_ == Behaviour::Refuses || input.size() != 2) {
        return -1;
    }
    const auto number = std::uint8_t(input.at(0));
    if (code == kWriteRegisterCode && output.isEmpty()) {
        registers_[number] = std::uint8_t(input.at(1));
        return 0;
    }
    if (code == kReadRegisterCode && output.size() == 2 && input.at(1) == '\0') {
        std::uint8_t value = registers_[number];
        if (number == kStatusRegister) {
            value = behaviour_ == Behaviour::AnswersZero ? 0 : status_;
        } else if (number == kProbeRegister) {
            value = kProbeAnswer;
        }
        output[0] = char(number);
        output[1] = char(value);
        return 2;
    }
    return -1;
}

void SimulatedConverter::close(ConverterHandle handle) {
    open_.erase(handle);
}

} // namespace orvalen::hardware
