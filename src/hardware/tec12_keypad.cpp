#include "hardware/tec12_keypad.h"

namespace orvalen::hardware {

namespace {

// A command byte that cannot leave within this time is given up.
constexpr int kSendTimeoutMs = 1000;

} // namespace

Tec12Keypad::Tec12Keypad(DeviceForPortNumber deviceForPort)
    : deviceForPort_(std::move(deviceForPort)) {}

Tec12Keypad::~Tec12Keypad() = default;

bool Tec12Keypad::Open_Comm(int port, int baudRate, int dataBits, int, int, int) {
    Close_Comm(port);
    const std::optional<comm::TDatabits> bits = comm::databitsFor(dataBits);
    // Four-bit characters have a member but no UART here sends them.
    if (!bits || *bits == comm::TDatabits::da4) {
        return false;
    }
    auto device = std::make_unique<SerialDevice>();
    if (!device->open(deviceForPort_(port))) {
        return false;
    }
    LineSettings settings;
    settings.baudRate = baudRate;
    settings.dataBits = *bits;
    settings.flow = comm::TFlowControl::fcNone;
    if (!device->configure(settings)) {
        return false;
    }
    open_[port] = std::move(device);
    return true;
}

void Tec12Keypad::send_data_rs(int port, int value) {
    const auto found = open_.find(port);
    if (found == open_.end()) {
        return;
    }
    const char command = static_cast<char>(value & 0xFF);
    found->second->write(&command, 1, kSendTimeoutMs);
}

void Tec12Keypad::Close_Comm(int port) {
    // Closing lets the driver finish sending the command first.
    open_.erase(port);
}

} // namespace orvalen::hardware
